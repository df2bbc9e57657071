#include "selection/lighttable/lighttable.h"

#include "app/core/browse.h"
#include "platform/controls/filelist.h"
#include "platform/controls/flexgrid.h"
#include "platform/controls/foldertree.h"
#include "selection/flows/manyrows.h"
#include "selection/flows/ordercontroller.h"
#include "selection/lighttable/largephoto.h"
#include "selection/lighttable/picturedelegate.h"
#include "selection/lighttable/tablepictures.h"
#include "selection/order/duplicates.h"
#include "selection/order/gridrow.h"
#include "selection/order/ordermodel.h"
#include "selection/order/ordersummary.h"
#include "selection/order/ordertexts.h"
#include "selection/order/pathnames.h"
#include "selection/order/photonames.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QDir>
#include <QDrag>
#include <QFutureWatcher>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QSplitter>
#include <QStackedWidget>
#include <QStringListModel>
#include <QTimer>
#include <QWheelEvent>
#include <QtConcurrentRun>

#include <algorithm>
#include <cmath>

namespace {

// Which pane a drag comes from.
const QString kDragFormat = QStringLiteral("application/x-marvolia-light-table");

// A pane whose drags carry what the light table says.
class PaneView : public QListView {
public:
    PaneView(QWidget* parent, std::function<QMimeData*()> carried)
        : QListView(parent), m_data(std::move(carried)) {}

protected:
    void startDrag(Qt::DropActions actions) override {
        auto* drag = new QDrag(this);
        drag->setMimeData(m_data());
        drag->exec(actions & (Qt::CopyAction | Qt::MoveAction), defaultDropAction());
    }

private:
    std::function<QMimeData*()> m_data;
};

QString framingWords(const Framing& framing) {
    if (framing.mode == FramingMode::Whole)
        return QStringLiteral("Whole photo");
    return framing.isDefault() ? QStringLiteral("Fill the paper")
                               : QStringLiteral("Fill, the cut chosen");
}

void makePane(QListView* view, const QString& name) {
    view->setAccessibleName(name);
    view->setViewMode(QListView::IconMode);
    view->setMovement(QListView::Static);
    view->setResizeMode(QListView::Adjust);
    view->setFlow(QListView::LeftToRight);
    view->setWrapping(true);
    // One size for all: thousands of names lay out at once.
    view->setUniformItemSizes(true);
    view->setSpacing(4);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setSelectionRectVisible(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setMouseTracking(true);
}

// A key of a pane alone.
void onKeys(QListView* view, std::initializer_list<QKeySequence> keys,
            const std::function<void()>& run) {
    auto* action = new QAction(view);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    view->addAction(action);
    QObject::connect(action, &QAction::triggered, view, run);
}

QList<int> sortedRows(const QModelIndexList& picked) {
    QList<int> rows;
    for (const QModelIndex& index : picked)
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

} // namespace

LightTable::LightTable(OrderController& order, FileList& folder, const QList<QAction*>& keys,
                       QWidget* owner)
    : QWidget(owner, Qt::Window), m_c(order), m_folder(folder) {
    setWindowTitle(QStringLiteral("Light table - Marvolia"));
    setObjectName(QStringLiteral("lightTable"));
    m_pictures = new TablePictures(this);
    buildPanes();
    buildKeys();
    addActions(keys);

    // A sensible size for the screen: most of it, centred.
    if (const QScreen* screen = owner ? owner->screen() : nullptr) {
        const QRect room = screen->availableGeometry();
        const QSize size = (QSizeF(room.size()) * 0.8).toSize();
        setGeometry(QRect(room.center() - QPoint(size.width() / 2, size.height() / 2), size));
    }
    setSide(PictureDelegate::kDefaultSide);
    countRows();
    followFolder();
}

LightTable::~LightTable() = default;

void LightTable::buildPanes() {
    auto* sizeLabel = new QLabel(tr("Picture &size:"), this);
    m_size = new QSlider(Qt::Horizontal, this);
    m_size->setRange(PictureDelegate::kMinSide, PictureDelegate::kMaxSide);
    m_size->setSingleStep(8);
    m_size->setPageStep(32);
    m_size->setValue(PictureDelegate::kDefaultSide);
    m_size->setAccessibleName(QStringLiteral("Picture size"));
    m_size->setMaximumWidth(240);
    sizeLabel->setBuddy(m_size);
    connect(m_size, &QSlider::valueChanged, this, &LightTable::setSide);
    m_subfolders = new QCheckBox(tr("&Include the subfolders"), this);
    m_subfolders->setAccessibleName(QStringLiteral("Include the subfolders"));
    connect(m_subfolders, &QCheckBox::toggled, this, &LightTable::showSubfolders);
    m_tree = new QStringListModel(this);

    m_folderView = new PaneView(this, [this] { return dragOf(*m_folderView); });
    m_orderView = new PaneView(this, [this] { return dragOf(*m_orderView); });
    makePane(m_folderView, QStringLiteral("Photos of the folder"));
    makePane(m_orderView, QStringLiteral("Rows of the order"));
    // Photos are dragged onto the order, rows within it.
    m_folderView->setDragDropMode(QAbstractItemView::DragOnly);
    m_folderView->setDefaultDropAction(Qt::CopyAction);
    m_orderView->setDragDropMode(QAbstractItemView::DragDrop);
    // Drops land where the pictures are, and are taken there.
    m_orderView->viewport()->setAcceptDrops(true);
    m_orderView->setDefaultDropAction(Qt::MoveAction);

    m_folderView->setModel(m_folder.model());
    m_folderPictures = new PictureDelegate(
        *m_pictures, [this](const QModelIndex& i) { return folderPhoto(i.row()); },
        [this](const QModelIndex& i) {
            const int rows = rowsOf(folderPhoto(i.row()));
            return QStringList{i.data().toString(), rows ? numbered(rows, "In 1 row of the order",
                                                                    "In %1 rows of the order")
                                                         : QString()};
        },
        2, this);
    m_folderView->setItemDelegate(m_folderPictures);

    m_orderView->setModel(&m_c.order);
    m_orderView->setModelColumn(ColFile);
    m_orderPictures = new PictureDelegate(
        *m_pictures, [](const QModelIndex& i) { return i.data().toString(); },
        [this](const QModelIndex& i) { return orderLines(i.row()); }, 4, this);
    m_orderView->setItemDelegate(m_orderPictures);

    const auto pane = [this](QLabel*& title, QListView* view) {
        auto* box = new QWidget(this);
        auto* column = new QVBoxLayout(box);
        column->setContentsMargins(0, 0, 0, 0);
        title = new QLabel(box);
        title->setTextFormat(Qt::PlainText);
        title->setBuddy(view);
        column->addWidget(title);
        column->addWidget(view, 1);
        view->viewport()->installEventFilter(this);
        connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this,
                &LightTable::askAheadSoon);
        return box;
    };
    m_split = new QSplitter(Qt::Horizontal, this);
    m_split->addWidget(pane(m_folderTitle, m_folderView));
    m_split->addWidget(pane(m_orderTitle, m_orderView));
    m_split->setChildrenCollapsible(false);
    m_large = new LargePhoto(
        [this](const QString& path) { return m_pictures->picture(path).image; }, this);
    m_stack = new QStackedWidget(this);
    m_stack->addWidget(m_split);
    m_stack->addWidget(m_large);
    connect(m_large, &LargePhoto::back, this, &LightTable::backFromLarge);
    connect(m_large, &LargePhoto::step, this, &LightTable::stepLarge);

    auto* top = new QHBoxLayout;
    top->addWidget(sizeLabel);
    top->addWidget(m_size, 1);
    top->addSpacing(16);
    top->addWidget(m_subfolders);
    top->addStretch(2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_stack, 1);
    setTabOrder(m_size, m_subfolders);
    setTabOrder(m_subfolders, m_folderView);
    setTabOrder(m_folderView, m_orderView);

    connect(m_pictures, &TablePictures::made, this, [this] {
        m_folderView->viewport()->update();
        m_orderView->viewport()->update();
    });
    OrderModel* model = &m_c.order;
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model, signal, this, &LightTable::countRows);
    connect(model, &QAbstractItemModel::dataChanged, this, &LightTable::countRows);
    connect(model, &QAbstractItemModel::modelReset, this, &LightTable::countRows);
    QAbstractItemModel* files = m_folder.model();
    const auto follow = [this] {
        // A folder is listed a name at a time: followed once it is all there.
        if (!m_following) {
            m_following = true;
            QTimer::singleShot(0, this, &LightTable::followFolder);
        }
    };
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(files, signal, this, follow);
    connect(files, &QAbstractItemModel::modelReset, this, follow);

    connect(m_orderView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &LightTable::orderPicked);
    connect(m_orderView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &LightTable::orderPicked);
    connect(&m_c.view.MSFlexGrid1, &FlexGrid::selectedRowsChanged, this, &LightTable::gridPicked);
    connect(m_folderView, &QListView::doubleClicked, this, &LightTable::addPicked);
    connect(m_orderView, &QListView::doubleClicked, this,
            [this] { editRows(m_c, pickedGridRows()); });
}

void LightTable::buildKeys() {
    const std::initializer_list<QKeySequence> enter{QKeySequence(Qt::Key_Return),
                                                    QKeySequence(Qt::Key_Enter)};
    onKeys(m_folderView, enter, [this] { addPicked(); });
    onKeys(m_orderView, enter, [this] { editRows(m_c, pickedGridRows()); });
    onKeys(m_orderView, {QKeySequence(Qt::Key_Delete)},
           [this] { removeRows(m_c, pickedGridRows()); });
    for (QListView* pane : {m_folderView, m_orderView})
        onKeys(pane, {QKeySequence(Qt::Key_Space)}, [this, pane] { showLarge(pane); });
}

QString LightTable::photoOf(const QListView& pane, int row) const {
    if (&pane == m_folderView)
        return folderPhoto(row);
    return row >= 0 && row < m_c.order.count() ? m_c.order.rows()[row].file : QString();
}

void LightTable::showLarge(QListView* pane) {
    const QModelIndex current = pane->currentIndex();
    if (!current.isValid())
        return;
    m_largeFrom = pane;
    m_stack->setCurrentWidget(m_large);
    m_large->showPhoto(photoOf(*pane, current.row()));
    m_large->setFocus();
}

void LightTable::stepLarge(int by) {
    if (!m_largeFrom)
        return;
    const int rows = m_largeFrom->model()->rowCount();
    const int row = m_largeFrom->currentIndex().row() + by;
    if (row < 0 || row >= rows)
        return;
    // The pane's pick follows, and with the order's the grid's.
    m_largeFrom->setCurrentIndex(m_largeFrom->model()->index(row, m_largeFrom->modelColumn()));
    m_large->showPhoto(photoOf(*m_largeFrom, row));
}

void LightTable::backFromLarge() {
    m_stack->setCurrentWidget(m_split);
    if (m_largeFrom) {
        m_largeFrom->scrollTo(m_largeFrom->currentIndex());
        m_largeFrom->setFocus();
    }
}

QString LightTable::folderPhoto(int row) const {
    if (m_subfolders->isChecked())
        return m_treePhotos.value(row);
    const QModelIndex index = m_folder.model()->index(row, 0);
    return index.isValid() ? fullPath(m_folder.Path(), index.data().toString()) : QString();
}

void LightTable::setSide(int side) {
    m_folderPictures->setSide(side);
    m_orderPictures->setSide(side);
    m_pictures->setLongSide(static_cast<int>(std::lround(side * devicePixelRatioF())));
    // The views lay their items out again at the new size.
    emit m_folderPictures->sizeHintChanged({});
    emit m_orderPictures->sizeHintChanged({});
    askAhead();
}

QStringList LightTable::orderLines(int i) const {
    const OrderRow& row = m_c.order.rows()[i];
    QStringList look;
    if (const QString reasons = m_looks.value(i); !reasons.isEmpty())
        look << reasons;
    if (const int times = m_rowsOf.value(row.file); times > 1)
        look << (times == 2 ? QStringLiteral("twice in the order")
                            : QStringLiteral("%1 times in the order").arg(times));
    if (const QList<int> others = m_identical.value(i); !others.isEmpty()) {
        QStringList numbers;
        for (int other : others)
            numbers << QString::number(other);
        look << (others.size() == 1 ? QStringLiteral("identical to row %1")
                                    : QStringLiteral("identical to rows %1"))
                    .arg(together(numbers));
    }
    return {solo_file(row.file), QStringLiteral("%1 x %2").arg(row.copies, row.size),
            framingWords(row.framing),
            look.isEmpty() ? QString()
                           : QStringLiteral("Look: ") + look.join(QStringLiteral("; "))};
}

void LightTable::countRows() {
    m_rowsOf.clear();
    for (const OrderRow& row : m_c.order.rows())
        ++m_rowsOf[row.file];
    // What the order summary asks to look at, row by row.
    m_looks.clear();
    for (const LookAt& look : summarizeOrder(m_c.order.fitRows(), {}).looks)
        m_looks.insert(look.row - 1, look.reasons);
    m_orderTitle->setText(m_c.order.count() == 1
                              ? QStringLiteral("The order: 1 row")
                              : QStringLiteral("The order: %1 rows").arg(m_c.order.count()));
    m_folderView->viewport()->update();
    m_orderView->viewport()->update();
    askAhead();
    lookForIdentical();
}

void LightTable::lookForIdentical() {
    QStringList files;
    for (const OrderRow& row : m_c.order.rows())
        files << row.file;
    const int asked = ++m_identicalAsked;
    auto* watch = new QFutureWatcher<Duplicates>(this);
    connect(watch, &QFutureWatcher<Duplicates>::finished, this, [this, watch, asked, files] {
        watch->deleteLater();
        // Rows changed since are looked at again.
        if (asked != m_identicalAsked)
            return;
        m_identical.clear();
        for (const QList<int>& group : watch->result().sameBytes)
            for (int row : group)
                for (int other : group)
                    if (files[other - 1] != files[row - 1])
                        m_identical[row - 1] << other;
        m_orderView->viewport()->update();
    });
    watch->setFuture(QtConcurrent::run([files] { return findDuplicates(files); }));
}

void LightTable::followFolder() {
    m_following = false;
    if (m_subfolders->isChecked()) {
        if (m_treeOf != m_folder.Path())
            walkTree();
        return;
    }
    m_folderTitle->setText(QStringLiteral("The folder: %1").arg(m_folder.Path()));
    askAhead();
}

void LightTable::showSubfolders(bool on) {
    m_folderView->setModel(on ? static_cast<QAbstractItemModel*>(m_tree) : m_folder.model());
    m_treeOf.clear();
    if (on) {
        walkTree();
        return;
    }
    // A walk still going is left behind.
    ++m_walks;
    m_walking = false;
    m_tree->setStringList({});
    m_treePhotos.clear();
    followFolder();
}

void LightTable::walkTree() {
    m_treeOf = m_folder.Path();
    const int walk = ++m_walks;
    m_walking = true;
    m_folderTitle->setText(
        QStringLiteral("The folder and its subfolders: %1 (looking through them)").arg(m_treeOf));
    // The folder's own photos come first in the tree: they show at once.
    QStringList names;
    m_treePhotos.clear();
    for (int row = 0; row < m_folder.model()->rowCount(); ++row) {
        names << m_folder.model()->index(row, 0).data().toString();
        m_treePhotos << fullPath(m_treeOf, names.last());
    }
    m_tree->setStringList(names);
    askAhead();
    auto* watch = new QFutureWatcher<QStringList>(this);
    connect(watch, &QFutureWatcher<QStringList>::finished, this, [this, watch, walk] {
        watch->deleteLater();
        if (walk == m_walks)
            walked(watch->result());
    });
    const QString folder = m_treeOf;
    watch->setFuture(
        QtConcurrent::run([folder] { return folderTree(folder, photoPatterns()).photos; }));
}

void LightTable::walked(const QStringList& photos) {
    m_walking = false;
    m_folderTitle->setText(QStringLiteral("The folder and its subfolders: %1").arg(m_treeOf));
    const QDir top(m_treeOf);
    QStringList names;
    for (const QString& path : photos)
        names << QDir::toNativeSeparators(top.relativeFilePath(path));
    if (photos.mid(0, m_treePhotos.size()) == m_treePhotos) {
        // The rest comes after what shows: the picks stay.
        const int shown = static_cast<int>(m_treePhotos.size());
        const int more = static_cast<int>(photos.size()) - shown;
        if (more > 0 && m_tree->insertRows(shown, more))
            for (int k = 0; k < more; ++k)
                m_tree->setData(m_tree->index(shown + k), names[shown + k]);
    } else {
        m_tree->setStringList(names);
    }
    m_treePhotos = photos;
    askAhead();
}

QStringList LightTable::ahead() const {
    // By how far each lies above or below its pane's view: what shows, then
    // what lies just outside, then the rest, the nearest first.
    QList<std::pair<int, QString>> far;
    for (const QListView* pane : {m_folderView, m_orderView}) {
        const QRect view = pane->viewport()->rect();
        const QAbstractItemModel& model = *pane->model();
        for (int row = 0; row < model.rowCount(); ++row) {
            const QRect at = pane->visualRect(model.index(row, pane->modelColumn()));
            const int by = at.bottom() < view.top()   ? view.top() - at.bottom()
                           : at.top() > view.bottom() ? at.top() - view.bottom()
                                                      : 0;
            far.append({by, photoOf(*pane, row)});
        }
    }
    std::stable_sort(far.begin(), far.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList paths;
    for (const auto& [by, path] : far)
        paths << path;
    return paths;
}

void LightTable::askAhead() {
    m_asking = false;
    m_pictures->askAhead(ahead());
}

void LightTable::askAheadSoon() {
    // Scrolling moves the view many times a frame: asked once for them all.
    if (!m_asking) {
        m_asking = true;
        QTimer::singleShot(0, this, &LightTable::askAhead);
    }
}

QList<int> LightTable::pickedGridRows() const {
    QList<int> rows;
    for (int row : sortedRows(m_orderView->selectionModel()->selectedIndexes()))
        rows << row + 1;
    return rows;
}

void LightTable::orderPicked() {
    FlexGrid& grid = m_c.view.MSFlexGrid1;
    const QSignalBlocker quiet(&grid);
    grid.setSelectedRows(pickedGridRows());
    if (const QModelIndex current = m_orderView->currentIndex(); current.isValid()) {
        grid.setRow(current.row() + 1);
        grid.scrollToRow(current.row() + 1);
    }
}

void LightTable::gridPicked() {
    QItemSelectionModel& picks = *m_orderView->selectionModel();
    const QSignalBlocker quiet(&picks);
    QItemSelection selection;
    for (int row : m_c.view.MSFlexGrid1.SelectedRows()) {
        const QModelIndex index = m_c.order.index(row - 1, ColFile);
        selection.select(index, index);
    }
    picks.select(selection, QItemSelectionModel::ClearAndSelect);
    if (const int row = m_c.view.MSFlexGrid1.Row(); row >= 1 && row <= m_c.order.count()) {
        picks.setCurrentIndex(m_c.order.index(row - 1, ColFile), QItemSelectionModel::NoUpdate);
        m_orderView->scrollTo(picks.currentIndex());
    }
    m_orderView->viewport()->update();
}

void LightTable::addPicked() {
    QStringList paths;
    for (int row : sortedRows(m_folderView->selectionModel()->selectedIndexes()))
        paths << folderPhoto(row);
    if (!paths.isEmpty())
        m_c.addPhotos(paths);
}

QMimeData* LightTable::dragOf(const QListView& pane) const {
    auto* carried = new QMimeData;
    const bool folder = &pane == m_folderView;
    QList<QUrl> urls;
    QStringList rows;
    for (int row : sortedRows(pane.selectionModel()->selectedIndexes())) {
        urls << QUrl::fromLocalFile(folder ? folderPhoto(row) : m_c.order.rows()[row].file);
        rows << QString::number(row);
    }
    carried->setUrls(urls);
    carried->setData(kDragFormat, (folder ? QStringLiteral("folder ") : QStringLiteral("order "))
                                      .append(rows.join(QLatin1Char(' ')))
                                      .toUtf8());
    return carried;
}

bool LightTable::dragOver(QEvent* event) {
    auto* drag = static_cast<QDropEvent*>(event);
    if (!drag->mimeData()->hasFormat(kDragFormat))
        return false;
    const bool fromOrder = drag->mimeData()->data(kDragFormat).startsWith("order");
    drag->setDropAction(fromOrder ? Qt::MoveAction : Qt::CopyAction);
    drag->accept();
    return true;
}

void LightTable::drop(QDropEvent* event) {
    const QList<QByteArray> words = event->mimeData()->data(kDragFormat).split(' ');
    QList<int> rows;
    for (qsizetype k = 1; k < words.size(); ++k)
        rows << words[k].toInt();
    event->accept();
    if (words.value(0) == "folder") {
        QStringList paths;
        for (int row : rows)
            paths << folderPhoto(row);
        // The drag ends first; the loading comes after.
        QTimer::singleShot(0, this, [this, paths] { m_c.addPhotos(paths); });
        return;
    }
    // Before the row under the point, or after it past its middle.
    const QPoint at = event->position().toPoint();
    const QModelIndex over = m_orderView->indexAt(at);
    int to = m_c.order.count();
    if (over.isValid())
        to = over.row() + (at.x() > m_orderView->visualRect(over).center().x() ? 1 : 0);
    m_c.order.moveRows(rows, to, movingName(static_cast<int>(rows.size())));
}

bool LightTable::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_orderView->viewport()) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
            return dragOver(event);
        case QEvent::Drop:
            if (static_cast<QDropEvent*>(event)->mimeData()->hasFormat(kDragFormat)) {
                drop(static_cast<QDropEvent*>(event));
                return true;
            }
            return false;
        default:
            break;
        }
    }
    if (event->type() == QEvent::Resize)
        askAheadSoon();
    // Ctrl+wheel on a pane sizes the pictures.
    if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int notches = wheel->angleDelta().y() / 120;
            m_size->setValue(m_size->value() + notches * m_size->singleStep());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LightTable::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The screen's device pixels are known once shown.
    setSide(m_size->value());
}
