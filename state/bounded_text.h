// The one bounded copy, append and format used by every file that writes text
// into a fixed buffer. Each always leaves a NUL-terminated text within `size`
// bytes and cuts what does not fit; strcpy, strcat and sprintf are not used
// anywhere (a test scans the sources for them).
#pragma once

#include <cstddef>
#include <cstdio>

// Lets the compiler check FormatText's arguments against its format. MinGW-w64
// builds with its C99 printf, whose format kind it names itself.
#if defined(__MINGW32__) && defined(__MINGW_PRINTF_FORMAT)
#define VARNOCK_PRINTF_CHECK(f, a) __attribute__((format(__MINGW_PRINTF_FORMAT, f, a)))
#elif defined(__GNUC__) || defined(__clang__)
#define VARNOCK_PRINTF_CHECK(f, a) __attribute__((format(printf, f, a)))
#else
#define VARNOCK_PRINTF_CHECK(f, a)
#endif

// Copies src into dst (size bytes including the NUL); returns the length copied.
std::size_t CopyText(char* dst, std::size_t size, const char* src);

// Copies at most maxLength bytes of src, stopping early at its NUL.
std::size_t CopyTextPrefix(char* dst, std::size_t size, const char* src, std::size_t maxLength);

// Appends src to the text already in dst; returns the new length.
std::size_t AppendText(char* dst, std::size_t size, const char* src);

// printf into dst, cut to fit. Returns the length that the whole text would
// have had (as snprintf does), so a caller can see that it was cut.
int FormatText(char* dst, std::size_t size, const char* format, ...) VARNOCK_PRINTF_CHECK(3, 4);
