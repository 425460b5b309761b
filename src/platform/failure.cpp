#include "platform/failure.h"

#include <algorithm>
#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/debug_output.h"

namespace platform {
namespace {

// Copies as much of `text` as the room holds, always ended with a 0.
template <size_t Room>
void place(char (&room)[Room], std::string_view text) {
    const size_t length = std::min(text.size(), Room - 1);
    // An empty view may point nowhere, which memcpy must not be given.
    if (length > 0) std::memcpy(room, text.data(), length);
    room[length] = '\0';
}

// describe() without allocating, for the diagnostics channel.
size_t format(const Failure& failure, char* out, size_t room) {
    const std::string_view subject = failure.subject();
    const int written = std::snprintf(out, room, "byte %" PRIu64 "%s%.*s: %.*s", failure.offset(),
                                      subject.empty() ? "" : ", ", static_cast<int>(subject.size()), subject.data(),
                                      static_cast<int>(failure.text().size()), failure.text().data());
    return written < 0 ? 0 : std::min(static_cast<size_t>(written), room - 1);
}

}  // namespace

void Failure::record(int code, uint64_t offset, std::string_view subject, std::string_view text) noexcept {
    if (failed() || code == 0) return;
    code_ = code;
    offset_ = offset;
    place(subject_, subject);
    place(text_, text);
    char line[kSubjectRoom + kTextRoom + 64] = "dwfplot: ";
    const size_t prefix = std::strlen(line);
    const size_t length = prefix + format(*this, line + prefix, sizeof line - prefix);
    try {
        debugOutput(std::string_view(line, length));
    } catch (...) {
        // A sink that fails loses the note, not the record.
    }
}

void Failure::recordf(int code, uint64_t offset, std::string_view subject, const char* format, ...) noexcept {
    va_list arguments;
    va_start(arguments, format);
    recordv(code, offset, subject, format, arguments);
    va_end(arguments);
}

void Failure::recordv(int code, uint64_t offset, std::string_view subject, const char* format,
                      va_list arguments) noexcept {
    if (failed() || code == 0) return;
    char text[kTextRoom];
    const int written = std::vsnprintf(text, sizeof text, format, arguments);
    record(code, offset, subject, written < 0 ? std::string_view() : std::string_view(text));
}

void Failure::within(std::string_view outer) noexcept {
    if (!failed() || outer.empty()) return;
    char joined[kSubjectRoom];
    const std::string_view inner = subject();
    const int written = std::snprintf(joined, sizeof joined, "%.*s%s%.*s", static_cast<int>(outer.size()),
                                      outer.data(), inner.empty() ? "" : ", ", static_cast<int>(inner.size()),
                                      inner.data());
    if (written > 0) place(subject_, joined);
}

std::string Failure::describe() const {
    if (!failed()) return std::string();
    char line[kSubjectRoom + kTextRoom + 64];
    return std::string(line, format(*this, line, sizeof line));
}

}  // namespace platform
