#pragma once

#include "app/mainwindow.h"
#include "platform/controls/flexgrid.h"
#include "tests/support/fakes.h"
#include "tests/support/filebytes.h"
#include "tests/support/qtprinters.h"
#include "tests/support/testpictures.h"
#include "xpbutton/xpbutton.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

// The real main window with scripted dialogs and a recording shell, and a
// temporary folder for the files a flow reads and writes.
class OrderWindow : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    RecordingShell shell;
    QTemporaryDir dir;
    std::unique_ptr<MainWindow> w =
        std::make_unique<MainWindow>(MainWindowServices{dialogs, shell, QUrl()});

    FlexGrid& grid() { return *w->MSFlexGrid1; }

    // A real left click on one of the window's buttons.
    static void press(XpButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
    }

    QString at(const QString& name) const { return dir.filePath(name); }

    static QByteArray contents(const QString& path) { return readFileBytes(path); }
    static bool put(const QString& path, const QByteArray& bytes) {
        return writeFileBytes(path, bytes);
    }

    // A small JPEG photo; its bytes differ with seed.
    QString photo(const QString& name, int seed = 0) {
        const QString path = at(name);
        const QImage picture = patternPicture(80, 60, [seed](int x, int y) {
            return qRgb((x * 3 + seed) % 256, y * 4 % 256, seed % 256);
        });
        EXPECT_TRUE(writeJpeg(picture, path));
        return path;
    }

    // Puts rows {path, copies, size} into the grid and the list, as adding does.
    void fill(const QList<QStringList>& rows) {
        OrderRows order;
        for (const QStringList& r : rows)
            order.append({r[0], r[1], r[2], {}, {}, {}});
        w->order.replaceRows(order, QStringLiteral("filling"));
        // As an order just opened: no step to undo, nothing to save.
        w->order.undoStack().clear();
    }

    // The grid's data rows as {path, copies, size, hidden path}.
    QList<QStringList> gridTexts() {
        QList<QStringList> rows;
        for (int row = 1; row < grid().Rows(); ++row)
            rows.append({grid().TextMatrix(row, 1), grid().TextMatrix(row, 2),
                         grid().TextMatrix(row, 3), grid().TextMatrix(row, 4)});
        return rows;
    }

    QStringList messageTexts() const {
        QStringList texts;
        for (const auto& m : dialogs.messages)
            texts << m.text;
        return texts;
    }
};
