#include "formatbench.h"

#include "benchwindow.h"
#include "camerajpeg.h"
#include "mainwindowui.h"
#include "photoset.h"
#include "platform/controls/filelist.h"
#include "tiledheic.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QProcess>

#include <csetjmp>
#include <cstring>

#include <libheif/heif.h>
#include <png.h>
#include <turbojpeg.h>

namespace {

double msSince(const QElapsedTimer& clock) {
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// libheif's decode, and with encode TurboJPEG's encode of it as the lab's
// JPEG is made (quality 95, 4:2:0). libheif makes a picture of its own for
// every decode: no buffer to reuse.
double heifMs(const QByteArray& bytes, bool encode) {
    QElapsedTimer clock;
    clock.start();
    heif_context* context = heif_context_alloc();
    heif_image_handle* handle = nullptr;
    heif_image* image = nullptr;
    bool ok = !heif_context_read_from_memory_without_copy(context, bytes.constData(),
                                                          std::size_t(bytes.size()), nullptr)
                   .code &&
              !heif_context_get_primary_image_handle(context, &handle).code &&
              !heif_decode_image(handle, &image, heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                                 nullptr)
                   .code;
    if (ok && encode) {
        int stride = 0;
        const uint8_t* rgb =
            heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride);
        tjhandle encoder = tjInitCompress();
        unsigned char* jpeg = nullptr;
        unsigned long size = 0;
        ok = tjCompress2(encoder, rgb, heif_image_get_width(image, heif_channel_interleaved),
                         stride, heif_image_get_height(image, heif_channel_interleaved), TJPF_RGB,
                         &jpeg, &size, TJSAMP_420, 95, 0) == 0;
        tjFree(jpeg);
        tjDestroy(encoder);
    }
    if (image)
        heif_image_release(image);
    if (handle)
        heif_image_handle_release(handle);
    heif_context_free(context);
    return ok ? msSince(clock) : -1;
}

struct MemoryRead {
    const QByteArray* bytes;
    qsizetype at = 0;
};

void readBytes(png_structp png, png_bytep data, png_size_t size) {
    auto* m = static_cast<MemoryRead*>(png_get_io_ptr(png));
    if (m->at + qsizetype(size) > m->bytes->size())
        png_error(png, "cut short");
    std::memcpy(data, m->bytes->constData() + m->at, size);
    m->at += qsizetype(size);
}

// libpng's decode into rows of a buffer kept from call to call.
double pngDecodeMs(const QByteArray& bytes, std::vector<png_byte>& buffer) {
    QElapsedTimer clock;
    clock.start();
    MemoryRead source{&bytes};
    std::vector<png_bytep> rows;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return -1;
    }
    png_set_read_fn(png, &source, readBytes);
    png_read_info(png, info);
    png_read_update_info(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    const std::size_t height = png_get_image_height(png, info);
    if (buffer.size() < rowBytes * height)
        buffer.resize(rowBytes * height);
    for (std::size_t y = 0; y < height; ++y)
        rows.push_back(&buffer[y * rowBytes]);
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return msSince(clock);
}

// A 12 MP HEIC made by heif-enc from a camera-like JPEG beside folder.
QString makeHeic12(const QString& folder, const QString& name) {
    const QString jpeg12 = folder + QStringLiteral("-source-12mp.jpg");
    if (!QFile::exists(jpeg12))
        writeBytes(jpeg12, cameraJpeg(4000, 3000, Content::Noisy, Coding::Baseline, 5));
    const QString heic = folder + QLatin1Char('/') + name;
    QProcess encoder;
    encoder.start(QStringLiteral("heif-enc"),
                  {QStringLiteral("-q"), QStringLiteral("90"), QStringLiteral("-o"), heic, jpeg12});
    encoder.waitForFinished(-1);
    return heic;
}

int fileIndex(BenchWindow& bench, const QString& path) {
    const QList<QListWidgetItem*> found =
        ui(bench.window()).File1->findItems(QFileInfo(path).fileName(), Qt::MatchExactly);
    return found.isEmpty() ? -1 : ui(bench.window()).File1->row(found.first());
}

} // namespace

void formatPreviews(BenchWindow& bench, const QString& folder, int runs,
                    std::vector<FlowRuns>& table) {
    QDir().mkpath(folder);
    const QString spacer = folder + QStringLiteral("/0-spacer.jpg");
    writeBytes(spacer, cameraJpeg(64, 48, Content::Smooth, Coding::Baseline, 99));
    const QString heic = makeHeic12(folder, QStringLiteral("12mp.heic"));
    const QString png = folder + QStringLiteral("/24mp.png");
    QImageWriter(png, "png")
        .write(QImage::fromData(cameraJpeg(6000, 4000, Content::Smooth, Coding::Baseline, 6)));

    bench.browse(folder);
    std::vector<png_byte> buffer;
    const struct {
        QString flow;
        QString path;
        bool heif;
    } photos[] = {{QStringLiteral("preview of a 12 MP HEIC photo"), heic, true},
                  {QStringLiteral("preview of a 24 MP PNG"), png, false}};
    for (const auto& photo : photos) {
        FlowRuns flow{photo.flow, QStringLiteral("<= 1.05"), 1.05, {}, {}};
        const QByteArray bytes = fileBytes(photo.path);
        const int index = fileIndex(bench, photo.path);
        if (bytes.isEmpty() || index < 0)
            continue;
        bench.previewMs(fileIndex(bench, spacer));
        bench.previewMs(index); // once unmeasured
        for (int run = 0; run < runs; ++run) {
            bench.previewMs(fileIndex(bench, spacer));
            BenchWindow::forgetKeptPictures();
            const auto reference = [&] {
                return photo.heif ? heifMs(bytes, false) : pngDecodeMs(bytes, buffer);
            };
            flow.referenceMs.push_back(median({reference(), reference(), reference()}));
            flow.flowMs.push_back(bench.previewMs(index));
        }
        table.push_back(flow);
    }
}

void labJpegs(BenchWindow& bench, const QString& folder, int runs, std::vector<FlowRuns>& table) {
    constexpr int kPhotos = 100;
    FlowRuns flow{QStringLiteral("copy to a folder of %1 HEIC photos of 12 MP").arg(kPhotos),
                  QStringLiteral("<= 0.6"),
                  0.6,
                  {},
                  {}};
    QDir().mkpath(folder);
    const QString heic = makeHeic12(folder, QStringLiteral("p0.heic"));
    const QByteArray bytes = fileBytes(heic);
    if (bytes.isEmpty())
        return;
    QByteArray project = QByteArray::number(kPhotos).prepend(' ').append(" \r\n");
    for (int i = 0; i < kPhotos; ++i) {
        const QString path = folder + QStringLiteral("/p%1.heic").arg(i);
        if (i > 0)
            writeBytes(path, bytes);
        project += '"' + QFile::encodeName(path) + "\"\r\n1\r\n10x15\r\n";
    }
    const QString order = folder + QStringLiteral("-order.mvl");
    writeBytes(order, project);
    bench.openMs(order);
    const QString lab = folder + QStringLiteral("-lab");
    for (int run = 0; run < runs; ++run) {
        QDir(lab).removeRecursively();
        QDir().mkpath(lab);
        double serial = 0;
        for (int i = 0; i < kPhotos && serial >= 0; ++i) {
            const double ms = heifMs(bytes, true);
            serial = ms < 0 ? -1 : serial + ms;
        }
        flow.referenceMs.push_back(serial);
        flow.flowMs.push_back(bench.copyToFolderMs(lab, lab + QStringLiteral("/order.txt")));
    }
    QDir(lab).removeRecursively();
    table.push_back(flow);
}

void makeHeicPhotos(const QString& folder, int width, int height, int count) {
    QDir().mkpath(folder);
    QStringList made;
    for (unsigned seed : {11u, 12u}) {
        const QString path = folder + QStringLiteral("/source%1.heic").arg(seed);
        if (writeBytes(path, tiledHeic(width, height, seed)))
            made << path;
    }
    for (const QString& path : spreadPhotos(made, folder, count, true))
        QFile::rename(path, QFileInfo(path).path() + QLatin1Char('/') +
                                QFileInfo(path).completeBaseName() + QStringLiteral(".heic"));
    for (const QString& path : made)
        QFile::remove(path);
}
