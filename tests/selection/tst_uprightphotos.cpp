#include "tests/support/window/windowfixture.h"
#include "xpbutton/xpbutton.h"

#include "app/browsecontroller.h"
#include "app/core/previewgeometry.h"
#include "app/core/readahead.h"
#include "app/core/samplelayout.h"
#include "platform/controls/dirlist.h"
#include "platform/controls/filelist.h"
#include "platform/controls/imagecontrol.h"
#include "platform/controls/picturebox.h"
#include "platform/files/picturecache.h"
#include "selection/order/gridrow.h"
#include "tests/support/filebytes.h"
#include "tests/support/jpegmaker.h"
#include "tests/support/testpictures.h"

#include <QProgressBar>
#include <QThreadPool>

namespace {

constexpr QRgb kRed = qRgb(220, 20, 20);
constexpr QRgb kGreen = qRgb(20, 200, 20);
constexpr QRgb kBlue = qRgb(20, 20, 220);
constexpr QRgb kYellow = qRgb(230, 230, 30);

// An upright picture with four differently coloured quarters.
QImage corners(int width, int height) {
    return patternPicture(width, height, [=](int x, int y) {
        const bool left = x < width / 2;
        return y < height / 2 ? (left ? kRed : kGreen) : (left ? kBlue : kYellow);
    });
}

bool near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 12 && std::abs(qGreen(a) - qGreen(b)) <= 12 &&
           std::abs(qBlue(a) - qBlue(b)) <= 12;
}

// The four corners of a picture, 2 pixels in, are the four colours.
void expectCorners(const QImage& picture, const QRect& area, const std::string& what) {
    ASSERT_FALSE(picture.isNull()) << what;
    const QRect in = area.adjusted(2, 2, -2, -2);
    EXPECT_TRUE(near(picture.pixel(in.topLeft()), kRed)) << what;
    EXPECT_TRUE(near(picture.pixel(in.topRight()), kGreen)) << what;
    EXPECT_TRUE(near(picture.pixel(in.bottomLeft()), kBlue)) << what;
    EXPECT_TRUE(near(picture.pixel(in.bottomRight()), kYellow)) << what;
}

struct Upright : WindowFixture {
    QString jpeg(const QString& name, const QByteArray& bytes) {
        const QString path = file(name);
        EXPECT_TRUE(writeFileBytes(path, bytes));
        return path;
    }
    QImage preview() const { return ui(w).Image11->Image(); }
};

} // namespace

TEST_F(Upright, EveryOrientationShowsTheSameUprightPictureEverywhere) {
    for (const QSize upright : {QSize(160, 120), QSize(90, 120)}) {
        QTemporaryDir sub(folder() + QStringLiteral("/XXXXXX"));
        const QImage picture = corners(upright.width(), upright.height());
        for (int o = 1; o <= 8; ++o) {
            const QByteArray bytes = withOrientation(
                encodeJpeg(storedFor(picture, o), {JpegColours::Colour, 95, 1, 1}), o);
            ASSERT_TRUE(writeFileBytes(sub.filePath(QStringLiteral("%1.jpg").arg(o)), bytes));
        }
        ASSERT_TRUE(ui(w).Dir1->setPath(sub.path()));
        const bool wide = upright.width() > upright.height();
        const PreviewSize size = previewSize(upright.width(), upright.height());
        EXPECT_EQ(std::min(size.width, size.height), 246);
        for (int o = 1; o <= 8; ++o) {
            const std::string what = "orientation " + std::to_string(o) + " of " +
                                     std::to_string(upright.width()) + " x " +
                                     std::to_string(upright.height());
            const QString path = sub.filePath(QStringLiteral("%1.jpg").arg(o));
            ui(w).File1->setListIndex(o - 1);
            ASSERT_EQ(ui(w).current_file, path) << what;
            EXPECT_EQ(ui(w).Image10->ScaleWidth(), upright.width()) << what;
            EXPECT_EQ(ui(w).Image10->ScaleHeight(), upright.height()) << what;
            // 328 x 246 from row 41, or 246 x 328 from column 41.
            const QRect drawn = wide ? QRect(0, 41, 328, 246) : QRect(41, 0, 246, 328);
            expectCorners(preview(), drawn, what + ", preview");
            const QImage full = uprightOf(referenceDecode(readFileBytes(path)), o);
            // Enlarged: the scaler draws fewer columns and rows than asked.
            const QImage samples = designedSamples(full, drawn.width(), drawn.height());
            EXPECT_EQ(differing(preview().copy(QRect(drawn.topLeft(), samples.size())), samples), 0)
                << what;

            QTest::mouseClick(ui(w).Image11, Qt::LeftButton);
            const int row = list().count;
            const QImage thumb = grid().CellPictureAt(row, ColPhoto);
            // A portrait keeps its shape: 22 x 30 in the middle, white beside.
            const QRect inThumb = wide ? QRect(0, 0, 40, 30) : QRect(9, 0, 22, 30);
            expectCorners(thumb, inThumb, what + ", thumbnail");
            EXPECT_EQ(differing(thumb.copy(inThumb),
                                designedSamples(full, inThumb.width(), inThumb.height())),
                      0)
                << what;
            if (!wide) {
                EXPECT_EQ(thumb.pixel(8, 15) & 0xFFFFFF, 0xFFFFFFu) << what;
            }

            QImage editor;
            ASSERT_TRUE(clickRow(row, [&](Props& p) {
                editor = p.Image2->Picture();
                QTest::mouseClick(p.Command2, Qt::LeftButton);
            }));
            // 113 x 85 or 67 x 89 in the box of 113 x 89.
            expectCorners(editor, wide ? QRect(0, 2, 113, 85) : QRect(23, 0, 67, 89),
                          what + ", row editor");
        }
    }
}

TEST_F(Upright, AOnePixelCheckerboardPreviewsAsThePatternNotGrey) {
    const QImage board = patternPicture(
        4000, 3000, [](int x, int y) { return (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0); });
    const QByteArray bytes = encodeJpeg(board, {JpegColours::Colour, 100, 1, 1});
    jpeg(QStringLiteral("board.jpg"), bytes);
    ASSERT_TRUE(ui(w).Dir1->setPath(folder()));
    const QImage drawn = preview().copy(0, 41, 328, 246);
    EXPECT_EQ(differing(drawn, designedSamples(referenceDecode(bytes), 328, 246)), 0);
    int dark = 0;
    int light = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            const int g = qGreen(drawn.pixel(x, y));
            dark += g < 40;
            light += g > 215;
        }
    // Each position falls on a black or a white square, about half and half.
    EXPECT_EQ(dark + light, 328 * 246);
    EXPECT_GT(dark, 328 * 246 / 3);
    EXPECT_GT(light, 328 * 246 / 3);
}

TEST_F(Upright, TheNextPhotoIsReadAheadInTheDirectionOfBrowsing) {
    QStringList paths;
    for (int i = 0; i < 4; ++i)
        paths << jpeg(QStringLiteral("%1.jpg").arg(i),
                      encodeJpeg(corners(800 + 8 * i, 600), {JpegColours::Colour, 90, 2, 2}));
    PictureCache::shared().clear();
    BrowseController& c = ui(w).browseController;
    ASSERT_TRUE(ui(w).Dir1->setPath(folder()));
    ASSERT_EQ(ui(w).current_file, paths[0]);
    EXPECT_EQ(c.ahead.path(), paths[1]);
    // Stepping on with the arrow key shows what was read ahead.
    ui(w).File1->setFocus();
    const auto stepAndExpect = [&](Qt::Key key, int shown, int ahead) {
        // The worker keeps it once read.
        std::optional<PictureRead> kept;
        for (int wait = 0; wait < 200 && !kept; ++wait) {
            kept = PictureCache::shared().find(paths[shown], previewLayout());
            if (!kept)
                QTest::qWait(50);
        }
        ASSERT_TRUE(kept.has_value()) << shown;
        QTest::keyClick(ui(w).File1, key);
        ASSERT_EQ(ui(w).current_file, paths[shown]);
        EXPECT_EQ(ui(w).Image10->PictureHandle(), static_cast<quintptr>(kept->image.cacheKey()))
            << "read again";
        EXPECT_EQ(c.ahead.path(), ahead < 0 ? QString() : paths[ahead]) << shown;
    };
    stepAndExpect(Qt::Key_Down, 1, 2);
    stepAndExpect(Qt::Key_Down, 2, 3);
    // Turning back reads the other way.
    ui(w).File1->setListIndex(1);
    EXPECT_EQ(c.ahead.path(), paths[0]);
    stepAndExpect(Qt::Key_Up, 0, -1);
    // Another folder drops it.
    ui(w).File1->setListIndex(2);
    EXPECT_EQ(c.ahead.path(), paths[3]);
    QTemporaryDir empty(folder() + QStringLiteral("/XXXXXX"));
    ASSERT_TRUE(ui(w).Dir1->setPath(empty.path()));
    EXPECT_EQ(c.ahead.path(), QString());
}

// Qt paints large pictures on its shared pool: a read ahead there would hold
// up painting (on one core, all of it) until it ends.
TEST(ReadAheadWorker, LeavesQtsSharedPoolFree) {
    const QStringList real = realPhotos();
    if (real.isEmpty())
        GTEST_SKIP() << "lomiri-wallpapers-16.04 is not installed";
    PictureCache::shared().clear();
    ReadAhead ahead;
    ahead.previewed(QStringLiteral("/usr/share/backgrounds"), 0, real.size() + 1,
                    [&real](int i) { return real[i - 1]; });
    ASSERT_EQ(ahead.path(), real[0]);
    EXPECT_EQ(QThreadPool::globalInstance()->activeThreadCount(), 0);
    ahead.arrive(real[0]); // waits for it
    EXPECT_TRUE(PictureCache::shared().find(real[0], previewLayout()).has_value());
}

TEST_F(Upright, TheProgressBarIsPaintedWhileASlowPhotoDecodes) {
    // Noise, progressive: slow to decode.
    const QImage noise = patternPicture(3000, 2000, [](int x, int y) {
        const unsigned v =
            static_cast<unsigned>(x) * 2654435761u ^ static_cast<unsigned>(y) * 40503u;
        return qRgb(int(v & 255), int((v >> 8) & 255), int((v >> 16) & 255));
    });
    jpeg(QStringLiteral("slow.jpg"), encodeJpeg(noise, {JpegColours::Colour, 95, 1, 1, true}));
    struct Painted : QObject {
        std::vector<int> values;
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() == QEvent::Paint)
                values.push_back(static_cast<QProgressBar*>(o)->value());
            return false;
        }
    } painted;
    ui(w).ProgressBar1->installEventFilter(&painted);
    PictureCache::shared().clear();
    ASSERT_TRUE(ui(w).Dir1->setPath(folder()));
    ui(w).ProgressBar1->removeEventFilter(&painted);
    ASSERT_FALSE(painted.values.empty()) << "never painted while decoding";
    EXPECT_TRUE(std::is_sorted(painted.values.begin(), painted.values.end()));
    EXPECT_LE(painted.values.back(), 1999);
    EXPECT_FALSE(ui(w).ProgressBar1->isVisible());
}
