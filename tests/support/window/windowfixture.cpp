#include "tests/support/window/windowfixture.h"

#include "platform/controls/picturebox.h"
#include "platform/files/picturefile.h"
#include "selection/order/gridrow.h"
#include "selection/order/orderrow.h"
#include "selection/order/ordertexts.h"
#include "xpbutton/xpbutton.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

void WindowFixture::SetUp() {
    ASSERT_TRUE(dir.isValid() && m_start.isValid());
    // The file lists start on the current folder: an empty one, so that
    // nothing is listed or previewed unless a test says so.
    m_previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_start.path()));
    w = std::make_unique<MainWindow>(MainWindowServices{dialogs, shell, QUrl()});
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
}

void WindowFixture::TearDown() {
    w.reset();
    QDir::setCurrent(m_previous);
}

QString WindowFixture::photo(const QString& name, const QImage& picture) {
    const QString path = file(name);
    EXPECT_TRUE(writeBitmap(picture, path)) << path.toStdString();
    return path;
}

QString WindowFixture::solidPhoto(const QString& name, QRgb colour) {
    return photo(name, patternPicture(80, 60, [colour](int, int) { return colour; }));
}

QString WindowFixture::jpegPhoto(const QString& name, int seed) {
    const QString path = file(name);
    const QImage picture = patternPicture(80, 60, [seed](int x, int y) {
        return qRgb((x * 3 + seed) % 256, y * 4 % 256, seed % 256);
    });
    EXPECT_TRUE(writeJpeg(picture, path));
    return path;
}

void WindowFixture::addPreviewed(const QString& path) {
    ui(w).current_file = path;
    ui(w).Image10->setPicture(readPictureFile(path).image);
    QTest::mouseClick(ui(w).Image11, Qt::LeftButton);
}

void WindowFixture::fill(const QList<QStringList>& rows) {
    OrderRows order;
    for (const QStringList& r : rows)
        order.append({r[0], r[1], r[2], {}, {}, {}});
    ui(w).order.replaceRows(order, QStringLiteral("filling"));
    // As an order just opened: no step to undo, nothing to save.
    ui(w).order.undoStack().clear();
}

QList<QStringList> WindowFixture::gridTexts() {
    QList<QStringList> rows;
    for (int row = 1; row < grid().Rows(); ++row)
        rows.append({grid().TextMatrix(row, 1), grid().TextMatrix(row, 2),
                     grid().TextMatrix(row, 3), grid().TextMatrix(row, 4)});
    return rows;
}

QStringList WindowFixture::messageTexts() const {
    QStringList texts;
    for (const auto& m : dialogs.messages)
        texts << m.text;
    return texts;
}

bool WindowFixture::clickRow(int row, const std::function<void(Props&)>& act) {
    const QPoint at = pointOfRow(row);
    if (at.y() < 0) {
        ADD_FAILURE() << "row " << row << " is not in view";
        return false;
    }
    return clickGridAt(at, act);
}

bool WindowFixture::clickHeader(const std::function<void(Props&)>& act) {
    return clickGridAt(QPoint(kColumn1, 2), act);
}

bool WindowFixture::clickBelowRows(const std::function<void(Props&)>& act) {
    const QPoint at(kColumn1, grid().viewport()->height() - 2);
    EXPECT_EQ(grid().rowAt(at), -1);
    return clickGridAt(at, act);
}

void WindowFixture::editRow(int row, const QString& copies, const QString& size) {
    ASSERT_TRUE(clickRow(row, [&](Props& p) {
        p.Combo1->setEditText(copies);
        p.Combo2->setEditText(size);
        QTest::mouseClick(p.Command2, Qt::LeftButton);
    }));
}

void WindowFixture::expectInStep() {
    const int n = list().count;
    ASSERT_EQ(grid().Rows(), n + 1);
    for (int i = 1; i <= n; ++i) {
        const SelectionEntry& e = list().entries[static_cast<std::size_t>(i)];
        EXPECT_EQ(grid().TextMatrix(i, ColFile), e.file) << "row " << i;
        EXPECT_EQ(grid().TextMatrix(i, ColPath), e.file) << "row " << i;
        EXPECT_EQ(grid().TextMatrix(i, ColCopies), e.copies) << "row " << i;
        EXPECT_EQ(grid().TextMatrix(i, ColSize), e.size) << "row " << i;
        EXPECT_EQ(grid().RowHeight(i), 500) << "row " << i;
    }
    EXPECT_EQ(ui(w).Frame4->title(), frameCaption(list().count));
}

void WindowFixture::expectSolidThumbnail(int row, QRgb colour) {
    const QImage thumb = grid().CellPictureAt(row, ColPhoto);
    ASSERT_EQ(thumb.size(), QSize(40, 30)) << "row " << row;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(thumb.pixel(x, y) & 0xFFFFFF, colour & 0xFFFFFF)
                << "row " << row << " at " << x << "," << y;
}

void WindowFixture::click(XpButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
}

void WindowFixture::press(QWidget* on, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    if (!w->isActiveWindow()) {
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    QTest::keyClick(on, key, modifiers);
}

QList<int> WindowFixture::rowsInView() {
    QList<int> rows;
    for (int row = 1; row < grid().Rows(); ++row)
        if (pointOfRow(row).y() >= 0)
            rows << row;
    return rows;
}

void WindowFixture::pickRow(int row, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, modifiers, pointOfRow(row));
}

void WindowFixture::clickRowAndClose(int row) {
    ASSERT_TRUE(clickRow(row, [](Props& p) { p.reject(); }));
}

QStringList WindowFixture::chooseFromMenu(QWidget* widget, const QPoint& at, const QString& text,
                                          const std::function<void(Props&)>& act) {
    QStringList shown;
    QObject scope;
    std::function<void()> poll = [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible()) {
            QTimer::singleShot(0, &scope, poll);
            return;
        }
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator())
                continue;
            shown << (action->isEnabled() ? action->text()
                                          : QStringLiteral("(%1)").arg(action->text()));
            if (action->text() == text && action->isEnabled())
                chosen = action;
        }
        if (!chosen) {
            menu->close();
            return;
        }
        if (act)
            waitForEditor(scope, act);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
    };
    QTimer::singleShot(0, &scope, poll);
    QTest::mouseClick(widget, Qt::RightButton, {}, at);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &event);
    return shown;
}

QStringList WindowFixture::chooseFromGridMenu(int row, const QString& text,
                                              const std::function<void(Props&)>& act) {
    return chooseFromMenu(grid().viewport(), pointOfRow(row), text, act);
}

QPoint WindowFixture::pointOfRow(int row) {
    int first = -1;
    int last = -1;
    for (int y = 0; y < grid().viewport()->height(); ++y) {
        if (grid().rowAt(QPoint(kColumn1, y)) != row)
            continue;
        if (first < 0)
            first = y;
        last = y;
    }
    return QPoint(kColumn1, first < 0 ? -1 : (first + last) / 2);
}

void WindowFixture::waitForEditor(QObject& scope, const std::function<void(Props&)>& act,
                                  bool* shown) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [&scope, act, shown, poll] {
        auto* props = qobject_cast<Props*>(QApplication::activeModalWidget());
        if (!props || !props->isVisible()) {
            QTimer::singleShot(0, &scope, *poll);
            return;
        }
        if (shown)
            *shown = true;
        act(*props);
        if (props->isVisible()) {
            ADD_FAILURE() << "the row editor was left open";
            props->reject();
        }
        *poll = nullptr;
    };
    QTimer::singleShot(0, &scope, *poll);
}

bool WindowFixture::clickGridAt(const QPoint& at, const std::function<void(Props&)>& act) {
    bool shown = false;
    QObject scope;
    waitForEditor(scope, act, &shown);
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, at);
    return shown;
}
