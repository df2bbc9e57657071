#pragma once

#include "buttonstate.h"

#include <QImage>

// One refresh of the button: clears the surface to the face colour and paints
// background, border, picture, focus rectangle and caption in that order.
// The surface is the button's client area. Returns the error that ended the
// refresh early, if any.
RefreshError paintButton(QImage& surface, const ButtonState& state, ButtonDrawState& draw);
