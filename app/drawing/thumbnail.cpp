#include "app/drawing/thumbnail.h"

#include "app/core/previewgeometry.h"
#include "app/core/sampling.h"
#include "platform/controls/filelist.h"
#include "platform/controls/picturebox.h"
#include "platform/units/rounding.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Whether the target's scale is its drawing's pixels, so that rows can be
// written straight into the drawing instead of point by point.
bool drawsOneToOne(const PictureBox& target) {
    return target.ScaleWidth() == target.Image().width() &&
           target.ScaleHeight() == target.Image().height();
}

// Every point of the square, both ends included, in the target's own
// background colour: what the window's colour was read for. Points past the
// box fall outside its drawing, so the fill covers exactly the box.
void paintBackground(PictureBox& target) {
    if (!drawsOneToOne(target)) {
        for (int x = 0; x <= kPreviewSide; ++x)
            for (int y = 0; y <= kPreviewSide; ++y)
                target.PSet(x, y, static_cast<std::int32_t>(target.BackColor()));
        return;
    }
    QImage& surface = target.surface();
    const QRgb colour = colourFromValue(target.BackColor()).rgb();
    const int w = std::min(surface.width(), kPreviewSide + 1);
    for (int y = 0; y < std::min(surface.height(), kPreviewSide + 1); ++y)
        std::fill_n(reinterpret_cast<QRgb*>(surface.scanLine(y)), w, colour);
}

// Row r of the samples at (left, top + r), clipped to the target as single
// writes would be.
void drawRow(const QImage& block, int r, int left, int top, PictureBox& target) {
    const int y = top + r;
    if (!drawsOneToOne(target)) {
        const auto* in = reinterpret_cast<const QRgb*>(block.constScanLine(r));
        for (int c = 0; c < block.width(); ++c)
            target.PSet(left + c, y, valueFromColour(in[c]));
        return;
    }
    QImage& surface = target.surface();
    if (y < 0 || y >= surface.height())
        return;
    const int from = std::max(0, -left);
    const int to = std::min(block.width(), surface.width() - left);
    if (to <= from)
        return;
    std::memcpy(reinterpret_cast<QRgb*>(surface.scanLine(y)) + left + from,
                reinterpret_cast<const QRgb*>(block.constScanLine(r)) + from,
                static_cast<std::size_t>(to - from) * sizeof(QRgb));
}

void drawBlock(const Samples& samples, std::int16_t width, std::int16_t height, bool preview,
               PictureBox& target, const Progress* progress) {
    const QPoint origin = drawingOrigin(width, height, preview);
    std::vector<float> rows;
    if (progress)
        rows = samplePositions(samples.trueSize.height(), height);
    const float H = static_cast<float>(samples.trueSize.height());
    const int count = progress ? static_cast<int>(rows.size()) : samples.block.height();
    for (int r = 0; r < count; ++r) {
        if (progress)
            progress->reach(static_cast<int>(roundHalfEven(rows[static_cast<std::size_t>(r)])),
                            static_cast<int>(H - 1));
        if (r < samples.block.height())
            drawRow(samples.block, r, origin.x(), origin.y(), target);
    }
}

} // namespace

void thumbnail(std::int16_t width, std::int16_t height, PictureBox& source, PictureBox& target,
               bool preview, const ThumbnailEnv& env) {
    // The steps divide by both sides.
    if (width < 1 || height < 1)
        return;
    thumbnail(samplePicture(source.Image(), QSize(source.ScaleWidth(), source.ScaleHeight()),
                            source.keptGrid(), width, height),
              width, height, target, preview, env);
}

void thumbnail(const Samples& samples, std::int16_t width, std::int16_t height, PictureBox& target,
               bool preview, const ThumbnailEnv& env) {
    if (width < 1 || height < 1)
        return;
    FileList& list = env.File1;
    const bool listHadFocus = list.window()->focusWidget() == &list;
    list.setEnabled(false);

    // Picture boxes work in pixels throughout; nothing to switch.
    if (preview) {
        target.setBoxHeight(kPreviewSide);
        target.setBoxWidth(kPreviewSide);
        env.progress.start();
    } else {
        target.setBoxHeight(height);
        target.setBoxWidth(width);
    }
    target.hide();
    if (preview)
        paintBackground(target);
    drawBlock(samples, width, height, preview, target, preview ? &env.progress : nullptr);

    target.Refresh();
    if (preview)
        env.progress.finish();
    target.setPictureFromImage();
    target.show();
    list.setEnabled(true);
    if (listHadFocus)
        list.setFocus();
}

void drawPlainThumbnail(const Samples& samples, std::int16_t width, std::int16_t height,
                        PictureBox& target) {
    if (width < 1 || height < 1)
        return;
    target.setBoxHeight(height);
    target.setBoxWidth(width);
    drawBlock(samples, width, height, false, target, nullptr);
    target.setPictureFromImage();
}
