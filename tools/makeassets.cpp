// Paints every picture the program ships. (The site pages in assets/site are
// plain text and kept as they are written.)
//
//   makeassets <repository root>
//
// Writes into <root>/assets, and the button's own hand pointer into
// <root>/xpbutton/images. The output depends only on this source and the
// DejaVu fonts of the Debian package, so running it again gives the same files.

#include "artwork.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>
#include <functional>
#include <utility>

namespace {

struct ImageAsset {
    const char* path; // under the repository root
    std::function<QImage()> paint;
    const char* format;
};

// Pictures the windows draw themselves, also made for screens with 1.5 and 2
// device pixels to a pixel: "banner.png" beside "banner@1.5x.png" and
// "banner@2x.png".
struct ScaledAsset {
    const char* stem; // under assets/images, without ".png"
    QImage (*paint)(qreal scale);
};

const ScaledAsset kScaledImages[] = {
    {"banner", mainBanner},        {"logo", logo},
    {"props_banner", propsBanner}, {"cmd_open", openCommandIcon},
    {"cmd_save", saveCommandIcon}, {"cmd_copy", copyCommandIcon},
    {"cmd_list", listCommandIcon}, {"cmd_help", helpCommandIcon},
    {"jpegicon", jpegIcon},        {"rotate", rotateIcon},
};

const ImageAsset kImages[] = {
    {"assets/images/icon16.png", [] { return windowIcon(16); }, "png"},
    {"assets/images/icon32.png", [] { return windowIcon(32); }, "png"},
    {"assets/images/icon48.png", [] { return windowIcon(48); }, "png"},
    {"xpbutton/images/hand.png", handCursor, "png"},
    {"assets/no.jpg", noCopiesMarker, "jpg"},
    {"assets/packaging/project16.png", [] { return projectFileIcon(16); }, "png"},
    {"assets/packaging/project32.png", [] { return projectFileIcon(32); }, "png"},
    {"assets/packaging/project48.png", [] { return projectFileIcon(48); }, "png"},
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
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QDir assets(root.filePath(QStringLiteral("assets")));

    bool ok = true;
    for (const ScaledAsset& asset : kScaledImages) {
        for (const auto& [scale, suffix] :
             {std::pair{1.0, ""}, std::pair{1.5, "@1.5x"}, std::pair{2.0, "@2x"}}) {
            const QString file =
                assets.filePath(QStringLiteral("images/%1%2.png")
                                    .arg(QLatin1String(asset.stem), QLatin1String(suffix)));
            ok = makeFolderFor(file) && writeImage(file, asset.paint(scale), "png") && ok;
        }
    }
    for (const ImageAsset& asset : kImages) {
        const QString file = root.filePath(QString::fromLatin1(asset.path));
        ok = makeFolderFor(file) && writeImage(file, asset.paint(), asset.format) && ok;
    }
    return ok ? 0 : 1;
}
