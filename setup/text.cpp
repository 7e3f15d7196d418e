// Bounded text building for the launcher: every text is cut to its room,
// and a cut never splits a double-byte character.
#include "text.h"

#include <cstring>

#include "launcher_state.h"

namespace {

constexpr int RING_SLOTS = 4;

size_t charLength(const char* s) { return (IsDBCSLeadByte(static_cast<BYTE>(s[0])) && s[1] != '\0') ? 2 : 1; }

// Appends n bytes at *length; 0 (nothing appended) when they do not fit.
int appendBytes(char* dst, size_t room, size_t* length, const char* src, size_t n)
{
    if (*length + n + 1 > room) {
        return 0;
    }
    std::memcpy(dst + *length, src, n);
    *length += n;
    dst[*length] = '\0';
    return 1;
}

int appendAll(char* dst, size_t room, size_t* length, const char* src)
{
    while (*src != '\0') {
        size_t n = charLength(src);
        if (!appendBytes(dst, room, length, src, n)) {
            return 0;
        }
        src += n;
    }
    return 1;
}

}  // namespace

int appendText(char* dst, size_t room, const char* src)
{
    if (room == 0) {
        return 0;
    }
    size_t length = strnlen(dst, room);
    if (length == room) {  // not terminated within its room: start over
        length = 0;
        dst[0] = '\0';
    }
    return appendAll(dst, room, &length, src != nullptr ? src : "");
}

int fillPattern(char* out, size_t room, const char* pattern, const char* arg)
{
    if (room == 0) {
        return 0;
    }
    out[0] = '\0';
    size_t length = 0;
    const char* p = pattern != nullptr ? pattern : "";
    while (*p != '\0') {
        if (p[0] == '%' && p[1] == 's') {
            if (!appendAll(out, room, &length, arg != nullptr ? arg : "")) {
                return 0;
            }
            p += 2;
        } else if (p[0] == '%' && p[1] == '%') {
            if (!appendBytes(out, room, &length, p, 1)) {
                return 0;
            }
            p += 2;
        } else {
            size_t n = charLength(p);
            if (!appendBytes(out, room, &length, p, n)) {
                return 0;
            }
            p += n;
        }
    }
    return 1;
}

const char* loadResString(UINT id)
{
    static char ring[RING_SLOTS][TEXT_ROOM];
    static int ringIndex = RING_SLOTS;  // beyond the last buffer: the first call uses buffer 0

    ringIndex = ringIndex >= RING_SLOTS - 1 ? 0 : ringIndex + 1;
    char* buffer = ring[ringIndex];
    buffer[0] = '\0';
    if (LoadStringA(launcher.instance, id, buffer, TEXT_ROOM) <= 0) {
        return nullptr;
    }
    return buffer;
}
