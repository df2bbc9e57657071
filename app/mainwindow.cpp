#include "app/mainwindow.h"

#include "app/core/browse.h"
#include "app/mainwindowparts.h"
#include "app/sharperthumbnails.h"
#include "assets/assets.h"
#include "assets/designedbuttons.h"
#include "platform/controls/dirlist.h"
#include "platform/controls/drivelist.h"
#include "platform/controls/filelist.h"
#include "platform/controls/flexgrid.h"
#include "platform/controls/flowscope.h"
#include "platform/controls/imagecontrol.h"
#include "platform/controls/picturebox.h"
#include "platform/controls/webpanel.h"
#include "platform/desktop/shell.h"
#include "platform/units/twips.h"
#include "selection/dialogs/printfittips.h"
#include "selection/flows/missingphotos.h"
#include "selection/flows/openandsave.h"
#include "selection/flows/orderactions.h"
#include "selection/flows/orderdrop.h"
#include "selection/flows/orderhandlers.h"
#include "selection/lighttable/lighttable.h"
#include "selection/order/gridrow.h"
#include "selection/order/photonames.h"
#include "xpbutton/buttonerrors.h"
#include "xpbutton/xpbutton.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <utility>

QUrl defaultSiteBase() {
    const QString built = QStringLiteral(MARVOLIA_SITE_URL);
    if (!built.isEmpty())
        return QUrl(built.endsWith(QLatin1Char('/')) ? built : built + QLatin1Char('/'));
    return QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + QStringLiteral("/site/"));
}

MainWindow::MainWindow(const MainWindowServices& services, QWidget* parent)
    : QWidget(parent), m_dialogs(services.dialogs), m_shell(services.shell),
      m_siteBase(services.siteBase) {
    setWindowTitle(QStringLiteral("Marvolia"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(830, 545);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    QIcon icon;
    for (const char* name : {"icon16.png", "icon32.png", "icon48.png"})
        icon.addPixmap(QPixmap::fromImage(assetImage(QString::fromLatin1(name))));
    setWindowIcon(icon);

    createControls();
    m_browse = std::make_unique<BrowseController>(
        BrowseParts{*this, *Drive1, *Dir1, *File1, *Label1, *Image4, *Image5, *Image10, *Image11,
                    *Image12, *image110, *ProgressBar1},
        m_dialogs);
    m_order = std::make_unique<OrderController>(
        OrderWindowParts{*this, *MSFlexGrid1, *Image10, *Image12, *File1, *ProgressBar1}, m_dialogs,
        m_shell, m_browse->current_file);
    connectOrderSignals();
    Form_Load();
    connectHandlers();
    connectKeys();
    setAcceptDrops(true);
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &MainWindow::noteFocusWindow);
}

MainWindow::~MainWindow() = default;

void MainWindow::createControls() {
    Image2 = makeImage(this, twipsRect(-120, 0, 15195, 1380), "banner.png", true);
    Image1 = makeImage(this, twipsRect(240, 360, 4440, 570), "logo.png", false);
    Image3 = makeImage(this, twipsRect(-120, 6840, 15195, 1380), "banner.png", true);

    Command4 =
        placeDesignedButton("main_command4", "Command4", this, twipsRect(5160, 240, 885, 795));
    Command3 =
        placeDesignedButton("main_command3", "Command3", this, twipsRect(6120, 240, 885, 795));
    Command2 =
        placeDesignedButton("main_command2", "Command2", this, twipsRect(7200, 240, 885, 795));
    Command1 =
        placeDesignedButton("main_command1", "Command1", this, twipsRect(8160, 240, 885, 795));
    Command5 =
        placeDesignedButton("main_command5", "Command5", this, twipsRect(11400, 240, 885, 795));
    for (XpButton* button : {Command1, Command2, Command3, Command4, Command5}) {
        button->setShell(&m_shell);
        tellButtonErrors(*button, m_dialogs, *this);
    }
    // The buttons show only pictures: what each does, for the eye and the ear.
    for (const auto& [button, says] :
         {std::pair{Command4, "Open a project"}, std::pair{Command3, "Save the project"},
          std::pair{Command2, "Copy the photos to a folder for the lab"},
          std::pair{Command1, "Write the order list"}, std::pair{Command5, "Help"}}) {
        button->setAccessibleName(QString::fromLatin1(says));
        button->setToolTip(QString::fromLatin1(says));
    }

    Label7 = makeLabel(this, twipsRect(9360, 480, 1815, 255), "Loading...", kWhite, kBlue);
    Label7->hide();
    ProgressBar2 = makeProgressBar(this, twipsRect(9360, 720, 1695, 135));

    Frame1 = makeFrame(this, twipsRect(120, 1440, 2775, 5295), "Photo Selection");
    Drive1 = new DriveList(Frame1);
    Drive1->setGeometry(twipsRect(120, 360, 2535, 315));
    Dir1 = new DirList(Frame1);
    Dir1->setGeometry(twipsRect(120, 840, 2535, 990));
    Label1 = makeLabel(Frame1, twipsRect(120, 1920, 1815, 255), "Label1", kWhite, kBlue);
    File1 = new FileList(Frame1);
    File1->setGeometry(twipsRect(120, 2160, 2535, 2565));
    File1->setPattern(photoPatterns().join(QLatin1Char(';')));
    for (QWidget* list :
         {static_cast<QWidget*>(Drive1), static_cast<QWidget*>(Dir1), static_cast<QWidget*>(File1)})
        setTextColour(list, kOrange);
    Drive1->setAccessibleName(QStringLiteral("Drives"));
    Dir1->setAccessibleName(QStringLiteral("Folders"));
    File1->setAccessibleName(QStringLiteral("Photos in the folder"));
    Label3 = makeLabel(Frame1, twipsRect(120, 4800, 2175, 255), "Click in the file to preview...",
                       kWhite, kBlue);
    Label6 = makeLabel(Frame1, twipsRect(120, 5025, 2415, 255),
                       "Doble Click in the file to select...", kWhite, kBlue);

    Label2 = makeLabel(this, twipsRect(3000, 1440, 1815, 255), "Preview", kCaptionText, kBlack);
    Frame3 = makeFrame(this, twipsRect(3000, 1440, 5415, 5325), "Preview");
    Label4 = makeLabel(Frame3, twipsRect(240, 4920, 2175, 255), "Click in the picture to select...",
                       kCaptionText, kHighlight);

    Image11 = makePictureBox(this, twipsRect(3240, 1680, 4935, 4935));
    Image11->setToolTip(QStringLiteral("Click to select..."));
    Image11->setAccessibleName(previewName(QString()));
    Image5 = makeImage(Image11, twipsRect(4080, 120, 345, 270), "jpegicon.png", false);
    Image5->setToolTip(QStringLiteral("View in deafault image viewer"));
    Image5->setAccessibleName(QStringLiteral("View in the default image viewer"));
    Image5->hide();
    Image4 = makeImage(Image11, twipsRect(4560, 120, 330, 270), "rotate.png", false);
    Image4->setToolTip(QStringLiteral("Rotate"));
    Image4->setAccessibleName(QStringLiteral("Rotate the preview"));
    Image4->hide();
    for (ImageControl* icon : {Image4, Image5})
        icon->setCursor(Qt::PointingHandCursor);

    image110 = makePictureBox(this, twipsRect(3240, 1680, 4935, 4935));
    image110->setToolTip(QStringLiteral("Click to add..."));
    Label9 = makeLabel(image110, twipsRect(0, 0, 2175, 255), "Click in the file to preview...",
                       kCaptionText, kHighlight);
    Label8 = makeLabel(image110, twipsRect(0, 4680, 2175, 255), "Click to add...", kCaptionText,
                       kHighlight);
    image110->hide();

    Image10 = makePictureBox(this, twipsRect(5880, 1920, 1335, 1095));
    Image10->setAutoSize(true);
    Image10->hide();
    Image12 = makePictureBox(this, twipsRect(4080, 2520, 975, 975));
    Image12->hide();

    ProgressBar1 = makeProgressBar(this, twipsRect(6360, 6240, 1695, 135));

    Frame4 = makeFrame(this, twipsRect(8520, 1440, 3855, 5295), "0 Photos Selected");
    MSFlexGrid1 = new FlexGrid(Frame4);
    MSFlexGrid1->setGeometry(twipsRect(120, 360, 3615, 4455));
    // A long path shows its file name, cut in the middle.
    MSFlexGrid1->setColCutsInMiddle(1, true);
    MSFlexGrid1->setAccessibleName(QStringLiteral("Selected photos"));
    MSFlexGrid1->setPicturesNamedByPathsIn(1);
    sharperThumbnails = new SharperThumbnails(*MSFlexGrid1, 0, 4);
    Label5 = makeLabel(Frame4, twipsRect(120, 4920, 3495, 255),
                       "Click in the row to change the values...", kWhite, kBlue);

    WebBrowser1 = new WebPanel(this);
    WebBrowser1->setGeometry(twipsRect(-720, 6960, 13455, 975));
    WebBrowser1->hide();
    // Not on the tab order, which ends at Command5; a click still reaches it.
    WebBrowser1->setFocusPolicy(Qt::ClickFocus);

    // Windowless controls lie beneath the windowed ones.
    for (QWidget* w : {static_cast<QWidget*>(Image2), static_cast<QWidget*>(Image3),
                       static_cast<QWidget*>(Label2), static_cast<QWidget*>(Label7)})
        w->lower();
    Image2->lower();
    Image1->stackUnder(Command4);
    Image3->lower();
    Image11->raise();
    // The bar lies over the preview's bottom edge: over it, or it is never seen.
    ProgressBar1->raise();
    Image4->raise();
    Image5->raise();
    WebBrowser1->raise();

    // The designed tab order; the file list has the focus when the window opens.
    QWidget* tabOrder[] = {File1,    Dir1,     Drive1,   Image11,  MSFlexGrid1,
                           Command4, Command3, Command2, Command1, Command5};
    for (QWidget* w : tabOrder)
        w->setFocusPolicy(Qt::StrongFocus);
    for (std::size_t i = 0; i + 1 < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i], tabOrder[i + 1]);

    // The lists start on the process's current folder, without previewing.
    const QString start = QDir::currentPath();
    {
        const QSignalBlocker b1(Drive1);
        const QSignalBlocker b2(Dir1);
        const QSignalBlocker b3(File1);
        Drive1->setDrive(start);
        Dir1->setPath(start);
        File1->setPath(start);
    }
}

void MainWindow::connectHandlers() {
    BrowseController* browse = m_browse.get();
    OrderController* order = m_order.get();
    connect(Drive1, &DriveList::Change, browse, &BrowseController::Drive1_Change);
    connect(Dir1, &DirList::Change, browse, &BrowseController::Dir1_Change);
    connect(File1, &FileList::Click, browse, &BrowseController::File1_Click);
    connect(File1, &FileList::DblClick, order, [order] { order->add_photo(0); });
    connect(Image11, &PictureBox::Click, order, [order] { order->add_photo(1); });
    connect(Image4, &ImageControl::Click, browse, &BrowseController::Image4_Click);
    connect(Image5, &ImageControl::Click, this, [this] { Image5_Click(); });
    connect(MSFlexGrid1, &FlexGrid::Click, this, [this] { MSFlexGrid1_Click(*m_order); });
    installPrintFitTips(m_order->view, *Frame4);
    // The buttons' other events are raised for any host; this one needs only Click.
    connect(Command1, &XpButton::Click, order, &OrderController::writeOrderList);
    connect(Command2, &XpButton::Click, order, &OrderController::copyToFolder);
    connect(Command3, &XpButton::Click, order, &OrderController::saveProject);
    connect(Command4, &XpButton::Click, order, &OrderController::openProject);
    connect(Command5, &XpButton::Click, this, [this] { Command5_Click(); });
}

void MainWindow::connectOrderSignals() {
    // The count shows over the rows; a long flow shows "Loading..." and its
    // bar, from 0 up to the steps it takes.
    connect(m_order.get(), &OrderController::countCaptionChanged, Frame4, &QGroupBox::setTitle);
    connect(m_order.get(), &OrderController::busy, this, [this](int step, int maximum) {
        ProgressBar2->setMinimum(0);
        ProgressBar2->setMaximum(maximum);
        ProgressBar2->setValue(step);
        ProgressBar2->show();
        Label7->show();
    });
    connect(m_order.get(), &OrderController::progress, ProgressBar2, &QProgressBar::setValue);
    connect(m_order.get(), &OrderController::idle, this, [this] {
        ProgressBar2->hide();
        Label7->hide();
    });
    m_order->setBusyShownBy({Label7, ProgressBar2});
}

void MainWindow::connectKeys() {
    OrderController& c = *m_order;
    orderActions = new OrderActions(c);
    // The preview with the keyboard: Enter as a click on it, R and V as its
    // two icons, while they are shown.
    const auto onPreview = [this](std::initializer_list<QKeySequence> keys, auto run) {
        auto* action = new QAction(Image11);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        Image11->addAction(action);
        connect(action, &QAction::triggered, this, run);
    };
    onPreview({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)},
              [&c] { c.add_photo(1); });
    onPreview({QKeySequence(Qt::Key_R)}, [this] {
        if (Image4->isVisibleTo(Image11))
            m_browse->Image4_Click();
    });
    onPreview({QKeySequence(Qt::Key_V)}, [this] {
        if (Image5->isVisibleTo(Image11))
            Image5_Click();
    });

    connect(File1, &FileList::EnterPressed, orderActions->addSelected, &QAction::trigger);
    File1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(File1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        runMenu(this, orderActions->fileListMenu(), File1->viewport()->mapToGlobal(at));
    });
    connect(orderActions->lightTable, &QAction::triggered, this, &MainWindow::showLightTable);
    MSFlexGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(MSFlexGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        runMenu(this, orderActions->gridMenu(), MSFlexGrid1->viewport()->mapToGlobal(at));
    });
}

void MainWindow::showLightTable() {
    if (!lightTable) {
        lightTable =
            new LightTable(*m_order, *File1, {orderActions->undo, orderActions->redo}, this);
        lightTable->setAttribute(Qt::WA_DeleteOnClose);
    }
    lightTable->show();
    lightTable->raise();
    lightTable->activateWindow();
}

bool MainWindow::onOrder(const QPoint& at) const {
    return Frame4->geometry().contains(at) || Image11->geometry().contains(at);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    // A drop may go elsewhere than where it enters; the moves decide.
    if (event->mimeData()->hasUrls() && acceptsDrop(event->mimeData()->urls(), true))
        event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (acceptsDrop(event->mimeData()->urls(), onOrder(event->position().toPoint())))
        event->acceptProposedAction();
    else
        event->ignore();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    const bool onTheOrder = onOrder(event->position().toPoint());
    event->acceptProposedAction();
    // The drag ends first; the prompt or the loading comes after.
    QTimer::singleShot(0, this,
                       [this, urls, onTheOrder] { dropFiles(*m_order, urls, onTheOrder); });
}

void MainWindow::Form_Load() {
    MSFlexGrid1->Clear();
    MSFlexGrid1->setCols(5);
    MSFlexGrid1->setRows(1);
    const int widths[] = {600, 1300, 700, 700, 1};
    for (int col = 0; col < 5; ++col)
        MSFlexGrid1->setColWidth(col, widths[col]);
    const char* headers[] = {"Photo", "File", "Copies", "Size"};
    MSFlexGrid1->setRow(0);
    for (int col = 0; col < 4; ++col) {
        MSFlexGrid1->setCol(col);
        MSFlexGrid1->setText(QString::fromLatin1(headers[col]));
    }
    // The data rows are the order's.
    MSFlexGrid1->setModel(&m_order->order, kDataRowTwips);
    // Paths wrap once the first photo is in, as the first add turns it on.
    connect(&m_order->order, &OrderModel::countChanged, MSFlexGrid1, [this](int count) {
        if (count > 0)
            MSFlexGrid1->setWordWrap(true);
    });
    Label1->setText(countCaption(File1->ListCount()));
    Label4->raise();
}

void MainWindow::Form_Activate() {
    WebBrowser1->Navigate(m_siteBase.resolved(QUrl(QStringLiteral("publ_mv.php"))));
    // Other handlers may run while the page loads; the window stays responsive.
    while (WebBrowser1->Busy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    WebBrowser1->show();
    if (!WebBrowser1->HasDocument() || WebBrowser1->DocumentTitle() != QStringLiteral("publ"))
        WebBrowser1->hide();
    ++m_activations;
}

void MainWindow::Command5_Click() {
    m_shell.start({QStringLiteral("explorer"),
                   m_siteBase.resolved(QUrl(QStringLiteral("mv_help.html"))).toString(),
                   WindowStyle::Minimized});
}

void MainWindow::Image5_Click() {
    m_shell.start({QStringLiteral("explorer"), m_browse->current_file, WindowStyle::Maximized});
}

void MainWindow::queueActivate() {
    // Showing and activating arrive together; one load serves both.
    if (m_activatePending)
        return;
    m_activatePending = true;
    // After a flow under way: the page's load takes user input.
    QTimer::singleShot(0, this, [this] {
        FlowScope::afterFlow(this, [this] {
            m_activatePending = false;
            Form_Activate();
        });
    });
}

bool MainWindow::event(QEvent* event) {
    // Coming back from another program is no activation of the design's:
    // only a return from one of the program's own windows loads the page.
    if (event->type() == QEvent::WindowActivate && m_backFromOwnWindow) {
        m_backFromOwnWindow = false;
        queueActivate();
    }
    return QWidget::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!mayCloseOrder(*m_order)) {
        event->ignore();
        return;
    }
    // A window of the order's left open would keep the program running.
    if (lightTable)
        lightTable->close();
    QWidget::closeEvent(event);
}

void MainWindow::noteFocusWindow(QWindow* now) {
    // No window of the program's has the keyboard while another program has
    // it, and for a moment when a dialog closes: that alone tells nothing.
    if (now && now != windowHandle() && now->type() != Qt::Popup && now->type() != Qt::ToolTip)
        m_backFromOwnWindow = true;
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    // Without a window manager the window may never be activated; it is
    // still shown, and showing it counts as its first activation.
    queueActivate();
    if (!m_startFile.isEmpty())
        QTimer::singleShot(0, this, [this] {
            loadProject(*m_order, m_startFile, markerPicturePath());
            m_startFile.clear();
        });
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    File1->setFocus();
}
