#pragma once

// The real main window with scripted dialogs, photos in a temporary folder,
// and a way to work the row editor while it is shown modally.

#include "app/mainwindow.h"
#include "platform/controls/flexgrid.h"
#include "platform/controls/picturebox.h"
#include "platform/files/picturefile.h"
#include "selection/dialogs/props.h"
#include "selection/flows/orderhandlers.h"
#include "selection/order/gridrow.h"
#include "selection/order/ordertexts.h"
#include "tests/support/fakes.h"
#include "tests/support/testpictures.h"
#include "xpbutton/xpbutton.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

class SelectionWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid() && m_start.isValid());
        // The file lists start on the current folder: an empty one, so that
        // nothing is listed or previewed unless a test says so.
        m_previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_start.path()));
        w = std::make_unique<MainWindow>(MainWindowServices{dialogs, shell, QUrl()});
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }

    void TearDown() override {
        w.reset();
        QDir::setCurrent(m_previous);
    }

    QString folder() const { return m_folder.path(); }
    QString file(const QString& name) const { return m_folder.filePath(name); }

    // A lossless picture file, whatever its name says, so thumbnails can be
    // checked pixel by pixel.
    QString photo(const QString& name, const QImage& picture) {
        const QString path = file(name);
        EXPECT_TRUE(writeBitmap(picture, path)) << path.toStdString();
        return path;
    }
    QString solidPhoto(const QString& name, QRgb colour) {
        return photo(name, patternPicture(80, 60, [colour](int, int) { return colour; }));
    }

    // What a click on the preview does once path has been previewed.
    void addPreviewed(const QString& path) {
        w->current_file = path;
        w->Image10->setPicture(readPictureFile(path).image);
        QTest::mouseClick(w->Image11, Qt::LeftButton);
    }

    FlexGrid& grid() { return *w->MSFlexGrid1; }
    SelectionList& list() { return w->selection; }

    // Clicks data row `row` of the grid with the mouse and runs act on the
    // row editor while it is shown. Returns whether the editor was shown; one
    // that act leaves open is closed, and the test fails.
    bool clickRow(int row, const std::function<void(Props&)>& act) {
        const QPoint at = pointOfRow(row);
        if (at.y() < 0) {
            ADD_FAILURE() << "row " << row << " is not in view";
            return false;
        }
        return clickGridAt(at, act);
    }
    // The header row, or the empty area below the last row.
    bool clickHeader(const std::function<void(Props&)>& act) {
        return clickGridAt(QPoint(kColumn1, 2), act);
    }
    bool clickBelowRows(const std::function<void(Props&)>& act) {
        const QPoint at(kColumn1, grid().viewport()->height() - 2);
        EXPECT_EQ(grid().rowAt(at), -1);
        return clickGridAt(at, act);
    }
    // Sets a row's copies and size through the editor's Ok.
    void editRow(int row, const QString& copies, const QString& size) {
        ASSERT_TRUE(clickRow(row, [&](Props& p) {
            p.Combo1->setEditText(copies);
            p.Combo2->setEditText(size);
            QTest::mouseClick(p.Command2, Qt::LeftButton);
        }));
    }

    // Grid and list tell the same story, and the caption follows the count.
    void expectInStep() {
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
        EXPECT_EQ(w->Frame4->title(), frameCaption(list().count));
    }

    // Every pixel of the thumbnail of row is colour.
    void expectSolidThumbnail(int row, QRgb colour) {
        const QImage thumb = grid().CellPictureAt(row, ColPhoto);
        ASSERT_EQ(thumb.size(), QSize(40, 30)) << "row " << row;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(thumb.pixel(x, y) & 0xFFFFFF, colour & 0xFFFFFF)
                    << "row " << row << " at " << x << "," << y;
    }

    // Keys pressed on a widget of the window, which is made active first: off
    // screen a closed popup menu may leave no window active, and shortcuts
    // work only in the active window.
    void press(QWidget* on, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        if (!w->isActiveWindow()) {
            w->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        }
        QTest::keyClick(on, key, modifiers);
    }

    // The data rows whose middle can be clicked.
    QList<int> rowsInView() {
        QList<int> rows;
        for (int row = 1; row < grid().Rows(); ++row)
            if (pointOfRow(row).y() >= 0)
                rows << row;
        return rows;
    }
    // Ctrl+click or Shift+click on a row: picks rows, opens nothing.
    void pickRow(int row, Qt::KeyboardModifiers modifiers) {
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, modifiers, pointOfRow(row));
    }
    // A plain click on a row, its editor closed by its close box.
    void clickRowAndClose(int row) {
        ASSERT_TRUE(clickRow(row, [](Props& p) { p.reject(); }));
    }

    // A right click at a point of widget, and the context menu it opens, as
    // the platform raises it: the entry called text is clicked, then act runs
    // on a row editor if one comes up. Gives the menu's entries as shown,
    // disabled ones as "(text)"; an entry not there closes the menu.
    QStringList chooseFromMenu(QWidget* widget, const QPoint& at, const QString& text,
                               const std::function<void(Props&)>& act = {}) {
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
    QStringList chooseFromGridMenu(int row, const QString& text,
                                   const std::function<void(Props&)>& act = {}) {
        return chooseFromMenu(grid().viewport(), pointOfRow(row), text, act);
    }

    // The middle of a data row in column 1, or y -1 when it is not in view.
    QPoint rowPoint(int row) { return pointOfRow(row); }

    ScriptedDialogs dialogs;
    RecordingShell shell;
    std::unique_ptr<MainWindow> w;

private:
    static constexpr int kColumn1 = 60; // past the 40-pixel thumbnail column

    // The middle of a data row in column 1, or y -1 when it is not in view.
    QPoint pointOfRow(int row) {
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

    // Runs act on the row editor once it is shown; shown tells whether it was.
    static void waitForEditor(QObject& scope, const std::function<void(Props&)>& act,
                              bool* shown = nullptr) {
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

    bool clickGridAt(const QPoint& at, const std::function<void(Props&)>& act) {
        bool shown = false;
        QObject scope;
        waitForEditor(scope, act, &shown);
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, at);
        return shown;
    }

    QTemporaryDir m_folder;
    QTemporaryDir m_start;
    QString m_previous;
};
