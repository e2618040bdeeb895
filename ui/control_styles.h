// The few Win32 style and text-format bits that the control table names, as
// plain numbers. The table lives outside <windows.h> so that a native test can
// read its labels; window_class.cpp checks each value against <windows.h> at
// compile time, so a wrong number here cannot survive a Windows build.
#pragma once

#include <cstdint>

constexpr std::uint32_t STYLE_WS_CHILD = 0x40000000u;
constexpr std::uint32_t STYLE_WS_VISIBLE = 0x10000000u;
constexpr std::uint32_t STYLE_WS_BORDER = 0x00800000u;
constexpr std::uint32_t STYLE_WS_VSCROLL = 0x00200000u;

constexpr std::uint32_t STYLE_SS_LEFT = 0x0000u;
constexpr std::uint32_t STYLE_SS_RIGHT = 0x0002u;

constexpr std::uint32_t STYLE_BS_PUSHBUTTON = 0x0000u;
constexpr std::uint32_t STYLE_BS_CHECKBOX = 0x0002u;
constexpr std::uint32_t STYLE_BS_RADIOBUTTON = 0x0004u;
constexpr std::uint32_t STYLE_BS_GROUPBOX = 0x0007u;
constexpr std::uint32_t STYLE_BS_LEFT = 0x0100u;

constexpr std::uint32_t STYLE_ES_MULTILINE = 0x0004u;
constexpr std::uint32_t STYLE_ES_AUTOVSCROLL = 0x0040u;
constexpr std::uint32_t STYLE_ES_AUTOHSCROLL = 0x0080u;

constexpr std::uint32_t FORMAT_DT_WORDBREAK = 0x0010u;
