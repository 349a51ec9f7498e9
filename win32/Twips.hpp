#pragma once
// Window layouts are given in twips (1/1440 inch); the screen's resolution turns them into pixels:
// 15 twips to a pixel at 96 dots per inch.

namespace quarrow::win32 {

int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);

// Twips per pixel at the screen's resolution, as the layout code of the controls needs it.
int TwipsPerPixelY();

// The screen's vertical resolution, which turns points into pixels; 96 when the screen cannot tell.
int ScreenDotsPerInchY();

} // namespace quarrow::win32
