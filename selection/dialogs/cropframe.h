#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>

// A thin frame laid over a picture: what lies inside is what the lab prints,
// and the rest of the picture is dimmed. It is dragged with the mouse, moved
// with the arrow keys and made larger or smaller with + and - or the wheel;
// it says so by its signals and is placed again by its owner.
class CropFrame : public QWidget {
    Q_OBJECT
public:
    // Covers over, and follows its size.
    explicit CropFrame(QWidget* over);

    // In the covered widget's pixels; an empty part hides the frame.
    void setPart(const QRect& part);
    QRect part() const { return m_part; }
    // The picture as drawn in the covered widget: what of it lies outside
    // the part is dimmed.
    void setPicture(const QRect& picture);

signals:
    void dragStarted();
    // From the press to the mouse now, in the covered widget's pixels.
    void dragged(QPoint by);
    // Arrow keys: one pixel of the covered widget.
    void stepped(QPoint by);
    // + and the wheel forward are 1, - and the wheel back -1.
    void scaled(int steps);
    void menuAsked(QPoint globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QRect m_part;
    QRect m_picture;
    QPoint m_pressed;
    bool m_dragging = false;
    int m_wheel = 0; // eighths of a degree not yet a step
};
