// The private directory of one fuzz target process. Nothing a target does
// may touch the file system outside it:
//   <base>/tmp    becomes TMPDIR, so the library's temporary files land here;
//   <base>/work   is the current directory while an input runs inside an
//                 InWorkDirectory (the plot reader hands images to the host
//                 loader as files in the current directory); libFuzzer itself
//                 keeps the directory it was started in for its corpus paths;
//   <base>/input  holds the file an input is written to, when the code under
//                 test reads files.
// The base is made with mkdtemp under the TMPDIR the process started with and
// removed when the process exits normally; after a crash it stays for a look.
#ifndef DWFPLOT_FUZZ_FUZZ_WORKSPACE_H
#define DWFPLOT_FUZZ_FUZZ_WORKSPACE_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Makes the directories and points TMPDIR into them (once per process; later
// calls do nothing). Aborts when that fails: a target without its private
// directory must not run at all.
void enterWorkspace();

// The working directory is <base>/work for the scope's lifetime.
class InWorkDirectory {
public:
    InWorkDirectory();
    ~InWorkDirectory();
    InWorkDirectory(const InWorkDirectory&) = delete;
    InWorkDirectory& operator=(const InWorkDirectory&) = delete;

private:
    int previous_;
};

// Writes `size` bytes to a fresh input file and returns its path.
std::string writeInputFile(const uint8_t* data, size_t size, const char* name = "input.dwf");
// Removes the input file again.
void removeInputFile(const std::string& path);

// Aborts, naming what was left, when TMPDIR or the working directory holds
// anything: the library must remove every temporary file it makes.
void requireNothingLeft();

}  // namespace fuzz

#endif  // DWFPLOT_FUZZ_FUZZ_WORKSPACE_H
