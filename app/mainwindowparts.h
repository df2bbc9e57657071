#pragma once

#include <QImage>
#include <QRect>

#include <cstdint>

class ImageControl;
class PictureBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QWidget;

// Design colours (0x00BBGGRR, or system colours with the high bit set).
constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kBlack = 0x00000000;
constexpr std::uint32_t kBlue = 0x00FF0000;
constexpr std::uint32_t kOrange = 0x000080FF;
constexpr std::uint32_t kWindowBackground = 0x80000005;
constexpr std::uint32_t kWindowText = 0x80000008;
constexpr std::uint32_t kCaptionText = 0x80000009;
constexpr std::uint32_t kHighlight = 0x8000000D;

// Builders for the window's controls at their designed places.
// An image control showing the compiled-in picture `asset`, sharp on screens
// with more device pixels to a pixel.
ImageControl* makeImage(QWidget* parent, const QRect& place, const char* asset, bool stretch);
QLabel* makeLabel(QWidget* parent, const QRect& place, const char* text, std::uint32_t back,
                  std::uint32_t fore);
QGroupBox* makeFrame(QWidget* parent, const QRect& place, const char* caption);
QProgressBar* makeProgressBar(QWidget* parent, const QRect& place);
PictureBox* makePictureBox(QWidget* parent, const QRect& place);
void setTextColour(QWidget* widget, std::uint32_t colour);
