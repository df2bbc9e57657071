#pragma once

#include <QStyledItemDelegate>

#include <functional>

class TablePictures;

// Draws one photo of a light table pane: its picture at its shape in a
// square frame, upright, at the screen's device pixels, and lines of text
// under it, the first the file name cut in the middle so that its end shows.
// A photo not yet made shows its empty frame; one that cannot be read says
// so, and why in its tip.
class PictureDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using PathOf = std::function<QString(const QModelIndex&)>;
    using LinesOf = std::function<QStringList(const QModelIndex&)>;

    static constexpr int kMargin = 6;
    static constexpr int kMinSide = 96;
    static constexpr int kMaxSide = 320;
    static constexpr int kDefaultSide = 160;

    PictureDelegate(TablePictures& pictures, PathOf path, LinesOf lines, int lineCount,
                    QObject* parent);

    // The frame's side in pixels.
    void setSide(int side) { m_side = side; }
    int side() const { return m_side; }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    TablePictures& m_pictures;
    PathOf m_path;
    LinesOf m_lines;
    int m_lineCount;
    int m_side = kDefaultSide;
};
