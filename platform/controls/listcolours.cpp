#include "platform/controls/listcolours.h"

#include "platform/units/syscolours.h"

#include <QPalette>
#include <QWidget>

namespace {
constexpr std::uint32_t kHighlight = 0x8000000D;
constexpr std::uint32_t kHighlightText = 0x8000000E;
} // namespace

void useSystemHighlight(QWidget& list) {
    QPalette pal = list.palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Highlight, colourFromValue(kHighlight));
        pal.setColor(group, QPalette::HighlightedText, colourFromValue(kHighlightText));
    }
    list.setPalette(pal);
}
