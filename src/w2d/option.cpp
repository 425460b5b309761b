#include "w2d/option.h"

bool wt_find_value(std::span<const WT_Named_Value> table, std::string_view name, int& value) {
    for (const WT_Named_Value& entry : table) {
        if (entry.name == name) {
            value = entry.value;
            return true;
        }
    }
    return false;
}

std::string_view wt_find_name(std::span<const WT_Named_Value> table, int value) {
    for (const WT_Named_Value& entry : table)
        if (entry.value == value) return entry.name;
    return {};
}
