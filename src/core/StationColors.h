#pragma once
// The station's colours in one place. Colours are 0x00BBGGRR, red in the low
// byte, as Config.ini stores them; ToQColor (core/ui/Colors.h) turns them into Qt colours.
#include <cstdint>

using TColor = uint32_t;

constexpr TColor SkyBlue = 0xF0CAA6;          // list headers, highlighted buttons, idle call points
constexpr TColor PanelBackground = 0xF6F6F6;  // every dialog and the layout panels
constexpr TColor SelectionBlue = 0xFF0000;    // selected grid rows, the active caption
constexpr TColor FrameGrey = 0x808080;        // the main window's frame lines
constexpr TColor FaceGrey = 0xE0E0E0;         // face buttons at rest
constexpr TColor FaceLightGrey = 0xEBEBEB;    // the middle of a gradient face
constexpr TColor Silver = 0xC0C0C0;         // disabled face-button texts, separator lines
constexpr TColor Amber = 0x0080D0;            // the central link while its server is away
constexpr TColor White = 0xFFFFFF;
constexpr TColor Black = 0x000000;
