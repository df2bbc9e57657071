#include "buttonpainter.h"

// Placeholder until the face painting lands: a plain face.
RefreshError paintButton(QImage& surface, const ButtonState& state, ButtonDrawState& draw)
{
    Q_UNUSED(state);
    const ColorValue face = draw.FaceColor & 0x80000000u ? 0x00C8D0D4u : draw.FaceColor;
    surface.fill(QColor(face & 0xFF, (face >> 8) & 0xFF, (face >> 16) & 0xFF));
    return RefreshError::None;
}
