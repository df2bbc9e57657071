#pragma once

#include "app/browsecontroller.h"
#include "selection/flows/ordercontroller.h"

#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <memory>

class DirList;
class LightTable;
class DriveList;
class FileList;
class FlexGrid;
class ImageControl;
class PictureBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QWindow;
class SharperThumbnails;
class Shell;
class WebPanel;
class XpButton;

// What the window needs from outside: who asks the user, who starts other
// programs, and where the maker's pages are.
struct MainWindowServices {
    Dialogs& dialogs;
    Shell& shell;
    QUrl siteBase;
};

// The site pages shipped beside the program, unless the build names a site.
QUrl defaultSiteBase();

class OrderActions;

// The main window. Its controls carry the names of the window's design so
// the handlers read like the design. They are its own: the tests and the bench
// drive the real window through MainWindowUi, a friend defined beside them.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(const MainWindowServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The window's own handlers.
    void Form_Load();
    void Form_Activate();
    void Command5_Click();
    void Image5_Click();
    // Opens the light table, or brings it forward when it is open.
    void showLightTable();
    // Opens the project file once the window has been shown, as Open does.
    void openAtStart(const QString& file) { m_startFile = file; }
    // How many times Form_Activate has finished, for whoever waits on it.
    int activations() const { return m_activations; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    friend class MainWindowUi;

    // Top banner, logo, bottom banner.
    ImageControl* Image2 = nullptr;
    ImageControl* Image1 = nullptr;
    ImageControl* Image3 = nullptr;
    // Picture buttons: open, save, copy to folder, order list, help.
    XpButton* Command4 = nullptr;
    XpButton* Command3 = nullptr;
    XpButton* Command2 = nullptr;
    XpButton* Command1 = nullptr;
    XpButton* Command5 = nullptr;
    QLabel* Label7 = nullptr;
    QProgressBar* ProgressBar2 = nullptr;
    QGroupBox* Frame1 = nullptr;
    DriveList* Drive1 = nullptr;
    DirList* Dir1 = nullptr;
    QLabel* Label1 = nullptr;
    FileList* File1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label6 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label2 = nullptr;
    PictureBox* Image11 = nullptr;
    ImageControl* Image5 = nullptr;
    ImageControl* Image4 = nullptr;
    PictureBox* image110 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label8 = nullptr;
    PictureBox* Image10 = nullptr;
    PictureBox* Image12 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QGroupBox* Frame4 = nullptr;
    FlexGrid* MSFlexGrid1 = nullptr;
    QLabel* Label5 = nullptr;
    WebPanel* WebBrowser1 = nullptr;
    // The grid's thumbnails at the screen's device pixels.
    SharperThumbnails* sharperThumbnails = nullptr;
    // The order's menu entries and keys.
    OrderActions* orderActions = nullptr;
    // Made when asked for, gone when closed: it remembers nothing.
    QPointer<LightTable> lightTable;

    void createControls();
    void connectHandlers();
    // The order's count and busy state onto Frame4's caption, Label7 and
    // ProgressBar2.
    void connectOrderSignals();
    void connectKeys();
    // Whether a point of the window lies on the grid or the preview.
    bool onOrder(const QPoint& at) const;
    void queueActivate();
    void noteFocusWindow(QWindow* now);

    Dialogs& m_dialogs;
    Shell& m_shell;
    QUrl m_siteBase;
    // Browsing and current_file; the order, which reads current_file, goes
    // first.
    std::unique_ptr<BrowseController> m_browse;
    // The order the grid shows, with its changes for undo and redo, and what
    // the window's gestures start on it.
    std::unique_ptr<OrderController> m_order;
    QString m_startFile;
    bool m_placed = false;
    bool m_activatePending = false;
    // One of the program's own windows has had the keyboard since this one
    // last had it.
    bool m_backFromOwnWindow = false;
    int m_activations = 0;
};
