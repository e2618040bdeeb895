// The console's terminal output: code page 932 to UTF-8, CR LF to LF, and the
// bytes that are neither (a lone CR, an invalid or cut double-byte character).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cli/terminal_text.h"

namespace {

std::string Written(const std::string& text, bool toUtf8) {
    std::FILE* file = std::tmpfile();
    EXPECT_NE(file, nullptr);
    WriteTerminalText(file, text.c_str(), toUtf8);
    std::string bytes(static_cast<std::size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    EXPECT_EQ(std::fread(&bytes[0], 1, bytes.size(), file), bytes.size());
    std::fclose(file);
    return bytes;
}

TEST(TerminalText, Utf8LineEndsAndBadBytes) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"a\r\nb\r\n", "a\nb\n"},
        {"a\rb", "a\rb"},                   // a lone CR stays
        {"a\r", "a\r"},                     // also at the very end
        {"\r\r\n", "\r\n"},                 // a CR before a CR LF pair
        {"\x82\xa0\r\n", "\xe3\x81\x82\n"}, // あ
        {"a\xff"
         "b",
         "a?b"},         // not a code page 932 byte
        {"a\x82", "a?"}, // a double-byte character cut by the end
        {std::string(4095, 'x') + "\r\nz", std::string(4095, 'x') + "\nz"}, // the pair across two chunks
    };
    for (const auto& c : cases)
        EXPECT_EQ(Written(c.in, true), c.out) << c.in;
    EXPECT_EQ(Written("a\r\n\xff\x82", false), "a\r\n\xff\x82") << "--cp932 writes the bytes unchanged";
}

} // namespace
