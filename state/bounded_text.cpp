// Bounded text copies shared by the state, the engine, the shell and the console
// front end. The contract is the same everywhere: never write past `size`, always
// terminate, cut rather than fail.
#include "state/bounded_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

std::size_t CopyTextPrefix(char* dst, std::size_t size, const char* src, std::size_t maxLength) {
    if (size == 0) return 0;
    std::size_t n = 0;
    while (n + 1 < size && n < maxLength && src[n] != '\0') {
        dst[n] = src[n];
        ++n;
    }
    dst[n] = '\0';
    return n;
}

std::size_t CopyText(char* dst, std::size_t size, const char* src) {
    return CopyTextPrefix(dst, size, src, static_cast<std::size_t>(-1));
}

std::size_t AppendText(char* dst, std::size_t size, const char* src) {
    if (size == 0) return 0;
    const void* end = std::memchr(dst, '\0', size - 1);
    std::size_t used = end ? static_cast<std::size_t>(static_cast<const char*>(end) - dst) : size - 1;
    return used + CopyText(dst + used, size - used, src);
}

int FormatText(char* dst, std::size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int length = std::vsnprintf(dst, size, format, args);
    va_end(args);
    if (length < 0 && size > 0) dst[0] = '\0';
    return length;
}
