// Paints every picture the program ships. (The site pages in assets/site are
// plain text and kept as they are written.)
//
//   makeassets <repository root>
//
// Writes into <root>/assets. The output depends only on this source and the
// DejaVu fonts of the Debian package, so running it again gives the same files.

#include "artwork.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>
#include <functional>

namespace {

struct ImageAsset {
    const char* path; // under assets/
    std::function<QImage()> paint;
    const char* format;
};

const ImageAsset kImages[] = {
    {"images/banner.png", mainBanner, "png"},
    {"images/logo.png", logo, "png"},
    {"images/props_banner.png", propsBanner, "png"},
    {"images/cmd_open.png", openCommandIcon, "png"},
    {"images/cmd_save.png", saveCommandIcon, "png"},
    {"images/cmd_copy.png", copyCommandIcon, "png"},
    {"images/cmd_list.png", listCommandIcon, "png"},
    {"images/cmd_help.png", helpCommandIcon, "png"},
    {"images/jpegicon.png", jpegIcon, "png"},
    {"images/rotate.png", rotateIcon, "png"},
    {"images/icon16.png", [] { return windowIcon(16); }, "png"},
    {"images/icon32.png", [] { return windowIcon(32); }, "png"},
    {"images/icon48.png", [] { return windowIcon(48); }, "png"},
    {"images/hand.png", handCursor, "png"},
    {"no.jpg", noCopiesMarker, "jpg"},
    {"packaging/project16.png", [] { return projectFileIcon(16); }, "png"},
    {"packaging/project32.png", [] { return projectFileIcon(32); }, "png"},
    {"packaging/project48.png", [] { return projectFileIcon(48); }, "png"},
};

bool makeFolderFor(const QString& file) {
    const QString folder = QFileInfo(file).absolutePath();
    if (QDir().mkpath(folder))
        return true;
    std::fprintf(stderr, "makeassets: cannot create the folder %s\n", qPrintable(folder));
    return false;
}

bool writeImage(const QString& file, const QImage& image, const char* format) {
    QImageWriter writer(file, format);
    if (qstrcmp(format, "jpg") == 0)
        writer.setQuality(95);
    if (!writer.write(image)) {
        std::fprintf(stderr, "makeassets: cannot write %s: %s\n", qPrintable(file),
                     qPrintable(writer.errorString()));
        return false;
    }
    std::printf("%-28s %4d x %-3d\n", qPrintable(file), image.width(), image.height());
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    // Painting needs fonts, not a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeassets <repository root>\n");
        return 2;
    }
    const QDir assets(QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("assets")));

    bool ok = true;
    for (const ImageAsset& asset : kImages) {
        const QString file = assets.filePath(QString::fromLatin1(asset.path));
        ok = makeFolderFor(file) && writeImage(file, asset.paint(), asset.format) && ok;
    }
    return ok ? 0 : 1;
}
