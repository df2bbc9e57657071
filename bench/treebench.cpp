#include "treebench.h"

#include "benchwindow.h"
#include "photoset.h"
#include "referencedecoder.h"

#include <QDir>

namespace {

constexpr int kTreeFolders = 20;
constexpr int kTreePhotos = 300;

} // namespace

void addTree(BenchWindow& bench, const QStringList& sources, const QString& folder, int runs,
             std::vector<FlowRuns>& table) {
    FlowRuns flow{QStringLiteral("add a tree of %1 photos of 12 MP in %2 folders")
                      .arg(kTreePhotos)
                      .arg(kTreeFolders),
                  QStringLiteral("<= 0.6"),
                  0.6,
                  {},
                  {}};
    // Month folders, as a phone's export has them; true copies, each its own
    // file, so that no thumbnail is shared.
    QStringList photos;
    QStringList turned = sources;
    for (int month = 1; month <= kTreeFolders; ++month) {
        const QString path = QStringLiteral("%1/2024-%2").arg(folder).arg(month, 2, 10, QChar('0'));
        QDir().mkpath(path);
        photos << spreadPhotos(turned, path, kTreePhotos / kTreeFolders, true);
        turned.append(turned.takeFirst());
    }
    if (photos.size() != kTreePhotos)
        return;
    ReferenceDecoder decoder;
    if (bench.rows() > 0)
        bench.removePickedMs(1, bench.rows());
    for (int run = 0; run < runs; ++run) {
        BenchWindow::forgetKeptPictures();
        double serial = 0;
        for (const QString& path : photos)
            serial += decoder.decodeMs(fileBytes(path));
        flow.referenceMs.push_back(serial);
        flow.flowMs.push_back(bench.addTreeMs(folder));
        if (bench.rows() != kTreePhotos)
            flow.flowMs.back() = -1;
        bench.undoMs(); // the whole tree is one step
    }
    table.push_back(flow);
}
