// The base of the options inside attribute and drawable opcodes, and the
// name tables that their ASCII forms use.
#ifndef DWFPLOT_W2D_OPTION_H
#define DWFPLOT_W2D_OPTION_H

#include <cstdint>
#include <span>
#include <string_view>

class WT_Option {
public:
    virtual ~WT_Option() = default;
};

// One value of an ASCII name table.
struct WT_Named_Value {
    std::string_view name;
    int value;
};

// The value named `name`, or false.
bool wt_find_value(std::span<const WT_Named_Value> table, std::string_view name, int& value);
// The name of `value`, or an empty view.
std::string_view wt_find_name(std::span<const WT_Named_Value> table, int value);

#endif  // DWFPLOT_W2D_OPTION_H
