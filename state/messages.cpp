// The bilingual message table. Japanese texts are code page 932 bytes, written
// as escapes with the readable text beside them; a test converts every one with
// iconv and compares it with its UTF-8 form, so a wrong byte cannot hide.
#include <iterator>

#include "state/app_state.h"

const MessagePair MessageTable[MESSAGE_COUNT] = {
    /* 0 */ {{"", ""}},
    /* 1 */ {{"", ""}},
    /* 2 */ {{"", ""}},
    /* 3 */ {{"", ""}},
    /* 4 */ {{"", ""}},
    // 組見つかりました。
    /* 5 */ {{"\x91\x67\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb5\x82\xbd\x81\x42", " set(s) found."}},
    // 見つけられませんでした。
    /* 6 */
    {{"\x8c\xa9\x82\xc2\x82\xaf\x82\xe7\x82\xea\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x42",
      "Can not be able to fined."}},
    // 多すぎるため中断しました。
    /* 7 */
    {{"\x91\xbd\x82\xb7\x82\xac\x82\xe9\x82\xbd\x82\xdf\x92\x86\x92\x66\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81"
      "\x42",
      "Break off because of too many matches."}},
    /* 8 */ {{"", ""}},
    /* 9 */ {{"", ""}},
    /* 10 */ {{"", ""}},
    /* 11 */ {{"", ""}},
    // フォーマット・エラー + line feed
    /* 12 */
    {{"\x83\x74\x83\x48\x81\x5b\x83\x7d\x83\x62\x83\x67\x81\x45\x83\x47\x83\x89\x81\x5b\n",
      "Format error\n"}},
    // 探索条件エラー
    /* 13 */ {{"\x92\x54\x8d\xf5\x8f\xf0\x8c\x8f\x83\x47\x83\x89\x81\x5b", "Searching parameter error"}},
    // 部品リストエラー
    /* 14 */ {{"\x95\x94\x95\x69\x83\x8a\x83\x58\x83\x67\x83\x47\x83\x89\x81\x5b", "Stock list error"}},
    // 未対応
    /* 15 */ {{"\x96\xa2\x91\xce\x89\x9e", "Not yet released."}},
};
static_assert(std::size(MessageTable) == MESSAGE_COUNT, "one row per message number");

const char* MessageText(int number) {
    if (number < 0 || number >= MESSAGE_COUNT) return "";
    return MessageTable[number].text[LanguageIndex()];
}
