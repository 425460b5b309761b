#include "platform/debug_output.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <utility>

namespace platform {
namespace {

std::mutex& sinkMutex() {
    static std::mutex mutex;
    return mutex;
}

DebugSink& installedSink() {
    static DebugSink sink;
    return sink;
}

bool debugEnvironmentSet() {
    static const bool set = [] {
        const char* value = std::getenv("DWFPLOT_DEBUG");
        return value && *value;
    }();
    return set;
}

}  // namespace

void debugOutput(std::string_view text) {
    std::lock_guard<std::mutex> lock(sinkMutex());
    if (installedSink()) {
        installedSink()(text);
    } else if (debugEnvironmentSet()) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
}

DebugSink setDebugSink(DebugSink sink) {
    std::lock_guard<std::mutex> lock(sinkMutex());
    return std::exchange(installedSink(), std::move(sink));
}

}  // namespace platform
