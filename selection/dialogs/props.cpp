#include "selection/dialogs/props.h"

#include "app/core/boxfit.h"
#include "app/core/devicesampling.h"
#include "app/core/samplelayout.h"
#include "assets/assets.h"
#include "assets/designedbuttons.h"
#include "platform/controls/designfont.h"
#include "platform/controls/flexgrid.h"
#include "platform/controls/imagecontrol.h"
#include "platform/controls/pathlabel.h"
#include "platform/controls/picturebox.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/messagetext.h"
#include "platform/files/picturefile.h"
#include "platform/units/twips.h"
#include "selection/dialogs/cropframe.h"
#include "selection/dialogs/rowremoval.h"
#include "selection/order/framing.h"
#include "selection/order/gridrow.h"
#include "selection/order/ordersummary.h"
#include "selection/order/photopixels.h"
#include "selection/order/printfit.h"
#include "selection/order/selectionlist.h"
#include "xpbutton/buttonerrors.h"

#include "xpbutton/xpbutton.h"
#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QWindow>

#include <cmath>

namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kOrange = 0x000080FF;
// One key press or wheel notch makes the cut this much larger or smaller.
constexpr double kCutStep = 1.1;

template <typename Label = QLabel>
Label* makeLabel(QWidget* parent, const QRect& place, const QString& text) {
    auto* label = new Label(text, parent);
    label->setGeometry(place);
    label->setAutoFillBackground(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, colourFromValue(kWhite));
    label->setPalette(pal);
    return label;
}

void setTextOrange(QWidget* widget) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, colourFromValue(kOrange));
    pal.setColor(QPalette::Text, colourFromValue(kOrange));
    widget->setPalette(pal);
}

QComboBox* makeCombo(QWidget* parent, const QRect& place) {
    auto* combo = new QComboBox(parent);
    combo->setGeometry(place);
    combo->setEditable(true);
    // Typed text is the value, exactly as typed: it is neither added to the
    // list nor completed from it.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    setTextOrange(combo);
    return combo;
}

ImageControl* makeImage(QWidget* parent, const QRect& place) {
    auto* image = new ImageControl(parent);
    image->setGeometry(place);
    image->setStretch(true);
    return image;
}

} // namespace

Props::Props(OrderView& controls)
    : QDialog(&controls.window,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_c(controls) {
    setWindowTitle(QString());
    setModal(true);
    setFixedSize(kWidth, kHeight);
    createControls();
    connect(Command1, &XpButton::Click, this, &Props::Command1_Click);
    connect(Command2, &XpButton::Click, this, &Props::Command2_Click);
    Form_Load();
}

void Props::createControls() {
    // The banner is the dialog's background, beneath everything else.
    Image1 = makeImage(this, twipsRect(0, -240, 15195, 3300));
    Image1->setPicture(assetImage(QStringLiteral("props_banner.png")),
                       sharperAssetImages(QStringLiteral("props_banner.png")));
    Label2 = makeLabel(this, twipsRect(480, 240, 735, 255), QStringLiteral("File:"));
    Label4 = makeLabel<PathLabel>(this, twipsRect(1200, 240, 3255, 255), QStringLiteral("File"));
    setTextOrange(Label4);
    Label1 = makeLabel(this, twipsRect(480, 720, 735, 255), QStringLiteral("Copies:"));
    Combo1 = makeCombo(this, twipsRect(1200, 680, 975, 315));
    Combo1->setAccessibleName(QStringLiteral("Copies"));
    Label3 = makeLabel(this, twipsRect(480, 1200, 735, 255), QStringLiteral("Size:"));
    Combo2 = makeCombo(this, twipsRect(1200, 1140, 975, 315));
    Combo2->setAccessibleName(QStringLiteral("Size"));
    // On Linux a screen reader names a combo box by the label that is its buddy.
    Label1->setBuddy(Combo1);
    Label3->setBuddy(Combo2);
    Image2 = makeImage(this, twipsRect(2520, 600, 1695, 1335));
    cropFrame = new CropFrame(Image2);
    Command1 = placeDesignedButton("props_command1", "Command1", this,
                                   twipsRect(600, 2280, 1095, 375), QStringLiteral("Remove"));
    Command2 = placeDesignedButton("props_command2", "Command2", this,
                                   twipsRect(3120, 2280, 1095, 375), QStringLiteral("Ok"));
    for (XpButton* button : {Command1, Command2}) {
        button->setShell(&m_c.shell);
        tellButtonErrors(*button, m_c.dialogs, *this);
    }

    for (QWidget* w : {static_cast<QWidget*>(Image1), static_cast<QWidget*>(Label2),
                       static_cast<QWidget*>(Label4), static_cast<QWidget*>(Label1),
                       static_cast<QWidget*>(Label3), static_cast<QWidget*>(Image2)})
        w->setFocusPolicy(Qt::NoFocus);
    QWidget* order[] = {Combo1, Combo2, Command1, Command2};
    for (QWidget* w : order)
        w->setFocusPolicy(Qt::StrongFocus);
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    // The frame comes after the designed order.
    setTabOrder(Command2, cropFrame);
    Combo1->setFocus();
    createFramingActions();
}

void Props::Form_Load() {
    FlexGrid& grid = m_c.MSFlexGrid1;
    grid.setCol(ColFile);
    Label4->setText(grid.Text());
    // The window's title stays empty; screen readers hear which photo it edits.
    setAccessibleName(QStringLiteral("Copies and size of ") + QFileInfo(grid.Text()).fileName());
    // A long path shows cut in the middle; the tip gives it whole.
    Label4->setToolTip(plainTip(grid.Text()));
    // A photo that is gone or damaged shows no picture; the row can still be
    // edited or removed. The photo keeps its shape in the box: only the
    // pixels that land in it are read.
    const double ratio = devicePixelRatioF();
    const PictureRead read = readPictureFile(grid.Text(), boxLayout(Image2->size(), ratio));
    if (!read.ok())
        Image2->setPicture(QImage());
    else if (ratio > 1)
        Image2->setPicture(
            sampledAtRatio(read.image, read.fullSize, read.kept, Image2->size(), 1),
            {sampledAtRatio(read.image, read.fullSize, read.kept, Image2->size(), ratio)});
    else
        Image2->setPicture(sampledAtRatio(read.image, read.fullSize, read.kept, Image2->size(), 1));
    m_pixels = photoPixelSize(read);

    Combo1->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                      QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"),
                      QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"),
                      QStringLiteral("10")});
    grid.setCol(ColCopies);
    Combo1->setEditText(grid.Text());

    Combo2->addItems(sizeItems());
    grid.setCol(ColSize);
    Combo2->setEditText(grid.Text());

    Combo2->setToolTip(plainTip(sizeListTip(m_pixels, sizeItems())));
    showPrintFit();
    // Typing and picking both change the text.
    connect(Combo2, &QComboBox::editTextChanged, this, &Props::showPrintFit, Qt::UniqueConnection);
}

QStringList Props::sizeItems() {
    return {QStringLiteral("10x15"), QStringLiteral("13x18"), QStringLiteral("15x21"),
            QStringLiteral("20x25"), QStringLiteral("20x30"), QStringLiteral("30x45")};
}

QRect Props::drawnPhoto() const {
    const QSize box = Image2->size();
    return QRect(fittedOrigin(m_pixels, box), fittedSize(m_pixels, box));
}

std::optional<PrintSize> Props::paper() const {
    return paperShape(Combo2->currentText());
}

void Props::moveCut(const Framing& from, QPoint shown) {
    const std::optional<PrintSize> print = paper();
    if (!print)
        return;
    // Pixels of the photo to one of Image2's, at least 1.
    const QRect drawn = drawnPhoto();
    const double x = std::max(1.0, double(m_pixels.width()) / std::max(1, drawn.width()));
    const double y = std::max(1.0, double(m_pixels.height()) / std::max(1, drawn.height()));
    setFraming(movedCut(from, m_pixels, *print,
                        QPoint(static_cast<int>(std::lround(shown.x() * x)),
                               static_cast<int>(std::lround(shown.y() * y)))));
}

void Props::showPrintFit() {
    const std::optional<PrintSize> print = paper();
    const bool framed = print && !m_pixels.isEmpty();
    Image2->setToolTip(
        print || m_pixels.isEmpty()
            ? QString()
            : plainTip(QStringLiteral("The size \"%1\" names no paper shape, so the photo cannot "
                                      "be framed.")
                           .arg(Combo2->currentText())));
    for (QAction* action : {fillAction, wholeAction, centreAction})
        action->setEnabled(framed);
    centreAction->setEnabled(framed && m_framing.mode == FramingMode::Fill);
    if (!framed) {
        cropFrame->setPart({});
        return;
    }
    // The part is the photo's as drawn: fitted in the box, not the box.
    const QRect drawn = drawnPhoto();
    cropFrame->setPicture(drawn);
    cropFrame->setPart(m_framing.mode == FramingMode::Whole
                           ? drawn
                           : shownPart(fillCut(m_pixels, *print, m_framing), m_pixels, drawn));
    cropFrame->setToolTip(
        plainTip(framedFitText(framedFit(m_pixels, *print, m_framing), m_framing)));
}

void Props::createFramingActions() {
    fillAction = new QAction(QStringLiteral("Fill the paper"), this);
    wholeAction = new QAction(QStringLiteral("Whole photo"), this);
    centreAction = new QAction(QStringLiteral("Centre the cut"), this);
    for (QAction* action : {fillAction, wholeAction})
        action->setCheckable(true);
    connect(fillAction, &QAction::triggered, this, [this] { setFraming(Framing{}); });
    connect(wholeAction, &QAction::triggered, this,
            [this] { setFraming(Framing{FramingMode::Whole}); });
    connect(centreAction, &QAction::triggered, this, [this] { setFraming(centredCut(m_framing)); });
    connect(cropFrame, &CropFrame::menuAsked, this, &Props::showFramingMenu);
    connect(cropFrame, &CropFrame::dragStarted, this, [this] { m_dragFrom = m_framing; });
    // A drag moves the cut from where it was when it began; a key from
    // where it is.
    connect(cropFrame, &CropFrame::dragged, this, [this](QPoint by) { moveCut(m_dragFrom, by); });
    connect(cropFrame, &CropFrame::stepped, this, [this](QPoint by) { moveCut(m_framing, by); });
    connect(cropFrame, &CropFrame::scaled, this, [this](int steps) {
        if (const std::optional<PrintSize> print = paper())
            setFraming(resizedCut(m_framing, m_pixels, *print, std::pow(kCutStep, steps)));
    });
}

void Props::startFraming(const Framing& framing) {
    m_framing = framing;
    showPrintFit();
}

void Props::setFraming(const Framing& framing) {
    if (framing == m_framing)
        return;
    m_framing = framing;
    m_framingChanged = true;
    showPrintFit();
}

void Props::showFramingMenu(QPoint globalPos) {
    // The photo itself has the menu, also where the frame is hidden.
    fillAction->setChecked(m_framing.mode == FramingMode::Fill);
    wholeAction->setChecked(m_framing.mode == FramingMode::Whole);
    QMenu menu(this);
    menu.setAccessibleName(QStringLiteral("Framing"));
    menu.addActions({fillAction, wholeAction, centreAction});
    menu.exec(globalPos);
}

void Props::Command2_Click() {
    // The design leaves the size column current.
    m_c.MSFlexGrid1.setCol(ColSize);
    m_copies = Combo1->currentText();
    m_size = Combo2->currentText();
    m_outcome = Outcome::Ok;
    accept();
}

void Props::Command1_Click() {
    const QStringList problems = removeEditRow(m_c);
    if (!problems.isEmpty())
        tell(m_c.dialogs, this,
             QStringLiteral("The photo was removed, but these photos could not be loaded again "
                            "and are shown without a thumbnail:\n") +
                 namedLines(problems));
    m_outcome = Outcome::Removed;
    accept();
}

void Props::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The toolkit hands the window manager the program's name in place of an
    // empty title; a blank shows nothing in the title bar.
    if (QWindow* handle = windowHandle())
        handle->setTitle(QStringLiteral(" "));
    if (m_placed)
        return;
    m_placed = true;
    // Centred over the main window, whatever the platform would choose.
    QRect frame = frameGeometry();
    frame.moveCenter(m_c.window.frameGeometry().center());
    move(frame.topLeft());
}

void Props::done(int result) {
    QDialog::done(result);
    // The main window becomes active again, and so reloads its web panel.
    // Not every platform hands the activation back to a dialog's owner by
    // itself; asking again is harmless where it does.
    m_c.window.activateWindow();
}
