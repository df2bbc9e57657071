#include "designfont.h"

#include <QApplication>
#include <QFontDatabase>

namespace {
const char* const kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* const kFamily = "DejaVu Sans";
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
