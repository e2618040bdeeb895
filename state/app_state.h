// The process-wide stores that every subsystem shares: the settings integers and
// the text slots, plus the bilingual message table. No component keeps a second
// copy of user input; every stage names a value by its index or slot number.
#pragma once

#include <cstdint>

#include "state/limits.h"

// Language, window rectangle, radio choices, match count, ...; zero at start.
extern std::int32_t Settings[SETTINGS_COUNT];
// One NUL-terminated code page 932 text per edit, list, result and status line.
extern char TextSlots[TEXT_SLOT_COUNT][TEXT_SLOT_SIZE];

// Puts the default texts into slots 0..SLOT_PRECISION and the six lists from SLOT_FIRST_LIST. Other slots and
// settings are left as they are (zero at process start).
void InitDefaults();

// Replaces a slot's text, cut to the slot size.
void SetSlotText(int slot, const char* text);

// Replaces the status line (SLOT_STATUS) with text followed by detail, cut to the
// slot: every stage of a run ends its run through this one writer.
void SetStatusText(const char* text, const char* detail = "");

// 0 for Japanese, 1 for English. Only the value 1 selects English: any other
// value, including a negative one from an edited settings file, reads as
// Japanese, so no lookup by language can index outside its pair.
int LanguageIndex();

// The text of message `number` in the current language; "" for a number that
// holds no text or lies outside the table.
const char* MessageText(int number);

// Message numbers shown by the engine.
constexpr int MSG_SETS_FOUND = 5;
constexpr int MSG_NOT_FOUND = 6;
constexpr int MSG_TOO_MANY = 7;
constexpr int MSG_FORMAT_ERROR = 12;
constexpr int MSG_PARAMETER_ERROR = 13;
constexpr int MSG_STOCK_LIST_ERROR = 14;
constexpr int MSG_NOT_RELEASED = 15;

// One entry of the message table: [0] Japanese (code page 932), [1] English.
struct MessagePair {
    const char* text[2];
};
extern const MessagePair MessageTable[MESSAGE_COUNT];
