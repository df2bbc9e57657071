// Damaged JPEGs through the real window: previewed with a click in the file
// list, added with a double click, and opened from a project. A picture the
// decoder cannot read whole is named in a message and changes nothing; one
// it reads without complaint behaves like any photo. No way ends in a crash.

#include "jpegdamage.h"
#include "platform/controls/filelist.h"
#include "platform/controls/picturebox.h"
#include "selection/order/projectfile.h"
#include "tests/support/filebytes.h"
#include "tests/support/qtprinters.h"
#include "tests/support/window/windowfixture.h"
#include "xpbutton/xpbutton.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>

#include <iostream>

namespace {

// Where Debian's gdk-pixbuf-tests package puts its test pictures.
const QString kPackageFolder = QStringLiteral("/usr/libexec/installed-tests/gdk-pixbuf");

enum class Outcome { Refused, Shown };

// A photo with detail in every block, so that damage shows in every part.
QByteArray photoBytes(bool progressive) {
    const QImage picture = patternPicture(320, 240, [](int x, int y) {
        return qRgb((x * 7 + y * 3) % 256, (x * y) % 256, (x ^ y) % 256);
    });
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(picture)) << writer.errorString().toStdString();
    return bytes;
}

// Where the entropy-coded data of the first scan begins.
qsizetype firstScanData(const QByteArray& jpeg) {
    for (qsizetype at = 2; at + 3 < jpeg.size(); ++at)
        if (jpegdamage::byteAt(jpeg, at) == 0xFF && jpegdamage::byteAt(jpeg, at + 1) == 0xDA)
            return at + 2 +
                   (jpegdamage::byteAt(jpeg, at + 2) << 8 | jpegdamage::byteAt(jpeg, at + 3));
    return -1;
}

class DamagedPictures : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        if (HasFatalFailure())
            return;
        m_good = file(QStringLiteral("0-good.jpg"));
        ASSERT_TRUE(writeFileBytes(m_good, photoBytes(false)));
        ui(w).File1->setPath(folder());
    }

    void TearDown() override {
        WindowFixture::TearDown();
        std::cout << "[ damaged  ] " << m_tried << " pictures: " << m_refused
                  << " refused with a message, " << m_tried - m_refused << " read without complaint"
                  << std::endl;
    }

    // Writes the copy beside the good photo and tries it every way.
    Outcome tryCopy(const DamagedCopy& copy) {
        const QString path = file(copy.name);
        EXPECT_TRUE(writeFileBytes(path, copy.bytes)) << path.toStdString();
        const Outcome outcome = tryPicture(path);
        QFile::remove(path);
        return outcome;
    }

    // Previews, adds and opens path from a project; checks that each way
    // either refuses it with a message naming it and leaves everything as it
    // was, or takes it as a photo, all three alike.
    Outcome tryPicture(const QString& path) {
        SCOPED_TRACE(path.toStdString());
        const QByteArray bytes = readFileBytes(path);
        ui(w).File1->Refresh();
        const int row = rowOf(QFileInfo(path).fileName());
        EXPECT_GE(row, 1);

        // The good photo first, so there is a preview to keep.
        clickRow(0);
        const qsizetype told = dialogs.messages.size();
        EXPECT_EQ(ui(w).current_file, m_good);
        const QImage loaded = ui(w).Image10->Picture();
        const QImage shown = ui(w).Image11->Image();

        clickRow(row);
        const bool previewRefused = dialogs.messages.size() > told;
        if (previewRefused) {
            expectOneMessage(told,
                             QStringLiteral("The picture \"%1\" cannot be shown: ").arg(path));
            EXPECT_EQ(ui(w).current_file, m_good);
            EXPECT_EQ(ui(w).Image10->Picture(), loaded);
            EXPECT_EQ(ui(w).Image11->Image(), shown);
        } else {
            EXPECT_EQ(ui(w).current_file, path);
            EXPECT_FALSE(ui(w).Image10->Picture().isNull());
        }

        // A double click adds the listed file to the selection.
        const qsizetype toldBeforeAdd = dialogs.messages.size();
        const int rows = ui(w).MSFlexGrid1->Rows();
        const int count = ui(w).selection.count;
        doubleClickRow(row);
        const bool addRefused = dialogs.messages.size() > toldBeforeAdd;
        EXPECT_EQ(addRefused, previewRefused);
        if (addRefused) {
            expectOneMessage(toldBeforeAdd,
                             QStringLiteral("The photo %1 cannot be added: ").arg(path));
            EXPECT_EQ(ui(w).MSFlexGrid1->Rows(), rows);
            EXPECT_EQ(ui(w).selection.count, count);
        } else {
            EXPECT_EQ(ui(w).MSFlexGrid1->Rows(), rows + 1);
            EXPECT_EQ(ui(w).selection.count, count + 1);
        }

        // A project naming it beside the good photo loads both rows; the
        // picture that cannot be shown is named once loading is done.
        const QString project = file(QStringLiteral("p.mvl"));
        const QByteArray projectBytes =
            projectFileBytes({{m_good, QStringLiteral("1"), QStringLiteral("10x15")},
                              {path, QStringLiteral("2"), QStringLiteral("13x18")}});
        EXPECT_TRUE(writeFileBytes(project, projectBytes));
        if (ui(w).MSFlexGrid1->Rows() > 1)
            dialogs.answerMessage(MessageResult::No);
        dialogs.answerFile(project);
        const qsizetype toldBeforeOpen = dialogs.messages.size() + (ui(w).MSFlexGrid1->Rows() > 1);
        QTest::mouseClick(ui(w).Command4, Qt::LeftButton, {}, QPoint(10, 10));
        const FlexGrid& grid = *ui(w).MSFlexGrid1;
        EXPECT_EQ(grid.Rows(), 3);
        EXPECT_EQ(ui(w).selection.count, 2);
        EXPECT_EQ(grid.TextMatrix(2, 1), path);
        EXPECT_EQ(grid.CellPictureAt(1, 0).size(), QSize(40, 30));
        const bool openRefused = dialogs.messages.size() > toldBeforeOpen;
        EXPECT_EQ(openRefused, previewRefused);
        if (openRefused) {
            expectOneMessage(toldBeforeOpen,
                             QStringLiteral("The project \"%1\" was loaded, but these pictures "
                                            "could not be shown:\n\n%2: ")
                                 .arg(project, path));
            EXPECT_TRUE(grid.CellPictureAt(2, 0).isNull());
        } else {
            EXPECT_EQ(grid.CellPictureAt(2, 0).size(), QSize(40, 30));
        }

        EXPECT_EQ(readFileBytes(path), bytes) << "the picture itself was changed";
        EXPECT_EQ(readFileBytes(project), projectBytes) << "the project file was changed";
        ++m_tried;
        m_refused += previewRefused;
        return previewRefused ? Outcome::Refused : Outcome::Shown;
    }

    // The reason given in the last message, after its fixed beginning.
    QString lastReason(const QString& beginning) const {
        return dialogs.messages.isEmpty() ? QString()
                                          : dialogs.messages.last().text.mid(beginning.size());
    }

private:
    int rowOf(const QString& name) const {
        for (int i = 0; i < ui(w).File1->count(); ++i)
            if (ui(w).File1->item(i)->text() == name)
                return i;
        return -1;
    }
    QPoint centreOf(int row) {
        QListWidgetItem* item = ui(w).File1->item(row);
        ui(w).File1->scrollToItem(item);
        return ui(w).File1->visualItemRect(item).center();
    }
    void clickRow(int row) {
        QTest::mouseClick(ui(w).File1->viewport(), Qt::LeftButton, {}, centreOf(row));
    }
    void doubleClickRow(int row) {
        QTest::mouseDClick(ui(w).File1->viewport(), Qt::LeftButton, {}, centreOf(row));
    }
    void expectOneMessage(qsizetype before, const QString& beginning) {
        ASSERT_EQ(dialogs.messages.size(), before + 1);
        const auto& message = dialogs.messages.last();
        EXPECT_EQ(message.title, QStringLiteral("Marvolia"));
        EXPECT_TRUE(message.text.startsWith(beginning)) << message.text.toStdString();
    }

    QString m_good;
    int m_tried = 0;
    int m_refused = 0;
};

// The project's own JPEGs: the marker picture it ships, and photos written
// here, baseline and progressive.
QList<std::pair<QString, QByteArray>> ownJpegs() {
    return {{QStringLiteral("marker"),
             readFileBytes(QStringLiteral(MARVOLIA_SOURCE_DIR "/assets/no.jpg"))},
            {QStringLiteral("baseline"), photoBytes(false)},
            {QStringLiteral("progressive"), photoBytes(true)}};
}

TEST_F(DamagedPictures, ACutShortJpegIsReportedAsIncomplete) {
    for (const auto& [stem, jpeg] : ownJpegs()) {
        ASSERT_GT(jpeg.size(), 1000) << stem.toStdString();
        const qsizetype data = firstScanData(jpeg);
        ASSERT_GT(data, 0);
        for (const DamagedCopy& copy : jpegdamage::truncatedCopies(stem, jpeg, 12)) {
            EXPECT_EQ(tryCopy(copy), Outcome::Refused) << copy.name.toStdString();
            // Cut inside the picture data, the decoder got far enough to tell.
            if (copy.bytes.size() > data) {
                const QString reason = lastReason(
                    QStringLiteral("The project \"%1\" was loaded, but these pictures could not "
                                   "be shown:\n\n%2: ")
                        .arg(file(QStringLiteral("p.mvl")), file(copy.name)));
                EXPECT_TRUE(
                    reason.startsWith(QStringLiteral("the picture is damaged or incomplete")))
                    << copy.name.toStdString() << ": " << reason.toStdString();
            }
        }
    }
}

TEST_F(DamagedPictures, ABrokenHeaderIsRefused) {
    for (const auto& [stem, jpeg] : ownJpegs()) {
        const QList<DamagedCopy> copies = jpegdamage::headerDamagedCopies(stem, jpeg);
        EXPECT_GE(copies.size(), 12) << stem.toStdString();
        for (const DamagedCopy& copy : copies)
            EXPECT_EQ(tryCopy(copy), Outcome::Refused) << copy.name.toStdString();
    }
}

TEST_F(DamagedPictures, AHeaderClaimingAHugeSizeIsRefusedWithoutClaimingItsMemory) {
    // A few kilobytes that declare 20000 x 20000 pixels (a 1.4 KB file Debian
    // ships declares 64250 x 64250 and once took the whole machine's memory).
    // Read row by row, a baseline file needs no picture of that size and runs
    // out of data at once; a progressive one would need gigabytes for its
    // coefficients, which its header tells.
    for (const bool progressive : {false, true}) {
        QByteArray bytes = photoBytes(progressive);
        const qsizetype frame = jpegdamage::findFrame(bytes);
        ASSERT_GT(frame, 0);
        bytes.replace(frame + 5, 4, QByteArray("\x4E\x20\x4E\x20", 4));
        const qsizetype told = dialogs.messages.size();
        EXPECT_EQ(tryCopy({QStringLiteral("huge.jpg"), bytes}), Outcome::Refused);
        // Previewing, adding and opening each said why.
        const QString why = progressive
                                ? QStringLiteral("the picture is too large to load (20000 x 20000)")
                                : QStringLiteral("the picture is damaged or incomplete");
        int said = 0;
        for (qsizetype i = told; i < dialogs.messages.size(); ++i)
            said += dialogs.messages[i].text.contains(why);
        EXPECT_EQ(said, 3) << progressive;
    }
}

TEST_F(DamagedPictures, AFlippedBitIsRefusedOrReadAlikeEveryWay) {
    // A flipped bit in the coded data can make other pixels, which no reader
    // can tell; what matters is that every way treats the picture alike.
    unsigned seed = 1;
    for (const auto& [stem, jpeg] : ownJpegs())
        for (const DamagedCopy& copy : jpegdamage::bitFlippedCopies(stem, jpeg, 25, seed++))
            tryCopy(copy);
}

// The damaged JPEGs Debian ships for its own picture loader's tests.
TEST_F(DamagedPictures, TheDamagedJpegsDebianShips) {
    if (!QFileInfo::exists(kPackageFolder))
        GTEST_SKIP() << "gdk-pixbuf-tests is not installed (tools/install-deps.sh installs it): "
                        "its damaged JPEGs in "
                     << kPackageFolder.toStdString() << " were not tried";
    struct Known {
        const char* path;
        bool damaged; // false: damaged in ways the decoder does not notice
    };
    const Known known[] = {
        {"premature-end.jpg", true},
        {"test-images/fail/CVE-2017-2862.jpg", true},
        {"bug775218.jpg", true},
        {"issue205.jpg", true},
        {"test-images/randomly-modified/bug775697.jpg", true},
        {"test-images/randomly-modified/valid.1.jpeg", false},
        {"test-images/randomly-modified/valid.2.jpeg", false},
    };
    for (const Known& file : known) {
        const QString source = kPackageFolder + QLatin1Char('/') + QLatin1String(file.path);
        const QByteArray bytes = readFileBytes(source);
        ASSERT_NE(bytes, QByteArray("<missing>")) << source.toStdString();
        // Copied beside the good photo under a name the file list shows.
        const QString name = QFileInfo(source).completeBaseName() + QStringLiteral(".jpg");
        const Outcome outcome = tryCopy({name, bytes});
        if (file.damaged) {
            EXPECT_EQ(outcome, Outcome::Refused) << file.path;
        }
    }
}

} // namespace
