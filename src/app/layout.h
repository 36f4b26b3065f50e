// The window's face as it opens: places and sizes in pixels relative to the
// parent's client area, font heights in pixels, fixed colours as RGB and
// desktop colours as palette roles. Read it like a table of the controls.
#pragma once

#include <QColor>
#include <QPalette>
#include <Qt>

#include "app/faces.h"

namespace lexmira::layout {

struct Place {
  int left, top, width, height;
};

struct Face {
  const char* family;
  int pixel_size;
  bool bold;
};

// The fixed colours the design names (the desktop's own come from QPalette).
inline constexpr QRgb kBlue = 0x0000ff;
inline constexpr QRgb kRed = 0xff0000;
inline constexpr QRgb kWhite = 0xffffff;
inline constexpr QRgb kBlack = 0x000000;
inline constexpr QRgb kGreen = 0x008000;

// The window: client area 595 wide; under the menu bar the top bar, the
// display panel and the status bar, stacked. Placed at left 200, top 0.
inline constexpr int kWindowLeft = 200;
inline constexpr int kWindowTop = 0;
inline constexpr int kClientWidth = 595;
inline constexpr int kTopBarHeight = 41;
inline constexpr int kPanelHeight = 162;
inline constexpr int kStatusBarHeight = 20;
inline constexpr Face kWindowFace = {kSansSerifFace, 11, false};
// Background of the window: the button face of the desktop's scheme.
inline constexpr QPalette::ColorRole kWindowColor = QPalette::Button;
// The top bar takes the desktop's colour of an active caption; Qt's palette
// has no caption role, and the selection colour is what desktops draw
// captions and highlights in alike.
inline constexpr QPalette::ColorRole kTopBarColor = QPalette::Highlight;

// Top bar Panel2.
inline constexpr Place kLabel1 = {8, 16, 60, 13};
inline constexpr Place kComboBox1 = {72, 11, 121, 21};
inline constexpr Place kLabel2 = {208, 16, 60, 13};
inline constexpr Place kComboBox2 = {272, 11, 73, 21};
inline constexpr Place kBStart = {376, 8, 75, 25};
inline constexpr Place kBStop = {480, 8, 75, 25};
inline constexpr Face kCaptionFace = {kSansSerifFace, 11, false};  // Label1, Label2, buttons
inline constexpr QRgb kCaptionTextColor = kBlue;                    // Label1, Label2
inline constexpr Face kBoxFace = {kSansSerifFace, 11, true};        // ComboBox1, ComboBox2

// Display panel Panel1 and its three fields.
inline constexpr QRgb kPanelColor = kBlack;
inline constexpr Place kLWord = {32, 37, 537, 29};
inline constexpr Face kWordFace = {kSansSerifFace, 24, true};
inline constexpr QRgb kWordBackground = kBlue;
inline constexpr QRgb kWordTextColor = kWhite;
inline constexpr Qt::Alignment kWordAlignment = Qt::AlignHCenter;

inline constexpr Place kLmean = {32, 93, 537, 29};
inline constexpr Face kMeaningFace = {kHeiFace, 24, true};
inline constexpr QRgb kMeaningBackground = kRed;
inline constexpr QRgb kMeaningTextColor = kWhite;
inline constexpr Qt::Alignment kMeaningAlignment = Qt::AlignHCenter;

// Reaches past the panel's right and bottom edges and is cut there; its
// background is the panel's until it is given one of its own.
inline constexpr Place kLClass = {488, 143, 193, 20};
inline constexpr Face kClassFace = {kSongFace, 13, true};
inline constexpr QRgb kClassTextColor = kGreen;
inline constexpr Qt::Alignment kClassAlignment = Qt::AlignLeft;

}  // namespace lexmira::layout
