// Conversion of slot texts for the console: the slots hold code page 932 with
// CR LF line breaks, a terminal here expects UTF-8 and LF. iconv from the C
// library does the conversion in small chunks, so no buffer depends on the
// text's length. The CSV and JSON writers take single converted texts from here.
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

// Collects converted bytes into a fixed buffer, cutting what does not fit.
struct BufferSink {
    char* out;
    std::size_t size;
    std::size_t used;

    void Write(const char* text, std::size_t length) {
        std::size_t room = size - 1 - used;
        std::size_t take = length < room ? length : room;
        std::memcpy(out + used, text, take);
        used += take;
        out[used] = '\0';
    }
};

template <class Sink> void WriteConverted(Sink& sink, iconv_t cd, const char* text) {
    char* in = const_cast<char*>(text);
    std::size_t inLeft = std::strlen(text);
    while (inLeft > 0) {
        char chunk[4096];
        char* outPtr = chunk;
        std::size_t outLeft = sizeof chunk;
        std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        sink.Write(chunk, sizeof chunk - outLeft);
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An invalid or cut double-byte character: show it as "?" and go on.
            sink.Write("?", 1);
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
}

// Converts through sink; without a converter the bytes pass unchanged.
template <class Sink> void ConvertCp932(Sink& sink, const char* text) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        sink.Write(text, std::strlen(text));
        return;
    }
    WriteConverted(sink, cd, text);
    iconv_close(cd);
}

} // namespace

void WriteTerminalText(std::FILE* out, const char* text, bool toUtf8) {
    if (!toUtf8) {
        std::fputs(text, out);
        return;
    }
    LineEndFilter filter{out, false};
    ConvertCp932(filter, text);
    filter.Finish();
}

std::size_t ConvertToUtf8(const char* text, char* out, std::size_t size) {
    if (size == 0) return 0;
    BufferSink sink{out, size, 0};
    out[0] = '\0';
    ConvertCp932(sink, text);
    return sink.used;
}
