#pragma once

#include <string>
#include <string_view>

#include <windows.h>
#undef DeleteFile

namespace brelker::win32 {

// Texts are UTF-8 in the program and UTF-16 in every window.
void SetText(HWND window, std::string_view text);
std::string TextOf(HWND window);

// Pixels per inch of the screen the window is on (of the system before there is
// a window), and a length given at 96 pixels per inch scaled to it.
int DpiOf(HWND window);
int Scaled(int length, int dpi);

// The system's font for dialogs and messages at a density: the one the user
// chose, in the user's language's script.
HFONT CreateMessageFont(int dpi);
void SetFontOfChildren(HWND parent, HFONT font);

// The room a text takes in a font: on one line, or within a width with its
// words wrapped. An "&" marks the next letter as the shortcut and takes no room,
// except in texts shown as they are (file names).
SIZE TextExtent(HFONT font, std::string_view text, bool prefix = true);
SIZE WrappedTextExtent(HFONT font, std::string_view text, int width);
// text shortened with "…" in its middle until it fits width in the font, two
// thirds of what is kept from its end: a path's file name and a piece's number
// are there.
std::string ShortenedInMiddle(HFONT font, std::string_view text, int width);
// text wrapped at width as it fits into height: whole, or as much of it as
// fits with "…" after it.
std::string WrappedWithin(HFONT font, std::string_view text, int width, int height);
// The height of one line of text in the font.
int LineHeight(HFONT font);

// Moves a child window to a rectangle of its parent's client area.
void Place(HWND child, int x, int y, int width, int height);

// The work area of the screen that holds most of the window (the primary
// screen's without a window).
RECT WorkAreaOf(HWND window);

}  // namespace brelker::win32
