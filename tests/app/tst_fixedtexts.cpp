// Every fixed text of both windows fits the width its control was designed
// with, in the font the program draws with: no hint, caption or title is cut.
#include "app/mainwindow.h"
#include "selection/dialogs/props.h"
#include "tests/support/fakes.h"
#include "tests/support/window/mainwindowui.h"
#include "xpbutton/face/buttonlayout.h"
#include "xpbutton/xpbutton.h"

#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

// How many pixels of a label's text do not fit its control; 0 when all fit.
int labelOverflow(const QLabel& label, const QString& text) {
    return std::max(0, label.fontMetrics().horizontalAdvance(text) - label.contentsRect().width());
}

// A frame's title as the style places it; outside the frame it is cut.
QRect titleRect(const QGroupBox& box) {
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = box.title();
    option.textAlignment = box.alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.lineWidth = 1;
    return box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel,
                                       &box);
}

// The caption's box (the text and its margins) as the button lays it out.
WinRect captionBox(const XpButton& button, WinRect* inner) {
    const ButtonState state = button.currentState();
    QImage surface(button.size(), QImage::Format_RGB32);
    DeviceContext dc(surface);
    SelectObject(dc, state.Font);
    ButtonDrawState draw;
    CalcLayout(dc, state, draw);
    *inner = draw.g_InnerRect;
    return draw.g_CaptionRect;
}

class FixedTexts : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_folder.path()));
        w = std::make_unique<MainWindow>(MainWindowServices{dialogs, shell, QUrl()});
    }
    void TearDown() override {
        w.reset();
        QDir::setCurrent(m_previous);
    }

    QTemporaryDir m_folder;
    QString m_previous;
    ScriptedDialogs dialogs;
    RecordingShell shell;
    std::unique_ptr<MainWindow> w;
};

TEST_F(FixedTexts, EveryLabelShowsItsWholeText) {
    Props props(ui(w).orderController.view);
    const struct {
        QLabel* label;
        QString text;
    } labels[] = {
        {ui(w).Label7, "Loading..."},
        {ui(w).Label1, "Label1"},
        // The widest count a folder is likely to give.
        {ui(w).Label1, "Cantidad: 99999"},
        {ui(w).Label3, "Click in the file to preview..."},
        {ui(w).Label6, "Doble Click in the file to select..."},
        {ui(w).Label4, "Click in the picture to select..."},
        {ui(w).Label2, "Preview"},
        {ui(w).Label9, "Click in the file to preview..."},
        {ui(w).Label8, "Click to add..."},
        {ui(w).Label5, "Click in the row to change the values..."},
        {props.Label2, "File:"},
        {props.Label4, "File"},
        {props.Label1, "Copies:"},
        {props.Label3, "Size:"},
    };
    for (const auto& [label, text] : labels) {
        if (!text.startsWith(QLatin1String("Cantidad")) && text != QLatin1String("Label1")) {
            EXPECT_EQ(label->text(), text) << "the designed text";
        }
        EXPECT_EQ(labelOverflow(*label, text), 0)
            << '"' << text.toStdString() << "\" in " << label->width() << " pixels";
    }
    // Every label of both windows is among them.
    // Every label of both windows is among them (the row editor is the main
    // window's child).
    EXPECT_EQ(w->findChildren<QLabel*>().size(), std::size(labels) - 1);
}

TEST_F(FixedTexts, EveryFrameShowsItsWholeTitle) {
    w->show();
    const struct {
        QGroupBox* frame;
        QString title;
    } frames[] = {
        {ui(w).Frame1, "Photo Selection"},
        {ui(w).Frame3, "Preview"},
        {ui(w).Frame4, "0 Photos Selected"},
        {ui(w).Frame4, " 999 Photos Selected"}, // the widest count
    };
    for (const auto& [frame, title] : frames) {
        frame->setTitle(title);
        const QRect place = titleRect(*frame);
        EXPECT_GE(place.width(), frame->fontMetrics().horizontalAdvance(title));
        EXPECT_TRUE(frame->rect().contains(place))
            << '"' << title.toStdString() << "\" at " << place.left() << ".." << place.right()
            << " in " << frame->width() << " pixels";
    }
    EXPECT_EQ(w->findChildren<QGroupBox*>().size(), 3);
}

TEST_F(FixedTexts, EveryButtonCaptionFitsInsideItsFace) {
    Props props(ui(w).orderController.view);
    const struct {
        XpButton* button;
        QString caption;
    } buttons[] = {{props.Command1, "Remove"}, {props.Command2, "Ok"}};
    for (const auto& [button, caption] : buttons) {
        ASSERT_EQ(button->Caption(), caption);
        WinRect inner;
        const WinRect box = captionBox(*button, &inner);
        EXPECT_GT(box.right - box.left,
                  QFontMetrics(button->currentState().Font).horizontalAdvance(caption));
        EXPECT_TRUE(box.left >= inner.left && box.right <= inner.right)
            << caption.toStdString() << ": " << box.left << ".." << box.right << " in "
            << inner.left << ".." << inner.right;
    }
    // The main window's buttons carry pictures only.
    const MainWindowUi controls = ui(w);
    for (XpButton* button : {controls.Command1, controls.Command2, controls.Command3,
                             controls.Command4, controls.Command5})
        EXPECT_EQ(button->Caption(), "");
}

} // namespace
