// The result code a call throws, as the library reports failures, or Success.
#ifndef DWFPLOT_TESTS_SUPPORT_THROWN_BY_H
#define DWFPLOT_TESTS_SUPPORT_THROWN_BY_H

#include "dwfplot/DwfResult.h"

namespace testsupport {

template <typename Call>
DWF::DwfResult::Enum thrownBy(Call call) {
    try {
        call();
    } catch (DWF::DwfResult::Enum code) {
        return code;
    }
    return DWF::DwfResult::Success;
}

}  // namespace testsupport

#endif  // DWFPLOT_TESTS_SUPPORT_THROWN_BY_H
