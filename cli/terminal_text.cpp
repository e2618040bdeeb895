// Conversion of slot texts for the console: the slots hold code page 932 with
// CR LF line breaks, a terminal here expects UTF-8 and LF. iconv from the C
// library does the conversion in small chunks, so no buffer depends on the
// text's length.
#include "cli/terminal_text.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace {

// Drops the CR of every CR LF pair, also across chunks; a lone CR is kept.
struct LineEndFilter {
    std::FILE* out;
    bool pendingCr;

    void Write(const char* text, std::size_t length) {
        for (std::size_t i = 0; i < length; ++i) {
            if (pendingCr && text[i] != '\n') std::fputc('\r', out);
            pendingCr = text[i] == '\r';
            if (!pendingCr) std::fputc(text[i], out);
        }
    }
    void Finish() {
        if (pendingCr) std::fputc('\r', out);
        pendingCr = false;
    }
};

void WriteConverted(LineEndFilter& filter, iconv_t cd, const char* text) {
    char* in = const_cast<char*>(text);
    std::size_t inLeft = std::strlen(text);
    while (inLeft > 0) {
        char chunk[4096];
        char* outPtr = chunk;
        std::size_t outLeft = sizeof chunk;
        std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        filter.Write(chunk, sizeof chunk - outLeft);
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An invalid or cut double-byte character: show it as "?" and go on.
            filter.Write("?", 1);
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
}

} // namespace

void WriteTerminalText(std::FILE* out, const char* text, bool toUtf8) {
    if (!toUtf8) {
        std::fputs(text, out);
        return;
    }
    LineEndFilter filter{out, false};
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        filter.Write(text, std::strlen(text));
    } else {
        WriteConverted(filter, cd, text);
        iconv_close(cd);
    }
    filter.Finish();
}
