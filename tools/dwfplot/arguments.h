// The arguments of one subcommand: positional ones and the options the
// subcommand declares, each given at most once.
#ifndef DWFPLOT_TOOL_ARGUMENTS_H
#define DWFPLOT_TOOL_ARGUMENTS_H

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace dwfplot_tool {

struct OptionSpec {
    const char* name;  // "-o", "--page", "--json"
    bool takesValue;
};

class Arguments {
public:
    // Parses `words` against `options`; false with `error` set on an unknown
    // option, a missing value or an option given twice.
    bool parse(const std::vector<std::string>& words, const std::vector<OptionSpec>& options, std::string& error);

    const std::vector<std::string>& positional() const { return positional_; }
    bool has(const std::string& option) const { return values_.count(option) != 0; }
    std::optional<std::string> value(const std::string& option) const;

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> values_;
};

// A whole decimal number from 1 to `maximum`, or nothing.
std::optional<int> parsePositive(const std::string& text, int maximum);

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_ARGUMENTS_H
