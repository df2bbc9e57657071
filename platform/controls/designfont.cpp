#include "platform/controls/designfont.h"

#include <QApplication>
#include <QFontDatabase>

namespace {
// Arial's widths, which are close to the design font's: every fixed text of
// the windows fits the width its control was designed with, as it did there.
// A wider sans (DejaVu Sans) cut "Doble Click in the file to select...".
const char* const kFontFile = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
const char* const kFamily = "Liberation Sans";
// 8.25 pt at 96 dpi.
constexpr int kPixelSize = 11;
} // namespace

void installDesignFont() {
    static bool done = false;
    if (done)
        return;
    done = true;
    QFontDatabase::addApplicationFont(QString::fromLatin1(kFontFile));
    QApplication::setFont(designFont());
}

QFont designFont() {
    QFont font(QString::fromLatin1(kFamily));
    font.setPixelSize(kPixelSize);
    font.setWeight(QFont::Normal);
    return font;
}
