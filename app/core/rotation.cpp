#include "app/core/rotation.h"

#include "platform/controls/picturebox.h"
#include "platform/controls/repaintpacer.h"
#include "platform/units/rounding.h"

#include <QProgressBar>

#include <optional>
#include <utility>

namespace {

constexpr std::int32_t kWhite = 0x00FFFFFF;
constexpr std::int32_t kOutside = -1;

PreviewPlace placeOf(const PictureBox& preview) {
    return {static_cast<double>(preview.x()), static_cast<double>(preview.y()),
            preview.ScaleHeight()};
}

} // namespace

Point16 to_local(Point16 p, const PreviewPlace& at) {
    return {roundToInt16(p.x - at.left), roundToInt16(at.top - p.y)};
}

Point16& turn_point(Point16& p, std::int16_t& angle, int direction) {
    angle = roundToInt16(angle / 90.0);
    for (int i = 0; i < angle; ++i) {
        std::swap(p.x, p.y);
        if (direction == 0)
            p.y = static_cast<std::int16_t>(-p.y);
        else if (direction == 1)
            p.x = static_cast<std::int16_t>(-p.x);
    }
    return p;
}

Point16 to_screen(Point16 p, const PreviewPlace& at) {
    const double across = at.rows - 1 - at.top;
    return {roundToInt16(at.left + across + p.x), roundToInt16(at.top + at.left - p.y)};
}

void rotate_pict(PictureBox& source, PictureBox& backBuffer, bool showProgress,
                 const RotationEnv& env) {
    // Painted now and then, not at every column: the turn takes a few
    // hundredths of a second.
    std::optional<RepaintPacer> painter;
    if (showProgress) {
        env.ProgressBar1.show();
        painter.emplace(env.ProgressBar1, 25, QList<QWidget*>{&env.ProgressBar1});
        env.ProgressBar1.setValue(1);
    }
    const PreviewPlace at = placeOf(env.Image11);
    const int sourceLeft = source.x();
    const int sourceTop = source.y();
    // One step past the last pixel on purpose: those points read as outside.
    for (int x = 0; x <= source.ScaleWidth(); ++x) {
        if (showProgress) {
            env.ProgressBar1.setMaximum(source.ScaleWidth());
            env.ProgressBar1.setValue(x);
            painter->step();
        }
        for (int y = 0; y <= source.ScaleHeight(); ++y) {
            const std::int32_t c = source.Point(x, y);
            // The back buffer is white already; outside points have no colour.
            if (c == kWhite || c == kOutside)
                continue;
            Point16 p{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
            p = to_local(p, at);
            std::int16_t angle = 90;
            p = turn_point(p, angle, 0);
            p = to_screen(p, at);
            backBuffer.PSet(p.x - sourceLeft, p.y - sourceTop, source.Point(x, y));
        }
    }
    source.Cls();
    source.PaintPicture(backBuffer.Image(), 0, 0);
    backBuffer.Cls();
    painter.reset();
    if (showProgress)
        env.ProgressBar1.hide();
}

void rotatePreview(PictureBox& Image11, PictureBox& image110, QProgressBar& ProgressBar1) {
    const int width = Image11.width();
    const int scaleWidth = Image11.ScaleWidth();
    Image11.setBoxWidth(Image11.height());
    Image11.setScaleWidth(Image11.ScaleHeight());
    Image11.setBoxHeight(width);
    Image11.setScaleHeight(scaleWidth);
    rotate_pict(Image11, image110, true, {Image11, ProgressBar1});
}
