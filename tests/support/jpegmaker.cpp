#include "tests/support/jpegmaker.h"

#include "app/core/sampling.h"

#include <QDir>
#include <QTransform>

#include <cstdio>
#include <vector>

#include <jpeglib.h>
#include <turbojpeg.h>

QByteArray encodeJpeg(const QImage& picture, const JpegOptions& options) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
    cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
    const bool grey = options.colours == JpegColours::Grey;
    const bool inks = options.colours == JpegColours::Cmyk || options.colours == JpegColours::Ycck;
    cinfo.input_components = grey ? 1 : inks ? 4 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : inks ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    if (options.colours == JpegColours::Ycck)
        jpeg_set_colorspace(&cinfo, JCS_YCCK);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (!grey) {
        cinfo.comp_info[0].h_samp_factor = options.hSampling;
        cinfo.comp_info[0].v_samp_factor = options.vSampling;
    }
    if (options.progressive)
        jpeg_simple_progression(&cinfo);
    std::vector<jpeg_scan_info> scans;
    for (int k = 0; grey && k < 64 && options.bitSteps > 0; ++k) {
        const int last = options.bitSteps - 1;
        for (int bit = last; bit >= 0; --bit)
            scans.push_back({1, {0}, k, k, bit == last ? 0 : bit + 1, bit});
    }
    if (!scans.empty()) {
        cinfo.scan_info = scans.data();
        cinfo.num_scans = static_cast<int>(scans.size());
    }
    cinfo.arith_code = options.arithmetic ? TRUE : FALSE;
    cinfo.restart_in_rows = options.restartRows;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> line(static_cast<std::size_t>(rgb.width() * cinfo.input_components));
    while (cinfo.next_scanline < cinfo.image_height) {
        const auto* in =
            reinterpret_cast<const QRgb*>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = in[x];
            JSAMPLE* p = line.data() + x * cinfo.input_components;
            if (grey) {
                p[0] = static_cast<JSAMPLE>(qGray(c));
            } else if (inks) {
                // Inverted inks: white paper is 255. Black takes the darkest part.
                const int k = std::max({qRed(c), qGreen(c), qBlue(c), 1});
                p[0] = static_cast<JSAMPLE>(qRed(c) * 255 / k);
                p[1] = static_cast<JSAMPLE>(qGreen(c) * 255 / k);
                p[2] = static_cast<JSAMPLE>(qBlue(c) * 255 / k);
                p[3] = static_cast<JSAMPLE>(k);
            } else {
                p[0] = static_cast<JSAMPLE>(qRed(c));
                p[1] = static_cast<JSAMPLE>(qGreen(c));
                p[2] = static_cast<JSAMPLE>(qBlue(c));
            }
        }
        JSAMPROW row = line.data();
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
    std::free(out);
    return bytes;
}

QByteArray withOrientation(const QByteArray& jpeg, int orientation, bool bigEndian) {
    const auto u16 = [bigEndian](int v) {
        const char hi = static_cast<char>((v >> 8) & 0xFF);
        const char lo = static_cast<char>(v & 0xFF);
        QByteArray two;
        two.append(bigEndian ? hi : lo).append(bigEndian ? lo : hi);
        return two;
    };
    const auto u32 = [&u16, bigEndian](int v) {
        return bigEndian ? u16(v >> 16) + u16(v & 0xFFFF) : u16(v & 0xFFFF) + u16(v >> 16);
    };
    QByteArray tiff = bigEndian ? QByteArray("MM") : QByteArray("II");
    tiff += u16(42) + u32(8);
    // Two entries: another tag first, then the orientation; no next IFD.
    tiff += u16(2);
    tiff += u16(0x010F) + u16(2) + u32(4) + QByteArray("Cam", 4);
    tiff += u16(0x0112) + u16(3) + u32(1) + u16(orientation) + u16(0);
    tiff += u32(0);
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    const int length = static_cast<int>(payload.size()) + 2;
    QByteArray segment("\xFF\xE1", 2);
    segment += static_cast<char>(length >> 8);
    segment += static_cast<char>(length & 0xFF);
    segment += payload;
    return jpeg.left(2) + segment + jpeg.mid(2);
}

QImage referenceDecode(const QByteArray& jpeg, bool despiteWarnings) {
    tjhandle tj = tjInitDecompress();
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    auto* data = reinterpret_cast<const unsigned char*>(jpeg.constData());
    const auto size = static_cast<unsigned long>(jpeg.size());
    QImage out;
    const auto fine = [&](int result) {
        return result == 0 || (despiteWarnings && tjGetErrorCode(tj) == TJERR_WARNING);
    };
    if (fine(tjDecompressHeader3(tj, data, size, &width, &height, &subsampling, &colourspace))) {
        const bool inks = colourspace == TJCS_CMYK || colourspace == TJCS_YCCK;
        std::vector<unsigned char> pixels(std::size_t(width) * std::size_t(height) * 4);
        if (fine(tjDecompress2(tj, data, size, pixels.data(), width, width * 4, height,
                               inks ? TJPF_CMYK : TJPF_RGBX, TJFLAG_ACCURATEDCT))) {
            out = QImage(width, height, QImage::Format_RGB32);
            for (int y = 0; y < height; ++y) {
                auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
                const unsigned char* p = pixels.data() + std::size_t(y) * std::size_t(width) * 4;
                for (int x = 0; x < width; ++x, p += 4)
                    line[x] = inks ? qRgb(p[0] * p[3] / 255, p[1] * p[3] / 255, p[2] * p[3] / 255)
                                   : qRgb(p[0], p[1], p[2]);
            }
        }
    }
    tjDestroy(tj);
    return out;
}

QImage uprightOf(const QImage& stored, int orientation) {
    const QTransform quarter = QTransform().rotate(90);
    switch (orientation) {
    case 2:
        return stored.mirrored(true, false);
    case 3:
        return stored.mirrored(true, true);
    case 4:
        return stored.mirrored(false, true);
    case 5:
        return stored.transformed(quarter).mirrored(true, false);
    case 6:
        return stored.transformed(quarter);
    case 7:
        return stored.transformed(quarter).mirrored(false, true);
    case 8:
        return stored.transformed(QTransform().rotate(270));
    default:
        return stored;
    }
}

QImage storedFor(const QImage& upright, int orientation) {
    // Mirrorings and the half turn undo themselves; the quarter turns swap.
    if (orientation == 6)
        return uprightOf(upright, 8);
    if (orientation == 8)
        return uprightOf(upright, 6);
    return uprightOf(upright, orientation);
}

QImage designedSamples(const QImage& full, int width, int height) {
    const std::vector<float> xs = samplePositions(full.width(), static_cast<std::int16_t>(width));
    const std::vector<float> ys = samplePositions(full.height(), static_cast<std::int16_t>(height));
    QImage out(static_cast<int>(xs.size()), static_cast<int>(ys.size()), QImage::Format_RGB32);
    for (std::size_t j = 0; j < ys.size(); ++j)
        for (std::size_t i = 0; i < xs.size(); ++i)
            out.setPixel(static_cast<int>(i), static_cast<int>(j),
                         full.pixel(static_cast<int>(xs[i]), static_cast<int>(ys[j])));
    return out;
}

QStringList realPhotos() {
    QStringList out;
    const QDir folder(QStringLiteral("/usr/share/backgrounds/lomiri-wallpapers-16.04"));
    for (const QString& name : folder.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name))
        out << folder.filePath(name);
    if (out.isEmpty()) {
        // Where the package puts them on Debian 12.
        const QDir shared(QStringLiteral("/usr/share/backgrounds"));
        const QStringList lomiri = {"Bridge_by_Sander_Klootwijk.jpg",
                                    "Dragonfly_by_Bolly.jpg",
                                    "Picture_0B_by_freespace.jpg",
                                    "Picture_1A_by_freespace.jpg",
                                    "Wine_by_Jakkub_Mede.jpg",
                                    "aitzgorri_by_Aitzol_Berasategi.jpg",
                                    "analogpattern_by_Peter_Nerlich.jpg",
                                    "free_by_Peter_Nerlich.jpg",
                                    "friends_by_Aitzol_Berasategi.jpg",
                                    "greentock_by_Peter_Nerlich.jpg",
                                    "life_by_Aitzol_Berasategi.jpg",
                                    "picosdeeuropa_by_Aitzol_Berasategi.jpg",
                                    "seeding_by_Clements_Engelhardt.jpg",
                                    "sunset_by_Aitzol_Berasategi.jpg",
                                    "umang_by_Abhishek_Mudgal.jpg"};
        for (const QString& name : lomiri)
            if (shared.exists(name))
                out << shared.filePath(name);
    }
    return out;
}
