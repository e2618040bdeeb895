// Writing the engine's code page 932 texts to a terminal.
#pragma once

#include <cstdio>

// Writes text to out. With toUtf8 the code page 932 bytes are converted to
// UTF-8 (a byte that is not valid code page 932 becomes "?") and CR LF becomes
// LF; otherwise the bytes are written unchanged.
void WriteTerminalText(std::FILE* out, const char* text, bool toUtf8);
