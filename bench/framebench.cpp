#include "framebench.h"

#include "benchwindow.h"
#include "camerajpeg.h"
#include "photoset.h"
#include "selection/order/framing.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <functional>
#include <memory>
#include <vector>

#include <turbojpeg.h>

namespace {

constexpr int kPhotos = 100;
constexpr double kFrameMs = 1000.0 / 60;

// The prints: a smaller cut off centre, and the whole photo, on 13x18 paper.
const Framing kCut{FramingMode::Fill, 0.8, 0.4, 0.6};
const Framing kWhole{FramingMode::Whole};
const PrintSize kPaper{13, 18};

// TurboJPEG's decode of the photo and its encode of the print: the cut
// encoded where it lies in the decoded picture, the whole photo decoded
// straight onto white paper. Buffers are kept from call to call.
class ReferencePrint {
public:
    double ms(const QByteArray& jpeg, QSize photo, const Framing& framing) {
        QElapsedTimer clock;
        clock.start();
        const bool whole = framing.mode == FramingMode::Whole;
        const WholeOnPaper on = wholeOnPaper(photo, kPaper);
        const QSize size = whole ? on.paper : photo;
        const int pitch = size.width() * 4;
        const auto bytes = std::size_t(pitch) * std::size_t(size.height());
        // One buffer for each framing, made white once: the decode of a cut
        // would cover the paper's borders.
        std::vector<unsigned char>& pixels = m_pixels[whole ? 1 : 0];
        if (pixels.size() != bytes)
            pixels.assign(bytes, 0xFF);
        unsigned char* at = pixels.data();
        if (whole)
            at +=
                std::size_t(on.photoAt.y()) * std::size_t(pitch) + std::size_t(on.photoAt.x()) * 4;
        bool ok =
            tjDecompress2(m_decoder.get(), reinterpret_cast<const unsigned char*>(jpeg.data()),
                          static_cast<unsigned long>(jpeg.size()), at, photo.width(), pitch,
                          photo.height(), TJPF_BGRX, 0) == 0;
        const QRect cut = whole ? QRect(QPoint(), size) : fillCut(photo, kPaper, framing);
        unsigned char* out = nullptr;
        unsigned long length = 0;
        ok = ok && tjCompress2(m_encoder.get(),
                               pixels.data() + std::size_t(cut.top()) * std::size_t(pitch) +
                                   std::size_t(cut.left()) * 4,
                               cut.width(), pitch, cut.height(), TJPF_BGRX, &out, &length,
                               TJSAMP_420, 95, 0) == 0;
        tjFree(out);
        return ok ? static_cast<double>(clock.nsecsElapsed()) / 1e6 : -1;
    }

private:
    std::unique_ptr<void, decltype(&tjDestroy)> m_decoder{tjInitDecompress(), tjDestroy};
    std::unique_ptr<void, decltype(&tjDestroy)> m_encoder{tjInitCompress(), tjDestroy};
    std::vector<unsigned char> m_pixels[2];
};

// A project of the photo under n names at 13x18, framed as framingLine says
// for row i (1 for the first).
QString writeFramedProject(const QString& folder, const QByteArray& photo, int n,
                           const std::function<QByteArray(int)>& framingLine) {
    QByteArray project = QByteArray::number(n).prepend(' ').append(" \r\n");
    QByteArray block = "[Marvolia framing] " + QByteArray::number(n) + "\r\n";
    for (int i = 1; i <= n; ++i) {
        const QString path = folder + QStringLiteral("/p%1.jpg").arg(i);
        writeBytes(path, photo);
        project += QFile::encodeName(path) + "\r\n1\r\n13x18\r\n";
        block += QByteArray::number(i) + ' ' + framingLine(i) + "\r\n";
    }
    const QString order = folder + QStringLiteral("-order.mvl");
    writeBytes(order, project + block);
    return order;
}

} // namespace

void labFrames(BenchWindow& bench, const QString& folder, int runs, std::vector<FlowRuns>& table) {
    FlowRuns flow{QStringLiteral("copy to a folder of %1 framed 24 MP photos").arg(kPhotos),
                  QStringLiteral("<= 0.6"),
                  0.6,
                  {},
                  {}};
    QDir().mkpath(folder);
    const QSize size(6000, 4000);
    const QByteArray photo =
        cameraJpeg(size.width(), size.height(), Content::Noisy, Coding::Baseline, 11);
    bench.openMs(writeFramedProject(folder, photo, kPhotos, [](int i) {
        return i % 2 ? QByteArray("fill 0.8 0.4 0.6") : QByteArray("whole");
    }));
    const QString lab = folder + QStringLiteral("-lab");
    ReferencePrint reference;
    for (int run = 0; run < runs; ++run) {
        QDir(lab).removeRecursively();
        QDir().mkpath(lab);
        double serial = 0;
        for (int i = 1; i <= kPhotos && serial >= 0; ++i) {
            const double ms = reference.ms(photo, size, i % 2 ? kCut : kWhole);
            serial = ms < 0 ? -1 : serial + ms;
        }
        flow.referenceMs.push_back(serial);
        flow.flowMs.push_back(bench.copyToFolderMs(lab, lab + QStringLiteral("/order.txt")));
        if (QDir(lab).entryList(QDir::Files).size() != kPhotos + 1)
            flow.flowMs.back() = -1;
    }
    QDir(lab).removeRecursively();
    table.push_back(flow);
}

void frameSteps(BenchWindow& bench, const QString& folder, int steps,
                std::vector<FlowRuns>& table) {
    FlowRuns flow{QStringLiteral("move the frame in the row editor (worst step)"),
                  QStringLiteral("<= 1 (16.7 ms)"),
                  1,
                  {},
                  {}};
    flow.byWorst = true;
    QDir().mkpath(folder);
    const QByteArray photo = cameraJpeg(6000, 4000, Content::Noisy, Coding::Baseline, 12);
    // A smaller cut, with room to move every way.
    bench.openMs(
        writeFramedProject(folder, photo, 1, [](int) { return QByteArray("fill 0.9 0.5 0.5"); }));
    flow.flowMs = bench.frameStepsMs(steps);
    flow.referenceMs.assign(flow.flowMs.size(), kFrameMs);
    table.push_back(flow);
}
