#include "camerajpeg.h"

#include <turbojpeg.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

std::uint8_t clampByte(int v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

// A soft scene: a sky gradient over a ground gradient and a few large soft
// discs; with noise, sensor grain on top and fine texture in the ground.
std::vector<std::uint8_t> scene(int width, int height, Content content, unsigned seed) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    struct Disc {
        float x, y, r;
        int dr, dg, db;
    };
    std::uint32_t state = seed * 2654435761u + 1;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    std::vector<Disc> discs;
    for (int i = 0; i < 6; ++i)
        discs.push_back({static_cast<float>(next() % width), static_cast<float>(next() % height),
                         static_cast<float>(height / 8 + next() % (height / 4)),
                         static_cast<int>(next() % 80) - 40, static_cast<int>(next() % 80) - 40,
                         static_cast<int>(next() % 80) - 40});
    const int horizon = height * 3 / 5;
    const bool noisy = content == Content::Noisy;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = rgb.data() + static_cast<std::size_t>(y) * width * 3;
        const bool sky = y < horizon;
        const int t = sky ? y * 255 / horizon : (y - horizon) * 255 / (height - horizon);
        for (int x = 0; x < width; ++x) {
            int r = sky ? 90 + t / 3 : 70 + t / 4;
            int g = sky ? 140 + t / 4 : 110 - t / 5;
            int b = sky ? 220 - t / 5 : 50 + t / 8;
            for (const Disc& d : discs) {
                const float dx = x - d.x;
                const float dy = y - d.y;
                if (std::fabs(dx) < d.r && std::fabs(dy) < d.r && dx * dx + dy * dy < d.r * d.r) {
                    r += d.dr;
                    g += d.dg;
                    b += d.db;
                }
            }
            if (noisy) {
                // Grain of a raised sensitivity, and foliage-like detail
                // below the horizon.
                const std::uint32_t n = next();
                const int grain = static_cast<int>(n & 15) - 8;
                const int texture = sky ? 0 : static_cast<int>((n >> 8) & 31) - 16;
                r += grain + texture;
                g += grain + texture + static_cast<int>((n >> 16) & 7) - 4;
                b += grain + static_cast<int>((n >> 24) & 7) - 4;
            }
            row[x * 3] = clampByte(r);
            row[x * 3 + 1] = clampByte(g);
            row[x * 3 + 2] = clampByte(b);
        }
    }
    return rgb;
}

} // namespace

QByteArray cameraJpeg(int width, int height, Content content, Coding coding, unsigned seed) {
    const std::vector<std::uint8_t> rgb = scene(width, height, content, seed);
    tjhandle tj = tjInitCompress();
    if (!tj)
        return {};
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const int flags = coding == Coding::Progressive ? TJFLAG_PROGRESSIVE : 0;
    const int rc = tjCompress2(tj, rgb.data(), width, width * 3, height, TJPF_RGB, &jpeg, &size,
                               TJSAMP_420, 92, flags);
    QByteArray out;
    if (rc == 0)
        out = QByteArray(reinterpret_cast<const char*>(jpeg), static_cast<qsizetype>(size));
    tjFree(jpeg);
    tjDestroy(tj);
    return out;
}
