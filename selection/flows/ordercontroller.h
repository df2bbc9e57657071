#pragma once

#include "platform/desktop/commondialog.h"
#include "selection/dialogs/orderview.h"
#include "selection/order/ordermodel.h"
#include "selection/order/selectionlist.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QProgressBar;

// The window's parts the order works on, as the window hands them over.
struct OrderWindowParts {
    QWidget& window;
    FlexGrid& MSFlexGrid1;
    PictureBox& Image10;
    PictureBox& Image12;
    FileList& File1;
    // The bar over the preview, which the copy export shows.
    QProgressBar& ProgressBar1;
};

// The order of the main window and what its gestures start: the model and
// its undo stack, the project open now, the file dialog, who asks the user
// and starts programs. The window shows the count, and whether a long flow
// is busy and how far it is, from the signals; the flows never touch those
// widgets. Each slot is defined beside its flow.
class OrderController : public QObject {
    Q_OBJECT
public:
    // currentFile is the browser's: the photo last previewed or picked.
    OrderController(const OrderWindowParts& parts, Dialogs& dialogs, Shell& shell,
                    QString& currentFile, QObject* parent = nullptr);
    ~OrderController() override;

    SelectionList list;
    OrderModel order{list};
    // The project file last opened or saved in this run.
    QString project_path;
    CommonDialog CommonDialog1;
    QString& current_file;
    OrderView view;
    QProgressBar& ProgressBar1;

    // The widgets that show the busy state; a long flow lets them paint on
    // its turns only.
    void setBusyShownBy(const QList<QWidget*>& widgets) { m_busyShownBy = widgets; }
    const QList<QWidget*>& busyShownBy() const { return m_busyShownBy; }

public slots:
    // A double click on the file (origin 0) or a click on the preview (1).
    void add_photo(int origin);
    // Adds the photos at paths as rows, in that order, their thumbnails made
    // on worker threads while the rows are filled, the loading bar showing. As
    // many as fit in the selection are added, and one message says how many
    // were left out; photos that cannot be read are named in one message at
    // the end.
    void addPhotos(const QStringList& paths);
    // Command4: offers to save the current selection, then replaces it with a
    // project file the user picks.
    void openProject();
    // Command3: see runSave.
    void saveProject();
    // Command1: writes the order list to a file the user names and shows it.
    void writeOrderList();
    // Command2: copies every listed photo into a folder the user picks, writes
    // the list beside them and opens the folder.
    void copyToFolder();

signals:
    // The count in the words of the caption over the rows.
    void countCaptionChanged(const QString& caption);
    // A long flow began at step, its steps going from 0 to maximum; the step
    // it reached; it ended.
    void busy(int step, int maximum);
    void progress(int step);
    void idle();

private:
    QList<QWidget*> m_busyShownBy;
};
