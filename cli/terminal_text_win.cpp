// Slot texts for the Windows console, the sibling of terminal_text.cpp (which
// uses iconv, absent from MinGW). Japanese must read right in whatever console
// runs the program: the code page 932 bytes are converted to the console's
// output code page (932 on a Japanese console: unchanged; 65001: UTF-8), and
// line ends are CR LF as Windows programs write them. --cp932 gives the raw
// bytes, the same as the native build writes, in binary mode.
#include "cli/terminal_text.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstring>
#include <fcntl.h>
#include <io.h>

namespace {

constexpr UINT TEXT_CODE_PAGE = 932;
// Converted piece by piece, so no buffer depends on the text's length; a
// piece never ends inside a double-byte character.
constexpr std::size_t PIECE_BYTES = 4096;
wchar_t Wide[PIECE_BYTES];
char Converted[PIECE_BYTES * 3]; // a UTF-16 unit is at most 3 UTF-8 bytes

// Where this program's output is read: the console's output code page, or the
// ANSI code page when the process has no console.
UINT TerminalCodePage() {
    const UINT console = GetConsoleOutputCP();
    return console != 0 ? console : GetACP();
}

std::size_t PieceLength(const char* text, std::size_t left) {
    std::size_t length = 0;
    while (length < left && length < PIECE_BYTES - 1) {
        const bool pair =
            IsDBCSLeadByteEx(TEXT_CODE_PAGE, static_cast<BYTE>(text[length])) && length + 1 < left;
        length += pair ? 2 : 1;
    }
    return length;
}

// The C runtime's text mode turns each LF into CR LF; the CR of the slot's own
// CR LF pairs goes first, so no line ends in CR CR LF. A lone CR is kept.
int DropCrOfCrLf(wchar_t* text, int length, bool* pendingCr, std::FILE* out) {
    int kept = 0;
    for (int i = 0; i < length; ++i) {
        if (*pendingCr && text[i] != L'\n') std::fputc('\r', out);
        *pendingCr = text[i] == L'\r';
        if (!*pendingCr) text[kept++] = text[i];
    }
    return kept;
}

void WriteConverted(std::FILE* out, const char* text, UINT codePage) {
    std::size_t left = std::strlen(text);
    bool pendingCr = false;
    while (left > 0) {
        const std::size_t piece = PieceLength(text, left);
        int wide = MultiByteToWideChar(TEXT_CODE_PAGE, 0, text, static_cast<int>(piece), Wide, PIECE_BYTES);
        wide = DropCrOfCrLf(Wide, wide, &pendingCr, out);
        const int bytes = WideCharToMultiByte(codePage, 0, Wide, wide, Converted,
                                              static_cast<int>(sizeof Converted), nullptr, nullptr);
        std::fwrite(Converted, 1, static_cast<std::size_t>(bytes > 0 ? bytes : 0), out);
        text += piece;
        left -= piece;
    }
    if (pendingCr) std::fputc('\r', out);
}

} // namespace

void WriteTerminalText(std::FILE* out, const char* text, bool toUtf8) {
    if (!toUtf8) {
        // Raw bytes: the stream stays binary for the rest of the run, so the
        // CR LF that follows the status is written as it is, too.
        std::fflush(out);
        _setmode(_fileno(out), _O_BINARY);
        std::fputs(text, out);
        return;
    }
    WriteConverted(out, text, TerminalCodePage());
}

std::size_t ConvertToUtf8(const char* text, char* out, std::size_t size) {
    if (size == 0) return 0;
    std::size_t used = 0;
    std::size_t left = std::strlen(text);
    while (left > 0) {
        const std::size_t piece = PieceLength(text, left);
        const int wide = MultiByteToWideChar(TEXT_CODE_PAGE, 0, text, static_cast<int>(piece), Wide, PIECE_BYTES);
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, Wide, wide, Converted,
                                              static_cast<int>(sizeof Converted), nullptr, nullptr);
        std::size_t n = static_cast<std::size_t>(bytes > 0 ? bytes : 0);
        const bool full = used + n > size - 1;
        if (full) {
            // Cut to fit, never inside a UTF-8 sequence.
            n = size - 1 - used;
            while (n > 0 && (static_cast<unsigned char>(Converted[n]) & 0xC0) == 0x80)
                --n;
        }
        std::memcpy(out + used, Converted, n);
        used += n;
        if (full) break;
        text += piece;
        left -= piece;
    }
    out[used] = '\0';
    return used;
}
