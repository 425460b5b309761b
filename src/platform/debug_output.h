// The diagnostics channel: notes for whoever debugs the library (a bad
// password, a temporary file that could not be deleted). Library code never
// prints; it hands the note here. Silent unless DWFPLOT_DEBUG is set (then
// standard error) or a sink is installed.
#ifndef DWFPLOT_PLATFORM_DEBUG_OUTPUT_H
#define DWFPLOT_PLATFORM_DEBUG_OUTPUT_H

#include <functional>
#include <string_view>

namespace platform {

using DebugSink = std::function<void(std::string_view)>;

void debugOutput(std::string_view text);

// Installs a sink that receives every note (an empty one restores the
// default); returns the previous sink.
DebugSink setDebugSink(DebugSink sink);

}  // namespace platform

#endif  // DWFPLOT_PLATFORM_DEBUG_OUTPUT_H
