#include "thumbnail.h"

#include "filelist.h"
#include "picturebox.h"
#include "previewgeometry.h"
#include "rounding.h"

#include <QProgressBar>

#include <limits>

namespace {

constexpr std::int16_t kCounterLimit = std::numeric_limits<std::int16_t>::max();

// Every point of the square, both ends included, in the target's own
// background colour, read afresh for each point as the window's colour was.
void paintBackground(PictureBox& target) {
    for (int x = 0; x <= kPreviewSide; ++x)
        for (int y = 0; y <= kPreviewSide; ++y)
            target.PSet(x, y, static_cast<std::int32_t>(target.BackColor()));
}

} // namespace

void thumbnail(std::int16_t width, std::int16_t height, PictureBox& source, PictureBox& target,
               bool preview, const ThumbnailEnv& env) {
    // The steps divide by both sides.
    if (width < 1 || height < 1)
        return;

    FileList& list = env.File1;
    const bool listHadFocus = list.window()->focusWidget() == &list;
    list.setEnabled(false);

    // Picture boxes work in pixels throughout; nothing to switch.
    if (preview) {
        target.setBoxHeight(kPreviewSide);
        target.setBoxWidth(kPreviewSide);
        env.ProgressBar1.show();
        env.ProgressBar1.setValue(1);
    } else {
        target.setBoxHeight(height);
        target.setBoxWidth(width);
    }
    target.hide();
    if (preview)
        paintBackground(target);

    // Sizes, steps and positions are single precision on purpose: the rows and
    // columns drawn are the float positions 0, step, 2 x step, ... up to the
    // last pixel.
    const float w = width;
    const float h = height;
    const float W = static_cast<float>(source.ScaleWidth());
    const float H = static_cast<float>(source.ScaleHeight());
    float dx = 0;
    float dy = 0;
    if (preview) {
        if (w > h)
            dy = w - h;
        else if (h > w)
            dx = h - w;
    }
    const float rowStep = H / h;
    const float columnStep = W / w;
    const double halfDx = static_cast<double>(dx) / 2;
    const double halfDy = static_cast<double>(dy) / 2;

    float sy = 0;
    std::int16_t r = 0;
    while (sy <= H - 1) {
        if (preview) {
            env.ProgressBar1.setMaximum(static_cast<int>(H - 1));
            env.ProgressBar1.setValue(static_cast<int>(roundHalfEven(sy)));
        }
        const float y = static_cast<float>(halfDy + r);
        float sx = 0;
        std::int16_t c = 0;
        while (sx <= W - 1) {
            target.PSet(static_cast<float>(halfDx + c), y, source.Point(sx, sy));
            sx += columnStep;
            // The counters are 16-bit: a wider target has no place to go.
            if (c == kCounterLimit)
                break;
            ++c;
        }
        sy += rowStep;
        if (r == kCounterLimit)
            break;
        ++r;
    }

    target.Refresh();
    if (preview)
        env.ProgressBar1.hide();
    target.setPictureFromImage();
    target.show();
    list.setEnabled(true);
    if (listHadFocus)
        list.setFocus();
}
