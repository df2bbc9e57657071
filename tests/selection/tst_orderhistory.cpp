#include "tests/support/window/windowfixture.h"
#include "xpbutton/xpbutton.h"

#include "platform/controls/dirlist.h"
#include "platform/controls/filelist.h"
#include "platform/controls/picturebox.h"
#include "platform/files/picturefile.h"
#include "selection/flows/openandsave.h"
#include "selection/order/gridrow.h"
#include "selection/order/ordermodel.h"
#include "tests/support/filebytes.h"
#include "tests/support/qtprinters.h"

#include <QHash>
#include <QLabel>
#include <QListWidget>

#include <QComboBox>
#include <QGroupBox>
#include <random>
#include <vector>

namespace {

// --- the window against a plain model of the order -------------------------

constexpr int kPhotos = 6;
const QRgb kColours[kPhotos] = {qRgb(200, 30, 30),  qRgb(30, 200, 30),  qRgb(30, 30, 200),
                                qRgb(200, 200, 30), qRgb(30, 200, 200), qRgb(120, 60, 180)};
const char* const kCopies[] = {"1", "2", "0", "5", "12"};
const char* const kSizes[] = {"10x15", "13x18", "20x30"};
// Every photo is 80 x 60 pixels.
const QHash<QString, QString> kTips = {
    {"10x15", " - 80 x 60 pixels - at 10x15: 13 ppi, low; 11 % cut off"},
    {"13x18", " - 80 x 60 pixels - at 13x18: 11 ppi, low; 4 % cut off"},
    {"20x30", " - 80 x 60 pixels - at 20x30: 6 ppi, low; 11 % cut off"},
};

struct ModelRow {
    int photo;
    QString copies;
    QString size;
    bool marker; // the "0" marker in the copies cell, from an open
    bool operator==(const ModelRow&) const = default;
};
using ModelOrder = std::vector<ModelRow>;

// The caption after a change: "1 Photo Selected", otherwise a blank, the
// count and " Photos Selected".
QString captionOf(std::size_t n) {
    return n == 1 ? QStringLiteral("1 Photo Selected")
                  : QStringLiteral(" %1 Photos Selected").arg(n);
}

// The order as a list of states, the undo history as an index into it. The
// first state keeps the design's caption, "0 Photos Selected".
struct Model {
    std::vector<std::pair<ModelOrder, QString>> states{{ModelOrder{}, "0 Photos Selected"}};
    std::vector<QString> names; // names[i] leads from states[i] to states[i + 1]
    std::size_t at = 0;

    const ModelOrder& order() const { return states[at].first; }
    const QString& caption() const { return states[at].second; }
    void change(const ModelOrder& next, const QString& name) {
        if (next == order() && captionOf(next.size()) == caption())
            return;
        states.resize(at + 1);
        names.resize(at);
        states.push_back({next, captionOf(next.size())});
        names.push_back(name);
        if (names.size() > 100) {
            states.erase(states.begin());
            names.erase(names.begin());
        }
        at = names.size();
    }
    QString undoText() const { return at > 0 ? "Undo " + names[at - 1] : QString("Undo"); }
    QString redoText() const { return at < names.size() ? "Redo " + names[at] : QString("Redo"); }
};

QString counted(std::size_t n, const char* one, const char* many) {
    return n == 1 ? QString::fromLatin1(one) : QString::fromLatin1(many).arg(n);
}

class OrderUndo : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        for (int i = 0; i < kPhotos; ++i) {
            paths << solidPhoto(QStringLiteral("p%1.jpg").arg(i), kColours[i]);
            QImage solid(40, 30, QImage::Format_RGB32);
            solid.fill(kColours[i]);
            thumbs << solid;
        }
        marker = readPictureFile(markerPicturePath()).image;
        ASSERT_FALSE(marker.isNull());
        ui(w).Dir1->setPath(folder());
        ASSERT_EQ(ui(w).File1->ListCount(), kPhotos);
    }

    QPoint fileAt(int i) { return ui(w).File1->visualItemRect(ui(w).File1->item(i)).center(); }
    void clickFile(int i, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(ui(w).File1->viewport(), Qt::LeftButton, modifiers, fileAt(i));
    }

    // Grid, list and caption show the model's order, row by row.
    void expectShows(const ModelOrder& order, const QString& caption, const QString& step) {
        SCOPED_TRACE(step.toStdString());
        const int n = static_cast<int>(order.size());
        ASSERT_EQ(grid().Rows(), n + 1);
        ASSERT_EQ(list().count, n);
        ASSERT_EQ(ui(w).Frame4->title(), caption);
        for (int i = 1; i <= n; ++i) {
            const ModelRow& r = order[static_cast<std::size_t>(i - 1)];
            const QString path = paths[r.photo];
            ASSERT_EQ(grid().TextMatrix(i, ColFile), path) << "row " << i;
            ASSERT_EQ(grid().TextMatrix(i, ColPath), path) << "row " << i;
            ASSERT_EQ(grid().TextMatrix(i, ColCopies), r.copies) << "row " << i;
            ASSERT_EQ(grid().TextMatrix(i, ColSize), r.size) << "row " << i;
            ASSERT_EQ(grid().RowHeight(i), 500) << "row " << i;
            ASSERT_EQ(grid().CellPictureAt(i, ColPhoto).convertToFormat(QImage::Format_RGB32),
                      thumbs[r.photo])
                << "row " << i;
            ASSERT_EQ(grid().CellPictureAt(i, ColCopies), r.marker ? marker : QImage())
                << "row " << i;
            // The row keeps its photo's size through every change, so its
            // tip tells the print fit.
            ASSERT_EQ(ui(w).order.rows()[i - 1].pixels, QSize(80, 60)) << "row " << i;
            ASSERT_EQ(ui(w).order.index(i - 1, ColFile).data(Qt::ToolTipRole).toString(),
                      path + kTips.value(r.size))
                << "row " << i;
            const SelectionEntry& e = list().entries[static_cast<std::size_t>(i)];
            ASSERT_EQ(e.file, path) << "entry " << i;
            ASSERT_EQ(e.copies, r.copies) << "entry " << i;
            ASSERT_EQ(e.size, r.size) << "entry " << i;
        }
    }

    QStringList paths;
    QList<QImage> thumbs;
    QImage marker;
};

TEST_F(OrderUndo, EveryStepOfARandomSessionShowsWhatThePlainModelHolds) {
    std::mt19937 random(20261209);
    const auto pick = [&random](int n) {
        return static_cast<int>(std::uniform_int_distribution<int>(0, n - 1)(random));
    };
    Model model;
    QTemporaryDir projects;
    int projectNo = 0;
    QString openProject; // the project Ctrl+S saves over: last opened or saved
    qsizetype prompts = 0;
    const int kOperations = 320;
    for (int op = 0; op < kOperations; ++op) {
        ModelOrder next = model.order();
        const int n = static_cast<int>(next.size());
        const QList<int> view = rowsInView();
        QString did;
        const int kind = pick(16);
        if (kind <= 1 && n < 30) {
            // One photo: a double click on it, or a click on the preview.
            const int photo = pick(kPhotos);
            if (kind == 0) {
                clickFile(photo);
                QTest::mouseDClick(ui(w).File1->viewport(), Qt::LeftButton, {}, fileAt(photo));
                did = "double click";
            } else {
                clickFile(photo);
                QTest::mouseClick(ui(w).Image11, Qt::LeftButton);
                did = "preview click";
            }
            next.push_back({photo, "1", "10x15", false});
            model.change(next, counted(1, "adding a photo", ""));
        } else if (kind <= 3 && n < 30) {
            // A range with Shift, or a few with Ctrl, then Enter or the menu.
            const int first = pick(kPhotos);
            const int last = pick(kPhotos);
            clickFile(first);
            std::vector<int> chosen;
            if (kind == 2) {
                clickFile(last, Qt::ShiftModifier);
                for (int i = std::min(first, last); i <= std::max(first, last); ++i)
                    chosen.push_back(i);
            } else {
                clickFile(last, Qt::ControlModifier);
                for (int i = 0; i < kPhotos; ++i)
                    if ((i == first) != (i == last))
                        chosen.push_back(i);
            }
            if (chosen.empty()) {
                did = "nothing chosen";
            } else if (pick(2) == 0) {
                press(ui(w).File1, Qt::Key_Return);
                did = "Enter on the chosen files";
            } else {
                const int on = chosen.back();
                const QString text = counted(chosen.size(), "Add the 1 selected photo",
                                             "Add the %1 selected photos");
                const QStringList shown = chooseFromMenu(ui(w).File1->viewport(), fileAt(on), text);
                EXPECT_EQ(shown,
                          QStringList({text, "Add all 6 photos of this folder", "Light table"}));
                did = text;
            }
            for (int photo : chosen)
                next.push_back({photo, "1", "10x15", false});
            if (!chosen.empty())
                model.change(next, counted(chosen.size(), "adding a photo", "adding %1 photos"));
        } else if (kind <= 5 && !view.isEmpty()) {
            // The row editor's Ok on one row.
            const int row = view[pick(static_cast<int>(view.size()))];
            const QString copies = kCopies[pick(5)];
            const QString size = kSizes[pick(3)];
            editRow(row, copies, size);
            next[static_cast<std::size_t>(row - 1)].copies = copies;
            next[static_cast<std::size_t>(row - 1)].size = size;
            model.change(next, "changing a row");
            did = QStringLiteral("edit row %1").arg(row);
        } else if (kind == 6 && !view.isEmpty()) {
            // The editor's Remove: later rows move up, markers stay where they are.
            const int row = view[pick(static_cast<int>(view.size()))];
            ASSERT_TRUE(
                clickRow(row, [](Props& p) { QTest::mouseClick(p.Command1, Qt::LeftButton); }));
            for (int i = row - 1; i + 1 < n; ++i) {
                const bool stays = next[static_cast<std::size_t>(i)].marker;
                next[static_cast<std::size_t>(i)] = next[static_cast<std::size_t>(i + 1)];
                next[static_cast<std::size_t>(i)].marker = stays;
            }
            next.pop_back();
            model.change(next, "removing a row");
            did = QStringLiteral("editor removes row %1").arg(row);
        } else if (kind <= 9 && view.size() >= 2) {
            // Rows picked with a click and Ctrl+clicks, then Delete or the menu.
            const int first = view[pick(static_cast<int>(view.size()))];
            clickRowAndClose(first);
            std::vector<bool> picked(static_cast<std::size_t>(n) + 1, false);
            picked[static_cast<std::size_t>(first)] = true;
            for (int k = pick(3); k >= 0; --k) {
                const int row = view[pick(static_cast<int>(view.size()))];
                pickRow(row, Qt::ControlModifier);
                picked[static_cast<std::size_t>(row)] = !picked[static_cast<std::size_t>(row)];
            }
            std::vector<int> rows;
            for (int i = 1; i <= n; ++i)
                if (picked[static_cast<std::size_t>(i)])
                    rows.push_back(i);
            if (rows.empty()) {
                did = "picked nothing";
            } else if (kind == 7) {
                press(&grid(), Qt::Key_Delete);
                did = "Delete";
            } else if (kind == 8) {
                const QString text = counted(rows.size(), "Remove the 1 selected row",
                                             "Remove the %1 selected rows");
                chooseFromGridMenu(rows.front(), text);
                did = text;
            } else {
                const QString copies = kCopies[pick(5)];
                const QString size = kSizes[pick(3)];
                const QString text =
                    counted(rows.size(), "Change copies and size of the 1 selected row...",
                            "Change copies and size of the %1 selected rows...");
                bool edited = false;
                chooseFromGridMenu(rows.back(), text, [&](Props& p) {
                    edited = true;
                    EXPECT_EQ(p.Label4->text(),
                              paths[next[static_cast<std::size_t>(rows.front() - 1)].photo]);
                    p.Combo1->setEditText(copies);
                    p.Combo2->setEditText(size);
                    QTest::mouseClick(p.Command2, Qt::LeftButton);
                });
                ASSERT_TRUE(edited);
                for (int row : rows) {
                    next[static_cast<std::size_t>(row - 1)].copies = copies;
                    next[static_cast<std::size_t>(row - 1)].size = size;
                }
                model.change(next, counted(rows.size(), "changing a row", "changing %1 rows"));
                did = text;
            }
            if (kind == 7 || kind == 8) {
                for (auto it = rows.rbegin(); it != rows.rend(); ++it)
                    next.erase(next.begin() + (*it - 1));
                model.change(next, counted(rows.size(), "removing a row", "removing %1 rows"));
            }
        } else if (kind <= 11) {
            // Undo by its keys, or by the grid's menu, which names the step.
            if (kind == 10 || view.isEmpty()) {
                press(ui(w).File1, Qt::Key_Z, Qt::ControlModifier);
                did = "Ctrl+Z";
            } else {
                const QStringList shown = chooseFromGridMenu(view.front(), model.undoText());
                EXPECT_EQ(shown.value(0), model.at > 0 ? model.undoText() : "(Undo)");
                EXPECT_EQ(shown.value(1),
                          model.at < model.names.size() ? model.redoText() : "(Redo)");
                did = "menu " + model.undoText();
            }
            if (model.at > 0)
                --model.at;
        } else if (kind <= 13) {
            if (kind == 12) {
                press(ui(w).File1, Qt::Key_Y, Qt::ControlModifier);
                did = "Ctrl+Y";
            } else {
                press(ui(w).File1, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
                did = "Ctrl+Shift+Z";
            }
            if (model.at < model.names.size())
                ++model.at;
        } else if (kind == 14) {
            // Ctrl+O with a project of random rows, some with "0" copies.
            const QString project = projects.filePath(QStringLiteral("p%1.mvl").arg(++projectNo));
            ModelOrder opened;
            QByteArray bytes;
            const int rows = 1 + pick(12);
            bytes = " " + QByteArray::number(rows) + " \r\n";
            for (int i = 0; i < rows; ++i) {
                const ModelRow r{pick(kPhotos), kCopies[pick(5)], kSizes[pick(3)], false};
                opened.push_back({r.photo, r.copies, r.size, r.copies == "0"});
                bytes += paths[r.photo].toUtf8() + "\r\n" + r.copies.toUtf8() + "\r\n" +
                         r.size.toUtf8() + "\r\n";
            }
            ASSERT_TRUE(writeFileBytes(project, bytes));
            if (n > 0) {
                dialogs.answerMessage(MessageResult::No);
                ++prompts;
            }
            dialogs.answerFile(project);
            press(ui(w).File1, Qt::Key_O, Qt::ControlModifier);
            model.change(opened, QStringLiteral("opening p%1.mvl").arg(projectNo));
            openProject = project;
            did = "Ctrl+O";
        } else {
            // Ctrl+S writes what the grid shows and leaves the history alone:
            // over the project open, or where the dialog says when none is.
            const qsizetype asked = dialogs.fileCalls.size();
            const bool inPlace = !openProject.isEmpty();
            if (!inPlace)
                openProject = projects.filePath(QStringLiteral("s%1.mvl").arg(op));
            const QString project = openProject;
            if (!inPlace)
                dialogs.answerFile(project);
            press(ui(w).File1, Qt::Key_S, Qt::ControlModifier);
            EXPECT_EQ(dialogs.fileCalls.size(), asked + (inPlace ? 0 : 1));
            QByteArray expected = " " + QByteArray::number(n) + " \r\n";
            for (const ModelRow& r : next)
                expected += paths[r.photo].toUtf8() + "\r\n" + r.copies.toUtf8() + "\r\n" +
                            r.size.toUtf8() + "\r\n";
            EXPECT_EQ(readFileBytes(project), expected);
            did = "Ctrl+S";
        }
        ASSERT_EQ(dialogs.messages.size(), prompts)
            << "an unexpected message: " << dialogs.messages.last().text.toStdString();
        expectShows(model.order(), model.caption(),
                    QStringLiteral("operation %1: %2").arg(op).arg(did));
        if (HasFatalFailure())
            return;
    }
}

} // namespace
