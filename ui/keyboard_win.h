// The main window's keyboard handling, called by the message loop in
// win_main.cpp for every message before TranslateMessage.
#pragma once

#include "ui/main_window.h"

// Handles Tab, Shift+Tab, Enter and Ctrl+A meant for the main window or one of
// its controls. True when the message was used up: the loop must then neither
// translate nor dispatch it, so no tab character is ever typed.
bool HandleMainWindowKey(HWND mainWindow, const MSG& message);
