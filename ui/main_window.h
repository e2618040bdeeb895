// The Win32 side of the main window: the handles of the child controls and the
// operations that the window procedure, the commands and the settings file
// call. This folder is the only one that sees <windows.h>.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstddef>

#include "state/limits.h"
#include "ui/control_table.h"

// The class name is the program's name, as is the settings file's stem.
constexpr const char* MAIN_CLASS_NAME = PROGRAM_NAME;

// One handle per table row; rows that create no control keep a null handle.
extern HWND ControlHandles[CONTROL_ROWS];

// Buffer for a setting shown or painted as a number.
constexpr std::size_t NUMBER_TEXT_SIZE = 50;

// Registers the "Varnock" window class; 0 on failure.
ATOM RegisterMainWindowClass(HINSTANCE instance);
// Creates the main window (CreateControls runs inside); null on failure.
HWND CreateMainWindow(HINSTANCE instance);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// WM_CREATE: cell, defaults, settings file, one child per row, labels, placement.
LRESULT CreateControls(HWND window, const CREATESTRUCTA* creation);
// Sets every labelled control's text in the current language.
void ApplyLanguage();
// Copies every edit's text back into the slot its row names.
void CollectEditTexts();

// Fitting the window to a system code page other than 932 (code_page_fit.cpp):
// the language of a first start, after LoadSettings, and the caption in UTF-16.
void ChooseFirstStartLanguage();
void ShowCaptionInAnyCodePage(HWND window);

// The saves of Varnock.ini (save_points.cpp): at WM_DESTROY, when the session
// ends, and before every search.
void OnDestroy(HWND window);
void OnEndSession(HWND window, WPARAM ending);
// Writes Varnock.ini as a close would now; the edit texts are already collected.
void SaveBeforeSearch(HWND window);

// The complete search's item at the end of the system menu (system_menu.cpp).
void AddSystemMenuItem(HWND window);
// Gives the item the label of the current language.
void LabelSystemMenuItem(HWND window);
// True when a WM_SYSCOMMAND's wParam names the item.
bool IsCompleteSearchCommand(WPARAM command);
// Sends the command that choosing the item sends.
void ChooseCompleteSearch(HWND window);

// Commands (commands.cpp).
void OnCommand(HWND window, int id);
// The system menu's item: the complete search, run as Execute runs its search.
void OnCompleteSearch(HWND window);
void SetInputsEnabled(bool enable);
// Sets or clears the mark of the radio or check box of a row (none outside the table).
void SetCheck(int row, bool checked);
void ShowResultText();

// Painting and scrolling (paint.cpp, scroll.cpp).
void PaintItems(HWND window);
void OnSize(HWND window, LPARAM lParam);
void OnVScroll(HWND window, int code);
void OnHScroll(HWND window, int code);
