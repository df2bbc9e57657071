// Writes the stored designs of the windows' seven buttons as property bags:
// what the designer saved for each, keys that hold their default left out.
//
//   makedesigns <folder of the button pictures> <folder for the .bag files>

#include "platform/host/olefont.h"
#include "platform/host/olepicture.h"
#include "platform/host/propertybag.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>

#include <cstdio>

namespace {

struct Design {
    const char* file;    // under the output folder, without ".bag"
    const char* comment; // which button it is
    const char* caption;
    const char* picture; // under the picture folder; null for none
};

const Design kDesigns[] = {
    {"main_command1", "Main window, Command1: write the order list", "", "cmd_list.png"},
    {"main_command2", "Main window, Command2: copy the photos to a folder", "", "cmd_copy.png"},
    {"main_command3", "Main window, Command3: save the project", "", "cmd_save.png"},
    {"main_command4", "Main window, Command4: open a project", "", "cmd_open.png"},
    {"main_command5", "Main window, Command5: help", "", "cmd_help.png"},
    {"props_command1", "Row editor, Command1: remove the photo", "Remove", nullptr},
    {"props_command2", "Row editor, Command2: accept the row", "Ok", nullptr},
};

PropertyBag designBag(const Design& design, const QImage& picture) {
    PropertyBag bag;
    bag.put(QStringLiteral("Caption"), QString::fromUtf8(design.caption));
    bag.put(QStringLiteral("ButtonStyle"), 3);
    if (!picture.isNull()) {
        // A 24-bit bitmap shown at its own size.
        bag.put(QStringLiteral("Picture"), OlePicture::bitmap(picture));
        bag.put(QStringLiteral("PictureWidth"), picture.width());
        bag.put(QStringLiteral("PictureHeight"), picture.height());
        bag.put(QStringLiteral("PictureSize"), 2);
        bag.put(QStringLiteral("OriginalPicSizeW"), picture.width());
        bag.put(QStringLiteral("OriginalPicSizeH"), picture.height());
    } else {
        // Never given a picture, so the natural size is still 0 x 0.
        bag.put(QStringLiteral("OriginalPicSizeW"), 0);
        bag.put(QStringLiteral("OriginalPicSizeH"), 0);
    }
    bag.put(QStringLiteral("Font"), FontAttributes{});
    bag.put(QStringLiteral("MousePointer"), 99);
    return bag;
}

bool writeDesign(const QString& path, const QByteArray& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: makedesigns <picture folder> <design folder>\n");
        return 2;
    }
    const QDir pictures(args[1]);
    const QDir designs(args[2]);
    for (const Design& design : kDesigns) {
        QImage picture;
        if (design.picture) {
            const QString path = pictures.filePath(QString::fromUtf8(design.picture));
            if (!picture.load(path)) {
                std::fprintf(stderr, "makedesigns: cannot read %s\n", qPrintable(path));
                return 1;
            }
        }
        const QByteArray text =
            QByteArray("# ") + design.comment + "\r\n" + designBag(design, picture).toText();
        const QString path = designs.filePath(QString::fromUtf8(design.file) + ".bag");
        if (!writeDesign(path, text)) {
            std::fprintf(stderr, "makedesigns: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
