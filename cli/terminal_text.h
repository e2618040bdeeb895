// Writing the engine's code page 932 texts to a terminal.
#pragma once

#include <cstddef>
#include <cstdio>

// Writes text to out. With toUtf8 the code page 932 bytes are converted to
// UTF-8 (a byte that is not valid code page 932 becomes "?") and CR LF becomes
// LF; otherwise the bytes are written unchanged.
void WriteTerminalText(std::FILE* out, const char* text, bool toUtf8);

// Converts text to UTF-8 into out (size bytes with the NUL, cut to fit), line
// breaks unchanged. Returns the length written.
std::size_t ConvertToUtf8(const char* text, char* out, std::size_t size);
