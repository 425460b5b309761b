#include "dwfplot/arguments.h"

#include <algorithm>

namespace dwfplot_tool {

bool Arguments::parse(const std::vector<std::string>& words, const std::vector<OptionSpec>& options,
                      std::string& error) {
    bool optionsEnded = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            positional_.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = word;
        std::optional<std::string> inlineValue;
        if (const size_t equals = word.find('='); word.rfind("--", 0) == 0 && equals != std::string::npos) {
            name = word.substr(0, equals);
            inlineValue = word.substr(equals + 1);
        }
        const auto option = std::find_if(options.begin(), options.end(),
                                       [&name](const OptionSpec& candidate) { return name == candidate.name; });
        if (option == options.end()) {
            error = "unknown option " + name;
            return false;
        }
        if (values_.count(name) != 0) {
            error = "option " + name + " given twice";
            return false;
        }
        if (!option->takesValue) {
            if (inlineValue) {
                error = "option " + name + " takes no value";
                return false;
            }
            values_[name] = "";
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= words.size()) {
                error = "option " + name + " needs a value";
                return false;
            }
            inlineValue = words[++i];
        }
        values_[name] = *inlineValue;
    }
    return true;
}

std::optional<std::string> Arguments::value(const std::string& option) const {
    const auto found = values_.find(option);
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

std::optional<int> parsePositive(const std::string& text, int maximum) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    int number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    if (number < 1 || number > maximum) return std::nullopt;
    return number;
}

}  // namespace dwfplot_tool
