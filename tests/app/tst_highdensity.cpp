// What the program draws itself, at the device pixel ratio the run was started
// with (QT_SCALE_FACTOR; CTest runs this suite at 1, 1.5 and 2). At 1 every
// pixel is the designed one, byte for byte; above it the buttons' pictures
// and captions and the window's artwork are drawn at the device's pixels.
#include "controlfactory.h"
#include "fakes.h"
#include "imagecontrol.h"
#include "mainwindow.h"
#include "qtprinters.h"
#include "xpbutton.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

// The seven buttons as the windows place them, each in a window of its own.
struct DesignedButton {
    const char* design;
    QRect place;
};

const DesignedButton kButtons[] = {
    {"main_command1", QRect(0, 0, 59, 53)},  {"main_command2", QRect(0, 0, 59, 53)},
    {"main_command3", QRect(0, 0, 59, 53)},  {"main_command4", QRect(0, 0, 59, 53)},
    {"main_command5", QRect(0, 0, 59, 53)},  {"props_command1", QRect(0, 0, 73, 25)},
    {"props_command2", QRect(0, 0, 73, 25)},
};

enum class Look { Normal, Focused, Pressed };

QImage grabbed(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QByteArray sha1(const QImage& image) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int y = 0; y < image.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(image.constScanLine(y)),
                                    image.width() * 4));
    return hash.result().toHex().left(16);
}

class HighDensity : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_folder.path()));
    }
    void TearDown() override { QDir::setCurrent(m_previous); }

    static qreal ratio() { return qApp->devicePixelRatio(); }

    // A designed button in a window of its own, in the given look.
    QImage buttonLook(const char* design, const QRect& place, Look look) {
        auto window = std::make_unique<QWidget>();
        window->resize(place.width() + 20, place.height() + 20);
        XpButton* button = placeDesignedButton(QString::fromLatin1(design), QStringLiteral("b"),
                                               window.get(), place.translated(10, 10));
        auto* other = new QWidget(window.get());
        other->setFocusPolicy(Qt::StrongFocus);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        other->setFocus();
        if (look != Look::Normal)
            button->setFocus();
        if (look == Look::Pressed)
            QTest::keyPress(button, Qt::Key_Space);
        QImage image = grabbed(button);
        if (look == Look::Pressed)
            QTest::keyRelease(button, Qt::Key_Space);
        return image;
    }

    QTemporaryDir m_folder;
    QString m_previous;
    ScriptedDialogs dialogs;
    RecordingShell shell;
};

TEST_F(HighDensity, AtOneXEveryDesignedPixelStaysAsItWas) {
    if (ratio() != 1.0)
        GTEST_SKIP() << "the designed pixels are checked at ratio 1";
    struct Row {
        const char* design;
        Look look;
        const char* sha1;
    };
    const Row rows[] = {
        {"main_command1", Look::Normal, "1c0324d93f3bc5ba"},
        {"main_command1", Look::Focused, "8900b5d77d8b9fc6"},
        {"main_command1", Look::Pressed, "7cfa08609f249123"},
        {"main_command2", Look::Normal, "1907ce90495f934b"},
        {"main_command3", Look::Normal, "e1667c4c8cbb9911"},
        {"main_command4", Look::Normal, "edeebee3c4ec1ed7"},
        {"main_command5", Look::Normal, "08dec4d4b6790417"},
        {"main_command5", Look::Pressed, "7236c1a7e9a3d832"},
        {"props_command1", Look::Normal, "cf7e6f0b4b7d5653"},
        {"props_command1", Look::Focused, "7294b22141cb0b7f"},
        {"props_command1", Look::Pressed, "42c7575c0f2ec000"},
        {"props_command2", Look::Normal, "ab78879f0a98233a"},
        {"props_command2", Look::Focused, "e05102c1f0857ef3"},
        {"props_command2", Look::Pressed, "068b6688806b2c3c"},
    };
    for (const Row& row : rows) {
        const DesignedButton* button = nullptr;
        for (const DesignedButton& b : kButtons)
            if (qstrcmp(b.design, row.design) == 0)
                button = &b;
        ASSERT_NE(button, nullptr);
        const QImage image = buttonLook(row.design, button->place, row.look);
        EXPECT_EQ(image.size(), button->place.size()) << row.design;
        EXPECT_EQ(sha1(image), QByteArray(row.sha1))
            << row.design << " look " << static_cast<int>(row.look);
    }

    MainWindow w({dialogs, shell, QUrl()});
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.Image4->show();
    w.Image5->show();
    const struct {
        ImageControl* image;
        const char* sha1;
    } artwork[] = {{w.Image2, "58ee3e28017545d8"},
                   {w.Image1, "b3eda2633d4676e3"},
                   {w.Image3, "58ee3e28017545d8"},
                   {w.Image4, "a86ab856c0dfbcea"},
                   {w.Image5, "9c7ccb737024dfa5"}};
    for (const auto& a : artwork)
        EXPECT_EQ(sha1(grabbed(a.image)), QByteArray(a.sha1)) << a.image->geometry().x();
}

// The artwork as the repository ships it, read without the program.
QImage artworkFile(const QString& name) {
    return QImage(QStringLiteral(MARVOLIA_SOURCE_DIR "/assets/images/") + name)
        .convertToFormat(QImage::Format_ARGB32);
}

// Where `art` lies in `shown` at `at`: every pixel it does not leave to what
// lies beneath (black, the buttons' mask colour, or not opaque).
int differencesFrom(const QImage& shown, const QImage& art, QPoint at) {
    int differences = 0;
    for (int y = 0; y < art.height(); ++y)
        for (int x = 0; x < art.width(); ++x) {
            const QRgb a = art.pixel(x, y);
            if (qAlpha(a) == 255 && (a & 0xFFFFFF) != 0 &&
                (shown.pixel(at.x() + x, at.y() + y) & 0xFFFFFF) != (a & 0xFFFFFF))
                ++differences;
        }
    return differences;
}

TEST_F(HighDensity, AboveOneXPicturesAreTheArtworkAtTheDevicesPixels) {
    const struct {
        qreal ratio;
        const char* design; // or an image of the main window
        const char* artwork;
        QSize size;
        QPoint at;
    } rows[] = {
        {2, "main_command1", "cmd_list@2x.png", {118, 106}, {4, 8}},
        {2, "main_command4", "cmd_open@2x.png", {118, 106}, {4, 8}},
        {2, "main_command5", "cmd_help@2x.png", {118, 106}, {4, 6}},
        {2, "Image2", "banner@2x.png", {2026, 184}, {0, 0}},
        {2, "Image1", "logo@2x.png", {592, 76}, {0, 0}},
        {2, "Image5", "jpegicon@2x.png", {46, 36}, {0, 0}},
        {2, "Image4", "rotate@2x.png", {44, 36}, {0, 0}},
        {1.5, "main_command2", "cmd_copy@1.5x.png", {89, 80}, {3, 6}},
        {1.5, "main_command5", "cmd_help@1.5x.png", {89, 80}, {3, 5}},
        {1.5, "Image5", "jpegicon@1.5x.png", {35, 27}, {0, 0}},
    };
    if (ratio() == 1.0)
        GTEST_SKIP() << "checked by the runs at 1.5 and 2";
    MainWindow w({dialogs, shell, QUrl()});
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.Image4->show();
    w.Image5->show();
    int checked = 0;
    for (const auto& row : rows) {
        if (row.ratio != ratio())
            continue;
        ++checked;
        const QString name = QString::fromLatin1(row.design);
        const std::map<QString, ImageControl*> images = {{QStringLiteral("Image1"), w.Image1},
                                                         {QStringLiteral("Image2"), w.Image2},
                                                         {QStringLiteral("Image4"), w.Image4},
                                                         {QStringLiteral("Image5"), w.Image5}};
        const QImage shown = images.count(name)
                                 ? grabbed(images.at(name))
                                 : buttonLook(row.design, QRect(0, 0, 59, 53), Look::Normal);
        EXPECT_EQ(shown.size(), row.size) << row.design;
        const QImage art = artworkFile(QString::fromLatin1(row.artwork));
        ASSERT_FALSE(art.isNull()) << row.artwork;
        EXPECT_EQ(differencesFrom(shown, art, row.at), 0) << row.design;
    }
    EXPECT_GT(checked, 0) << "no expectations at a ratio of " << ratio();
}

} // namespace
