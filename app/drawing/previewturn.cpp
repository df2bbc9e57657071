#include "app/drawing/previewturn.h"

#include "app/core/rotation.h"
#include "platform/controls/picturebox.h"

namespace {

constexpr std::int32_t kWhite = 0x00FFFFFF;
constexpr std::int32_t kOutside = -1;

PreviewPlace placeOf(const PictureBox& preview) {
    return {static_cast<double>(preview.x()), static_cast<double>(preview.y()),
            preview.ScaleHeight()};
}

} // namespace

void rotate_pict(PictureBox& source, PictureBox& backBuffer, bool showProgress,
                 const RotationEnv& env) {
    if (showProgress)
        env.progress.start();
    const PreviewPlace at = placeOf(env.Image11);
    const int sourceLeft = source.x();
    const int sourceTop = source.y();
    // One step past the last pixel on purpose: those points read as outside.
    for (int x = 0; x <= source.ScaleWidth(); ++x) {
        if (showProgress)
            env.progress.reach(x, source.ScaleWidth());
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
    if (showProgress)
        env.progress.finish();
}

void rotatePreview(PictureBox& Image11, PictureBox& image110, const Progress& progress) {
    const int width = Image11.width();
    const int scaleWidth = Image11.ScaleWidth();
    Image11.setBoxWidth(Image11.height());
    Image11.setScaleWidth(Image11.ScaleHeight());
    Image11.setBoxHeight(width);
    Image11.setScaleHeight(scaleWidth);
    rotate_pict(Image11, image110, true, {Image11, progress});
}
