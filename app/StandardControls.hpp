#pragma once
// The system's standard child controls that the secondary windows are built from (labels, text boxes, an image, a box
// that holds labels, a titled frame and push buttons), placed by rectangles in twips as their layouts are given. The
// fonts and the bitmap stay the caller's and must outlive the controls.

#include <windows.h>

#include <string>

namespace quarrow::app {

struct TwipsRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The rectangle in pixels at the screen's resolution.
RECT ToPixels(const TwipsRect& rect);

// The creators throw std::system_error when the system refuses the control.

// Static text, left-aligned and wrapping at words unless `style` (SS_ flags) says otherwise; an ampersand
// shows as itself.
HWND CreateLabel(HWND parent, int id, const std::wstring& text, const TwipsRect& at, HFONT font, DWORD style = SS_LEFT);

// A text box of several lines, read-only, with a vertical scroll bar and a sunken border. It keeps the
// colours of a text box where its parent answers WM_CTLCOLORSTATIC for it with PaintAsTextBox.
HWND CreateReadOnlyTextBox(HWND parent, int id, const std::wstring& text, const TwipsRect& at, HFONT font);

// A text box of one line for the user to type into, with a sunken border, holding `text`.
HWND CreateTextBox(HWND parent, int id, const std::wstring& text, const TwipsRect& at, HFONT font);

// A picture shown at its own size from the top-left corner of `at`; a null bitmap shows nothing.
HWND CreateImage(HWND parent, int id, HBITMAP bitmap, const TwipsRect& at);

// A box with a sunken border that holds other controls and gives them the window's background.
HWND CreateControlBox(HWND parent, int id, const TwipsRect& at);

// A frame with its title in the top border, drawn around controls that are its siblings: it takes no
// clicks, and it lies beneath every sibling created before it, so that it never paints over them.
HWND CreateTitledFrame(HWND parent, int id, const std::wstring& title, const TwipsRect& at, HFONT font);

// A push button that reports its clicks to the parent (WM_COMMAND, BN_CLICKED) and can take the focus.
HWND CreatePushButton(HWND parent, int id, const std::wstring& caption, const TwipsRect& at, HFONT font);

// Widens and heightens a label to its text on one line where the text needs more room, so that none of
// it is cut off; a label with room to spare keeps its size.
void FitLabelToText(HWND label);

// Prepares `dc` for a read-only text box (window text on the window colour, where the system would grey
// it) and returns the brush for its background, for the answer to WM_CTLCOLORSTATIC.
HBRUSH PaintAsTextBox(HDC dc);

} // namespace quarrow::app
