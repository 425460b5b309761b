// Where and why a read failed, beside the bare result code the caller gets:
// the code, the byte offset in the stream, document or archive, what was
// being read there (an opcode, an element, an entry) and a short text, made
// where the check fails.
//
// The texts live in fixed room, so that recording cannot itself fail (it is
// done while running out of memory too) and a record costs no allocation.
#ifndef DWFPLOT_PLATFORM_FAILURE_H
#define DWFPLOT_PLATFORM_FAILURE_H

#include <cstdarg>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

class Failure {
public:
    // Texts longer than this are cut; no record needs more.
    static constexpr size_t kSubjectRoom = 96;
    static constexpr size_t kTextRoom = 160;

    bool failed() const { return code_ != 0; }
    int code() const { return code_; }
    uint64_t offset() const { return offset_; }
    std::string_view subject() const { return subject_; }
    std::string_view text() const { return text_; }

    // Keeps the first failure until cleared: what fails after it follows
    // from it. The record also goes to the diagnostics channel.
    void record(int code, uint64_t offset, std::string_view subject, std::string_view text) noexcept;
    // The same with a printf-style text.
    [[gnu::format(printf, 5, 6)]] void recordf(int code, uint64_t offset, std::string_view subject,
                                               const char* format, ...) noexcept;
    // The same for the arguments of a caller's own printf-style function.
    [[gnu::format(printf, 5, 0)]] void recordv(int code, uint64_t offset, std::string_view subject,
                                               const char* format, va_list arguments) noexcept;
    // Puts what contains the failure in front of its subject ("entry
    // \"manifest.xml\"" before "element <Page>").
    void within(std::string_view outer) noexcept;
    void clear() noexcept { *this = Failure(); }

    // "byte 18432, opcode 0x10: count 65791 claims more points than the 3
    // bytes left"; empty when nothing failed.
    std::string describe() const;

private:
    int code_ = 0;
    uint64_t offset_ = 0;
    char subject_[kSubjectRoom] = {};
    char text_[kTextRoom] = {};
};

}  // namespace platform

#endif  // DWFPLOT_PLATFORM_FAILURE_H
