#pragma once

#include "xpbutton/face/buttonstate.h"
#include "xpbutton/gdi/devicecontext.h"

#include <cstdint>

// Draws the picture at g_PictureRect: lifted 3 pixels over a grey silhouette
// while hovered in style 2, sunk one pixel while pressed (not in style 2),
// the disabled image on a disabled button. Only bitmaps and icons are drawn.
// g_PictureRect is put back afterwards, also when drawing fails. Throws
// OverflowError when the picture is larger than 32767 pixels either way.
void DrawPicture(DeviceContext& hDC, const ButtonState& state, ButtonDrawState& draw);

// A bitmap picture at the rectangle's top-left in PictureWidth x
// PictureHeight: normal = 1 the picture with its MaskColor pixels
// transparent; normal = 0 with shadow = 1 a grey silhouette; normal = 0 with
// shadow = 0 the disabled image: embossed like a disabled icon, transparent
// where the picture shows MaskColor or white.
void DrawBitmapPicture(DeviceContext& hDC, const ButtonState& state, std::uint8_t normal,
                       const WinRect& rect, std::uint8_t shadow);

// The same for an icon: normal = 1 scaled into the rectangle with its own
// transparency; otherwise a grey silhouette or the embossed disabled icon.
void DrawIconPicture(DeviceContext& hDC, const ButtonState& state, std::uint8_t normal,
                     const WinRect& rect, std::uint8_t shadow);

// The grey of the silhouette.
constexpr ColorValue kSilhouetteGrey = 146 | 146 << 8 | 146 << 16;
