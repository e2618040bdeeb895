// Helpers shared by the libFuzzer targets: cutting one fuzz input into the
// texts of several slots, and the checks every target makes on the state it
// leaves. A failed check aborts, which libFuzzer reports as a crash and keeps
// the input that caused it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "state/app_state.h"
#include "state/bounded_text.h"

// Stops the run with the broken invariant named; libFuzzer saves the input.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);               \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

// Reads the fuzz input front to back: single bytes for choices, and texts that
// end at a NUL byte or at the end of the input. A NUL is also where the slot's
// text would end, so every byte sequence a slot can hold is reachable.
struct FuzzInput {
    const std::uint8_t* data;
    std::size_t size;

    std::uint8_t TakeByte() {
        if (size == 0) return 0;
        --size;
        return *data++;
    }

    // The next text, cut to what one slot holds; the cut part is skipped.
    void TakeText(char* dst, std::size_t dstSize) {
        std::size_t length = 0;
        while (length < size && data[length] != 0)
            ++length;
        CopyTextPrefix(dst, dstSize, reinterpret_cast<const char*>(data), length);
        std::size_t used = length < size ? length + 1 : length;
        data += used;
        size -= used;
    }
};

// Maps one input byte to a setting value: mostly the meaningful small values,
// sometimes one that only an edited settings file could hold.
inline std::int32_t SettingFromByte(std::uint8_t byte, std::int32_t meaningfulCount) {
    static const std::int32_t EXTREMES[] = {-1, 2, 6, 7, 100, -2147483647 - 1, 2147483647, 1000, 1001, -1000};
    if (byte < 0xE0) return byte % meaningfulCount;
    return EXTREMES[(byte - 0xE0) % (sizeof EXTREMES / sizeof EXTREMES[0])];
}

// True when the slot holds its NUL within TEXT_SLOT_SIZE bytes.
inline bool SlotTerminated(int slot) {
    return std::memchr(TextSlots[slot], '\0', TEXT_SLOT_SIZE) != nullptr;
}

// True when every line of text ends with CR LF and no CR or LF stands alone.
inline bool LinesEndWithCrLf(const char* text) {
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\r' && p[1] != '\n') return false;
        if (*p == '\n' && (p == text || p[-1] != '\r')) return false;
    }
    std::size_t length = std::strlen(text);
    return length == 0 || (length >= 2 && text[length - 1] == '\n');
}
