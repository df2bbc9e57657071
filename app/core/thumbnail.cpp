#include "thumbnail.h"

#include "filelist.h"
#include "picturebox.h"

#include <QProgressBar>

// First cut: plain nearest sampling without the preview frame.
void thumbnail(std::int16_t width, std::int16_t height, PictureBox& source, PictureBox& target,
               bool preview, const ThumbnailEnv& env)
{
    env.File1.setEnabled(false);
    const int w = preview ? 329 : width;
    const int h = preview ? 329 : height;
    target.setBoxHeight(h);
    target.setBoxWidth(w);
    const float W = static_cast<float>(source.ScaleWidth());
    const float H = static_cast<float>(source.ScaleHeight());
    const float stepX = W / static_cast<float>(width);
    const float stepY = H / static_cast<float>(height);
    int r = 0;
    for (float sy = 0; sy <= H - 1; sy += stepY, ++r) {
        int c = 0;
        for (float sx = 0; sx <= W - 1; sx += stepX, ++c)
            target.PSet(c, r, source.Point(sx, sy));
    }
    target.Refresh();
    target.setPictureFromImage();
    target.show();
    env.File1.setEnabled(true);
}
