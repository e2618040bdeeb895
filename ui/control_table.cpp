// The main window's content as data: fifty rows of kind, slot, group, style,
// rectangle and both labels. Japanese labels are code page 932 bytes written as
// escapes, each under a comment with its readable text; a native test converts
// every one with iconv and compares it with the UTF-8 text, so no byte can hide.
// No <windows.h> here: the style bits come from control_styles.h.
#include "ui/control_table.h"

#include <iterator>

#include "ui/control_styles.h"

namespace {

// Every control is a visible child of the main window.
constexpr std::uint32_t CHILD = STYLE_WS_CHILD | STYLE_WS_VISIBLE;
// The result field and the three list edits.
constexpr std::uint32_t MULTILINE_EDIT =
    STYLE_WS_BORDER | STYLE_WS_VSCROLL | STYLE_ES_MULTILINE | STYLE_ES_AUTOVSCROLL | STYLE_ES_AUTOHSCROLL;
// A row that creates and paints nothing but keeps its index.
constexpr ControlEntry EMPTY_ROW = {KIND_NONE, -1, -1, 0xFFFFFFFFu, 0, 0, 0, 0, {nullptr, nullptr}};

} // namespace

// clang-format off
const ControlEntry ControlTable[CONTROL_ROWS] = {
    // シフト回路の抵抗の組合せを探します。
    /* 0 */ {KIND_STATIC_LABEL, -1, -1, CHILD | STYLE_SS_LEFT, 10, 6, 400, 16, {"\x83\x56\x83\x74\x83\x67\x89\xf1\x98\x48\x82\xcc\x92\xef\x8d\x52\x82\xcc\x91\x67\x8d\x87\x82\xb9\x82\xf0\x92\x54\x82\xb5\x82\xdc\x82\xb7\x81\x42", "Searching for resistor's combinations as shift circuit."}},
    /* 1 */ {KIND_BUTTON, -1, -1, CHILD | STYLE_BS_PUSHBUTTON, 410, 5, 500, 17, {"English", "Japanese"}},
    /* 2 */ {KIND_BUTTON, -1, -1, CHILD | STYLE_BS_PUSHBUTTON, 505, 5, 520, 17, {"#", "#"}},
    // 構成選択
    /* 3 */ {KIND_GROUPBOX, -1, -1, CHILD | STYLE_BS_GROUPBOX, 10, 20, 520, 65, {"\x8d\x5c\x90\xac\x91\x49\x91\xf0", "Configuration select"}},
    /* 4 */ {KIND_RADIO, 10, 4, CHILD | STYLE_BS_RADIOBUTTON, 20, 35, 240, 47, {"[a] Shifter(Ra,Rb,Rf)", "[a] Shifter(Ra,Rb,Rf)"}},
    /* 5 */ {KIND_RADIO, 10, 4, CHILD | STYLE_BS_RADIOBUTTON, 260, 35, 480, 47, {"[b] RFU", "[b] RFU"}},
    /* 6 */ {KIND_RADIO, 10, 4, CHILD | STYLE_BS_RADIOBUTTON, 20, 50, 240, 62, {"[c] RFU", "[c] RFU"}},
    /* 7 */ {KIND_RADIO, 10, 4, CHILD | STYLE_BS_RADIOBUTTON, 260, 50, 480, 62, {"[d] RFU", "[d] RFU"}},
    /* 8 */ EMPTY_ROW,
    /* 9 */ EMPTY_ROW,
    // 入力電圧Vi(min)
    /* 10 */ {KIND_STATIC_LABEL, -1, -1, CHILD | STYLE_SS_RIGHT, 20, 70, 200, 82, {"\x93\xfc\x97\xcd\x93\x64\x88\xb3Vi(min)", "Input volt(Vi)(min)"}},
    /* 11 */ {KIND_EDIT, 1, -1, CHILD | STYLE_WS_BORDER | STYLE_ES_AUTOHSCROLL, 210, 70, 270, 82, {nullptr, nullptr}},
    // 入力電圧Vi(max)
    /* 12 */ {KIND_STATIC_LABEL, -1, -1, CHILD | STYLE_SS_RIGHT, 280, 70, 430, 82, {"\x93\xfc\x97\xcd\x93\x64\x88\xb3Vi(max)", "Input volt(Vi)(max)"}},
    /* 13 */ {KIND_EDIT, 2, -1, CHILD | STYLE_WS_BORDER | STYLE_ES_AUTOHSCROLL, 440, 70, 500, 82, {nullptr, nullptr}},
    // 出力電圧Vo(min)
    /* 14 */ {KIND_STATIC_LABEL, -1, -1, CHILD | STYLE_SS_RIGHT, 20, 85, 200, 97, {"\x8f\x6f\x97\xcd\x93\x64\x88\xb3Vo(min)", "Output volt(Vo)(min)"}},
    /* 15 */ {KIND_EDIT, 3, -1, CHILD | STYLE_WS_BORDER | STYLE_ES_AUTOHSCROLL, 210, 85, 270, 97, {nullptr, nullptr}},
    // 出力電圧Vo(max)
    /* 16 */ {KIND_STATIC_LABEL, -1, -1, CHILD | STYLE_SS_RIGHT, 280, 85, 430, 97, {"\x8f\x6f\x97\xcd\x93\x64\x88\xb3Vo(max)", "Output volt(Vo)(max)"}},
    /* 17 */ {KIND_EDIT, 4, -1, CHILD | STYLE_WS_BORDER | STYLE_ES_AUTOHSCROLL, 440, 85, 500, 97, {nullptr, nullptr}},
    // 基準電圧Vref[V]
    /* 18 */ {KIND_STATIC_LABEL, -1, -1, CHILD | STYLE_SS_RIGHT, 20, 100, 200, 112, {"\x8a\xee\x8f\x80\x93\x64\x88\xb3Vref[V]", "Referrence Voltage(Vref)[V]"}},
    /* 19 */ {KIND_EDIT, 5, -1, CHILD | STYLE_WS_BORDER | STYLE_ES_AUTOHSCROLL, 210, 100, 270, 112, {nullptr, nullptr}},
    // 精度(%)
    /* 20 */ {KIND_STATIC_LABEL, -1, -1, CHILD | STYLE_SS_RIGHT, 280, 100, 430, 112, {"\x90\xb8\x93\x78(%)", "Precision(%)"}},
    /* 21 */ {KIND_EDIT, 6, -1, CHILD | STYLE_WS_BORDER, 440, 100, 500, 112, {nullptr, nullptr}},
    /* 22 */ EMPTY_ROW,
    /* 23 */ EMPTY_ROW,
    // 抵抗リスト
    /* 24 */ {KIND_GROUPBOX, -1, -1, CHILD | STYLE_BS_GROUPBOX, 10, 115, 520, 145, {"\x92\xef\x8d\x52\x83\x8a\x83\x58\x83\x67", "Resistor List"}},
    /* 25 */ {KIND_RADIO, 14, 25, CHILD | STYLE_BS_RADIOBUTTON, 20, 130, 95, 142, {"List1", "List1"}},
    /* 26 */ {KIND_RADIO, 14, 25, CHILD | STYLE_BS_RADIOBUTTON, 100, 130, 175, 142, {"List2", "List2"}},
    /* 27 */ {KIND_RADIO, 14, 25, CHILD | STYLE_BS_RADIOBUTTON, 180, 130, 255, 142, {"List3", "List3"}},
    /* 28 */ {KIND_RADIO, 14, 25, CHILD | STYLE_BS_RADIOBUTTON, 260, 130, 335, 142, {"E24", "E24"}},
    /* 29 */ {KIND_RADIO, 14, 25, CHILD | STYLE_BS_RADIOBUTTON, 340, 130, 415, 142, {"E12", "E12"}},
    /* 30 */ {KIND_RADIO, 14, 25, CHILD | STYLE_BS_RADIOBUTTON, 420, 130, 495, 142, {"E6", "E6"}},
    /* 31 */ EMPTY_ROW,
    /* 32 */ EMPTY_ROW,
    /* 33 */ EMPTY_ROW,
    // 実行
    /* 34 */ {KIND_BUTTON, -1, -1, CHILD | STYLE_BS_PUSHBUTTON, 440, 150, 500, 162, {"\x8e\xc0\x8d\x73", "Execute"}},
    /* 35 */ {KIND_STATIC_LABEL, -1, -1, CHILD | STYLE_SS_RIGHT, 100, 150, 175, 162, {"DNM(0-3)", "DNM(0-3)"}},
    /* 36 */ {KIND_EDIT, 16, -1, CHILD | STYLE_WS_BORDER | STYLE_ES_AUTOHSCROLL, 180, 150, 210, 162, {nullptr, nullptr}},
    /* 37 */ EMPTY_ROW,
    /* 38 */ EMPTY_ROW,
    // 実行結果
    /* 39 */ {KIND_GROUPBOX, -1, -1, CHILD | STYLE_BS_GROUPBOX, 10, 165, 520, 275, {"\x8e\xc0\x8d\x73\x8c\x8b\x89\xca", "Result"}},
    /* 40 */ {KIND_PAINT_SLOT, 9, -1, FORMAT_DT_WORDBREAK, 15, 180, 400, 192, {nullptr, nullptr}},
    /* 41 */ EMPTY_ROW,
    /* 42 */ {KIND_EDIT, 8, -1, CHILD | MULTILINE_EDIT, 15, 195, 510, 270, {nullptr, nullptr}},
    /* 43 */ {KIND_STATIC_LABEL, -1, -1, CHILD | STYLE_SS_LEFT, 20, 280, 170, 292, {"List1", "List1"}},
    /* 44 */ {KIND_STATIC_LABEL, -1, -1, CHILD | STYLE_SS_LEFT, 180, 280, 330, 292, {"List2", "List2"}},
    /* 45 */ {KIND_STATIC_LABEL, -1, -1, CHILD | STYLE_SS_LEFT, 340, 280, 490, 292, {"List3", "List3"}},
    /* 46 */ {KIND_EDIT, 10, -1, CHILD | MULTILINE_EDIT, 20, 295, 170, 388, {nullptr, nullptr}},
    /* 47 */ {KIND_EDIT, 11, -1, CHILD | MULTILINE_EDIT, 180, 295, 330, 388, {nullptr, nullptr}},
    /* 48 */ {KIND_EDIT, 12, -1, CHILD | MULTILINE_EDIT, 340, 295, 490, 388, {nullptr, nullptr}},
    // 直列含む
    /* 49 */ {KIND_CHECKBOX, 15, -1, CHILD | STYLE_BS_CHECKBOX | STYLE_BS_LEFT, 260, 150, 400, 162, {"\x92\xbc\x97\xf1\x8a\xdc\x82\xde", "Include Serial"}},
};
// clang-format on
static_assert(std::size(ControlTable) == CONTROL_ROWS, "one row per control identifier");

// "Varnock : " + シフト回路の抵抗探索 + " R1.00"
const char MAIN_WINDOW_CAPTION[] =
    "Varnock : \x83\x56\x83\x74\x83\x67\x89\xf1\x98\x48\x82\xcc\x92\xef\x8d\x52\x92\x54\x8d\xf5 R1.00";

// 完全探索（上位を表示） and the key, as menu items show keys
const char* const COMPLETE_SEARCH_LABEL[2] = {
    "\x8a\xae\x91\x53\x92\x54\x8d\xf5\x81\x69\x8f\xe3\x88\xca\x82\xf0\x95\x5c\x8e\xa6\x81\x6a\tCtrl+Enter",
    "Complete search (best first)\tCtrl+Enter",
};

bool CreatesControl(std::int32_t kind) {
    return (kind >= KIND_BUTTON && kind <= KIND_GROUPBOX) ||
           (kind >= KIND_STATIC_LABEL && kind <= KIND_STATIC_HEX) || kind == KIND_EDIT;
}

bool TakesLabel(std::int32_t kind) {
    return (kind >= KIND_BUTTON && kind <= KIND_GROUPBOX) || kind == KIND_STATIC_LABEL;
}

bool IsPaintedKind(std::int32_t kind) {
    return (kind >= KIND_PAINT_LABEL && kind <= KIND_PAINT_HEX) || kind == KIND_PAINT_EDGE;
}
