// Default state, the language rule, the message table and the bounded copies
// every text goes through.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/bounded_text.h"
#include "test_support.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, at - start));
        start = at + 2;
    }
    EXPECT_EQ(start, text.size()) << "every line, the last one included, ends with CR LF";
    return lines;
}

TEST(Defaults, ParameterTexts) {
    ResetState();
    const char* expected[] = {"", "0.6", "3.0", "0.1", "3.2", "3.3", "0.01%"};
    for (int slot = 0; slot < 7; ++slot)
        EXPECT_EQ(Slot(slot), expected[slot]) << "slot " << slot;
    for (int slot : {7, 8, 9, 16, 17, 18, 19})
        EXPECT_EQ(Slot(slot), "") << "slot " << slot;
}

TEST(Defaults, ListTexts) {
    ResetState();
    struct Case {
        int slot;
        std::size_t lines;
        std::vector<std::pair<std::size_t, std::string>> probes;
    } cases[] = {
        {10, 97, {{0, "100"}, {1, "110"}, {24, "1k"}, {25, "1.1k"}, {95, "910k"}, {96, "1M"}}},
        {11, 56, {{0, "1"}, {1, "4,7"}, {23, "1.2k"}, {55, "1M"}}},
        {12,
         72,
         {{0, "10"},
          {28, "2.0k"},
          {30, "3.0k"},
          {40, "20k"},
          {52, "200k"},
          {54, "300k"},
          {64, "2.0M"},
          {66, "3.0M"},
          {71, "7.5M"}}},
        {13, 145, {{0, "10"}, {47, "910"}, {48, "1k"}, {128, "2.2M"}, {143, "9.1M"}, {144, "10M"}}},
        {14, 73, {{0, "10"}, {12, "100"}, {36, "10k"}, {71, "8.2M"}, {72, "10M"}}},
        {15, 37, {{0, "10"}, {5, "68"}, {35, "6.8M"}, {36, "10M"}}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = Lines(Slot(c.slot));
        ASSERT_EQ(lines.size(), c.lines) << "slot " << c.slot;
        for (const auto& probe : c.probes)
            EXPECT_EQ(lines[probe.first], probe.second) << "slot " << c.slot;
    }
}

TEST(Language, OnlyOneSelectsEnglishAndNoValueIndexesOutside) {
    ResetState();
    for (int value : {0, 2, -1, -2147483647 - 1, 2147483647}) {
        Settings[SETTING_LANGUAGE] = value;
        EXPECT_STREQ(MessageText(14), MessageTable[14].text[0]) << value;
    }
    Settings[SETTING_LANGUAGE] = 1;
    EXPECT_STREQ(MessageText(14), "Stock list error");
    EXPECT_STREQ(MessageText(-1), "");
    EXPECT_STREQ(MessageText(16), "");
    EXPECT_STREQ(MessageText(8), "");
}

TEST(Messages, BothLanguagesByteForByte) {
    struct Case {
        int number;
        const char* english;
        const char* japanese; // UTF-8
    } cases[] = {
        {5, " set(s) found.", u8"組見つかりました。"},
        {6, "Can not be able to fined.", u8"見つけられませんでした。"},
        {7, "Break off because of too many matches.", u8"多すぎるため中断しました。"},
        {12, "Format error\n", u8"フォーマット・エラー\n"},
        {13, "Searching parameter error", u8"探索条件エラー"},
        {14, "Stock list error", u8"部品リストエラー"},
        {15, "Not yet released.", u8"未対応"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(MessageTable[c.number].text[1], c.english);
        EXPECT_EQ(Cp932ToUtf8(MessageTable[c.number].text[0]), c.japanese) << "message " << c.number;
    }
}

TEST(Slots, FullSlotKeepsItsNul) {
    ResetState();
    std::string longText(40000, 'x');
    SetSlotText(SLOT_FIRST_LIST, longText.c_str());
    EXPECT_EQ(Slot(SLOT_FIRST_LIST).size(), TEXT_SLOT_SIZE - 1);
    SetSlotText(20, "ignored");
    SetSlotText(-1, "ignored");
}

// Each copy at its edges: the text that just fits, one byte too long, a size
// of 1 and of 0. The buffer's byte after `size` must never be touched.
TEST(BoundedText, CopiesAtTheirEdges) {
    struct Case {
        const char* what;
        std::size_t size;
        std::size_t (*copy)(char*, std::size_t);
        std::string text;
        std::size_t result;
    } cases[] = {
        {"fits", 4, [](char* b, std::size_t n) { return CopyText(b, n, "abc"); }, "abc", 3},
        {"one too long", 3, [](char* b, std::size_t n) { return CopyText(b, n, "abc"); }, "ab", 2},
        {"size 1", 1, [](char* b, std::size_t n) { return CopyText(b, n, "abc"); }, "", 0},
        {"size 0", 0, [](char* b, std::size_t n) { return CopyText(b, n, "abc"); }, "old", 0},
        {"prefix 0", 8, [](char* b, std::size_t n) { return CopyTextPrefix(b, n, "abc", 0); }, "", 0},
        {"prefix 2", 8, [](char* b, std::size_t n) { return CopyTextPrefix(b, n, "abc", 2); }, "ab", 2},
        {"prefix past NUL", 8, [](char* b, std::size_t n) { return CopyTextPrefix(b, n, "abc", 9); }, "abc",
         3},
        {"append fits", 6, [](char* b, std::size_t n) { return AppendText(b, n, "de"); }, "oldde", 5},
        {"append cut", 5, [](char* b, std::size_t n) { return AppendText(b, n, "de"); }, "oldd", 4},
        {"append to full", 4, [](char* b, std::size_t n) { return AppendText(b, n, "de"); }, "old", 3},
        {"append size 0", 0, [](char* b, std::size_t n) { return AppendText(b, n, "de"); }, "old", 0},
    };
    for (const Case& c : cases) {
        char buffer[16] = "old";
        std::memset(buffer + 4, '#', sizeof buffer - 4);
        const std::string before(buffer, sizeof buffer);
        EXPECT_EQ(c.copy(buffer, c.size), c.result) << c.what;
        EXPECT_EQ(std::string(buffer), c.text) << c.what;
        EXPECT_EQ(std::string(buffer + c.size, sizeof buffer - c.size), before.substr(c.size))
            << c.what << ": wrote past its size";
    }
    // A buffer with no NUL inside its size gets one at its last byte.
    char full[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(AppendText(full, sizeof full, "y"), 3u);
    EXPECT_EQ(std::string(full, 3), "xxx");
    EXPECT_EQ(full[3], '\0');

    char formatted[4] = "old";
    EXPECT_EQ(FormatText(formatted, sizeof formatted, "%d", 12345), 5) << "the length it would have had";
    EXPECT_STREQ(formatted, "123");
    EXPECT_EQ(FormatText(formatted, 0, "%d", 7), 1);
    EXPECT_STREQ(formatted, "123") << "size 0 writes nothing";
}

} // namespace
