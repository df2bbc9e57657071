#pragma once

class XpButton;

// Screen readers see an XpButton as a push button: its caption is its name
// (without the access-key marks), or, for a picture-only button, the
// accessible name its window gives it; pressing it through the press action
// clicks it as its access key does; it tells when it is focused or pressed.

// Registers the button's accessibility with Qt; once is enough, more is
// harmless.
void installXpButtonAccessibility();

// Tells assistive technology that the pressed state changed since it was
// last told (`announced` keeps what it was told).
void announcePressed(XpButton& button, bool& announced);
// Tells it that the name changed.
void announceName(XpButton& button);
