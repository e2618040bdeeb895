// Sizes of the application state, each defined once with the reason for it.
// Everything that copies into these stores is bounded by the constants here, so
// a bad settings file or a long paste can never write past a buffer.
#pragma once

#include <cstddef>

// Indices 0..19 of the settings array; the settings file always carries twenty.
constexpr int SETTINGS_COUNT = 20;
// One text slot per edit, list, result and status line, plus spare slots.
constexpr int TEXT_SLOT_COUNT = 20;
// The largest text an edit control hands back (32759 characters) plus its NUL.
constexpr std::size_t TEXT_SLOT_SIZE = 32760;
// Message numbers 0..15; only 5, 6, 7, 12, 13, 14 and 15 hold texts.
constexpr int MESSAGE_COUNT = 16;

// Settings indices that carry a meaning.
constexpr int SETTING_LANGUAGE = 0;
constexpr int SETTING_WINDOW_LEFT = 1;
constexpr int SETTING_WINDOW_TOP = 2;
constexpr int SETTING_WINDOW_RIGHT = 3;
constexpr int SETTING_WINDOW_BOTTOM = 4;
constexpr int SETTING_CONFIGURATION = 10;
constexpr int SETTING_MATCH_COUNT = 12;
constexpr int SETTING_LIST_CHOICE = 14;
constexpr int SETTING_INCLUDE_SERIAL = 15;

// Text slots that carry a meaning.
constexpr int SLOT_VI_MIN = 1;
constexpr int SLOT_VI_MAX = 2;
constexpr int SLOT_VO_MIN = 3;
constexpr int SLOT_VO_MAX = 4;
constexpr int SLOT_VREF = 5;
constexpr int SLOT_PRECISION = 6;
constexpr int SLOT_LEGACY_LIST = 7;
constexpr int SLOT_RESULT = 8;
constexpr int SLOT_STATUS = 9;
constexpr int SLOT_FIRST_LIST = 10; // List1, List2, List3, E24, E12, E6 follow in order
constexpr int LIST_CHOICES = 6;
constexpr int SLOT_DNM_COUNT = 16;

static_assert(SLOT_FIRST_LIST + LIST_CHOICES <= TEXT_SLOT_COUNT, "every list has its slot");

// The program's name: the window class and the stem of its settings file.
constexpr char PROGRAM_NAME[] = "Varnock";

// The full path of Varnock.ini; a longer path is treated as no path at all.
constexpr std::size_t SETTINGS_PATH_SIZE = 1000;
