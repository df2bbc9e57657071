#pragma once

// The real main window, shown, with scripted dialogs and a recording shell,
// photos in a temporary folder, and ways to work its grid, its menus and the
// row editor while that is shown modally.

#include "app/mainwindow.h"
#include "platform/controls/flexgrid.h"
#include "selection/dialogs/props.h"
#include "selection/order/selectionlist.h"
#include "tests/support/fakes.h"
#include "tests/support/filebytes.h"
#include "tests/support/qtprinters.h"
#include "tests/support/testpictures.h"
#include "tests/support/window/mainwindowui.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

class XpButton;

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString folder() const { return dir.path(); }
    QString file(const QString& name) const { return dir.filePath(name); }

    static QByteArray contents(const QString& path) { return readFileBytes(path); }
    static bool put(const QString& path, const QByteArray& bytes) {
        return writeFileBytes(path, bytes);
    }

    // A lossless picture file, whatever its name says, so thumbnails can be
    // checked pixel by pixel.
    QString photo(const QString& name, const QImage& picture);
    QString solidPhoto(const QString& name, QRgb colour);
    // A small JPEG photo; its bytes differ with seed.
    QString jpegPhoto(const QString& name, int seed = 0);

    // What a click on the preview does once path has been previewed.
    void addPreviewed(const QString& path);

    FlexGrid& grid() { return *ui(w).MSFlexGrid1; }
    SelectionList& list() { return ui(w).selection; }

    // Puts rows {path, copies, size} into the grid and the list, as adding does.
    void fill(const QList<QStringList>& rows);
    // The grid's data rows as {path, copies, size, hidden path}.
    QList<QStringList> gridTexts();
    QStringList messageTexts() const;

    // Clicks data row `row` of the grid with the mouse and runs act on the
    // row editor while it is shown. Returns whether the editor was shown; one
    // that act leaves open is closed, and the test fails.
    bool clickRow(int row, const std::function<void(Props&)>& act);
    // The header row, or the empty area below the last row.
    bool clickHeader(const std::function<void(Props&)>& act);
    bool clickBelowRows(const std::function<void(Props&)>& act);
    // Sets a row's copies and size through the editor's Ok.
    void editRow(int row, const QString& copies, const QString& size);

    // Grid and list tell the same story, and the caption follows the count.
    void expectInStep();
    // Every pixel of the thumbnail of row is colour.
    void expectSolidThumbnail(int row, QRgb colour);

    // A real left click on one of the window's buttons.
    static void click(XpButton* button);
    // Keys pressed on a widget of the window, which is made active first: off
    // screen a closed popup menu may leave no window active, and shortcuts
    // work only in the active window.
    void press(QWidget* on, Qt::Key key, Qt::KeyboardModifiers modifiers = {});

    // The data rows whose middle can be clicked.
    QList<int> rowsInView();
    // Ctrl+click or Shift+click on a row: picks rows, opens nothing.
    void pickRow(int row, Qt::KeyboardModifiers modifiers);
    // A plain click on a row, its editor closed by its close box.
    void clickRowAndClose(int row);

    // A right click at a point of widget, and the context menu it opens, as
    // the platform raises it: the entry called text is clicked, then act runs
    // on a row editor if one comes up. Gives the menu's entries as shown,
    // disabled ones as "(text)"; an entry not there closes the menu.
    QStringList chooseFromMenu(QWidget* widget, const QPoint& at, const QString& text,
                               const std::function<void(Props&)>& act = {});
    QStringList chooseFromGridMenu(int row, const QString& text,
                                   const std::function<void(Props&)>& act = {});

    // The middle of a data row in column 1, or y -1 when it is not in view.
    QPoint rowPoint(int row) { return pointOfRow(row); }

    ScriptedDialogs dialogs;
    RecordingShell shell;
    QTemporaryDir dir;
    std::unique_ptr<MainWindow> w;

private:
    static constexpr int kColumn1 = 60; // past the 40-pixel thumbnail column

    QPoint pointOfRow(int row);
    // Runs act on the row editor once it is shown; shown tells whether it was.
    static void waitForEditor(QObject& scope, const std::function<void(Props&)>& act,
                              bool* shown = nullptr);
    bool clickGridAt(const QPoint& at, const std::function<void(Props&)>& act);

    QTemporaryDir m_start;
    QString m_previous;
};
