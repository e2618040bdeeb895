// The constant table that describes the whole main window: one row per child
// control, painted item or empty place. A row's index is at once the control
// identifier, its slot in ControlHandles and the command number it sends.
// Creation, labelling, painting and command dispatch all walk this table.
#pragma once

#include <cstdint>

// Rows of the table; the identifiers 0..49 are the command numbers.
constexpr int CONTROL_ROWS = 50;

// What a row becomes. Any other code (the empty rows use -1) creates and
// paints nothing but still occupies its index.
enum ControlKind : std::int32_t {
    KIND_NONE = -1,
    KIND_PAINT_LABEL = 1, // painted label[Language]
    KIND_PAINT_SLOT = 2,  // painted text of a slot
    KIND_PAINT_DEC = 3,   // painted Settings[slot] as "%d"
    KIND_PAINT_HEX = 4,   // painted Settings[slot] as "%#x"
    KIND_PAINT_EDGE = 11, // DrawEdge over the rectangle
    KIND_BUTTON = 21,
    KIND_RADIO = 22,    // selected when Settings[slot] == row - group
    KIND_CHECKBOX = 23, // ticked when Settings[slot] != 0
    KIND_GROUPBOX = 24,
    KIND_STATIC_LABEL = 31,
    KIND_STATIC_SLOT = 32,
    KIND_STATIC_DEC = 33,
    KIND_STATIC_HEX = 34,
    KIND_EDIT = 41, // text of a slot, copied back by CollectEditTexts
};

// A control (other than a radio) whose group holds this value starts disabled.
constexpr std::int32_t CREATE_DISABLED = 2;

// One row. Coordinates are tenths of a character cell from the top-left corner
// of the scrollable virtual area. label[0] is Japanese (code page 932),
// label[1] English; both null where the row has no label.
struct ControlEntry {
    std::int32_t kind;
    std::int32_t slot;   // TextSlots number or Settings index, -1 when unused
    std::int32_t group;  // radios: first row of the group; edges: flags; else CREATE_DISABLED or -1
    std::uint32_t style; // controls: window style; painted text: DrawText format; edges: edge type
    std::int32_t x1, y1, x2, y2;
    const char* label[2];
};

extern const ControlEntry ControlTable[CONTROL_ROWS];

// The main window's caption: the program name, " : ", the Japanese subtitle and
// the version, in code page 932.
extern const char MAIN_WINDOW_CAPTION[];

// The one item the window adds to its system menu: the complete search, which
// no row of the table offers. [0] Japanese (code page 932), [1] English.
extern const char* const COMPLETE_SEARCH_LABEL[2];

// Row numbers that the commands and the shell name.
constexpr int ROW_LANGUAGE = 1;
constexpr int ROW_DEFAULT_SIZE = 2;
constexpr int ROW_CONFIG_A = 4;
constexpr int ROW_CONFIG_B = 5;
constexpr int ROW_VI_MIN = 11;
constexpr int ROW_VI_MAX = 13;
constexpr int ROW_VO_MIN = 15;
constexpr int ROW_VO_MAX = 17;
constexpr int ROW_VREF = 19;
constexpr int ROW_PRECISION = 21;
constexpr int ROW_E12 = 29;
constexpr int ROW_EXECUTE = 34;
constexpr int ROW_DNM_COUNT = 36;
constexpr int ROW_STATUS = 40;
constexpr int ROW_RESULT = 42;
constexpr int ROW_LIST1 = 46;
constexpr int ROW_LIST2 = 47;
constexpr int ROW_LIST3 = 48;
constexpr int ROW_INCLUDE_SERIAL = 49;

// The inputs greyed while a search runs, in the order they are set: every edit
// but the result, "Include Serial", Execute and the first two configuration
// radios. The search runs on the window's thread, so no click reaches any
// control meanwhile; the greying only shows that a search is running, and the
// language and "#" buttons, the list radios and the reserved radios [c] and
// [d] keep the look they have always had.
constexpr int INPUT_ROWS[] = {ROW_CONFIG_A, ROW_CONFIG_B, ROW_VI_MIN,    ROW_VI_MAX,    ROW_VO_MIN,
                              ROW_VO_MAX,   ROW_VREF,     ROW_PRECISION, ROW_DNM_COUNT, ROW_INCLUDE_SERIAL,
                              ROW_EXECUTE,  ROW_LIST1,    ROW_LIST2,     ROW_LIST3};

// Kinds that become a child control, and the kinds whose text is a label.
bool CreatesControl(std::int32_t kind);
bool TakesLabel(std::int32_t kind);
bool IsPaintedKind(std::int32_t kind);
