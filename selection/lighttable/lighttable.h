#pragma once

#include <QHash>
#include <QModelIndexList>
#include <QWidget>

class FileList;
class OrderController;
class PictureDelegate;
class QAction;
class QCheckBox;
class QLabel;
class QMimeData;
class QDropEvent;
class QListView;
class QSlider;
class QSplitter;
class QStringListModel;
class QStackedWidget;
class LargePhoto;
class TablePictures;

// The light table: the main window's folder and the order as pictures, side
// by side, for choosing photos by sight. It keeps nothing of its own: the
// folder is the file list's, following it as the user browses, and the rows
// are the order model's; every change it makes goes through the order's
// flows, one undo step each.
class LightTable : public QWidget {
    Q_OBJECT
public:
    // keys: the main window's actions that work here too (undo, redo).
    LightTable(OrderController& order, FileList& folder, const QList<QAction*>& keys,
               QWidget* owner);
    ~LightTable() override;

    QListView& folderPane() { return *m_folderView; }
    QListView& orderPane() { return *m_orderView; }
    QSlider& sizeSlider() { return *m_size; }
    QCheckBox& subfoldersBox() { return *m_subfolders; }
    // Whether the subfolders are still being walked.
    bool walking() const { return m_walking; }
    TablePictures& pictures() { return *m_pictures; }
    // The photo shown large, when one is.
    LargePhoto& largePhoto() { return *m_large; }
    // The full path of a photo of the folder pane.
    QString folderPhoto(int row) const;
    // How many rows of the order hold the photo at path.
    int rowsOf(const QString& path) const { return m_rowsOf.value(path); }
    // What a drag of a pane's picked photos carries: which pane, and the
    // photos as files, so other programs take them too.
    QMimeData* dragOf(const QListView& pane) const;
    // The lines under a row of the order pane: name, copies and size,
    // framing, and what to look at (prints low, cut much, missing, twice).
    QStringList orderLines(int row) const;
    // The photos to make after those painted, nearest each pane's view first.
    QStringList ahead() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildPanes();
    void buildKeys();
    void setSide(int side);
    void countRows();
    // Rows whose files hold the same bytes under other names, found on a
    // worker: the files are read.
    void lookForIdentical();
    void askAhead();
    void askAheadSoon();
    void followFolder();
    // The folder pane shows the file list's photos, or with the subfolders
    // those of the whole tree, walked on a worker.
    void showSubfolders(bool on);
    void walkTree();
    void walked(const QStringList& photos);
    // The order pane's picked rows as the grid's, and the grid's as the pane's.
    void orderPicked();
    void gridPicked();
    void addPicked();
    // A drag over the order pane: accepted when it comes from a pane; a
    // drop adds the folder's photos or moves the order's rows there.
    bool dragOver(QEvent* event);
    void drop(QDropEvent* event);
    QList<int> pickedGridRows() const;
    // Space: the pane's current photo large; the arrows step through the
    // pane, Esc goes back to it.
    void showLarge(QListView* pane);
    void stepLarge(int by);
    void backFromLarge();
    QString photoOf(const QListView& pane, int row) const;

    OrderController& m_c;
    FileList& m_folder;
    TablePictures* m_pictures = nullptr;
    QSlider* m_size = nullptr;
    QSplitter* m_split = nullptr;
    QStackedWidget* m_stack = nullptr;
    LargePhoto* m_large = nullptr;
    QListView* m_largeFrom = nullptr;
    QLabel* m_folderTitle = nullptr;
    QLabel* m_orderTitle = nullptr;
    QListView* m_folderView = nullptr;
    QListView* m_orderView = nullptr;
    PictureDelegate* m_folderPictures = nullptr;
    PictureDelegate* m_orderPictures = nullptr;
    QCheckBox* m_subfolders = nullptr;
    QStringListModel* m_tree = nullptr; // names under the folder, with the subfolders
    QStringList m_treePhotos;           // full paths, row by row of m_tree
    QString m_treeOf;                   // the folder m_tree lists
    int m_walks = 0;                    // tells a finished walk from one left behind
    bool m_walking = false;
    QHash<QString, int> m_rowsOf;
    QHash<int, QString> m_looks;        // by row of the order
    QHash<int, QList<int>> m_identical; // by row: the grid rows of its identical files
    int m_identicalAsked = 0;
    bool m_following = false;
    bool m_asking = false;
    bool m_placed = false;
};
