#pragma once

#include <QImage>
#include <QList>
#include <QWidget>

// An image control: shows a picture, at its own size or stretched to the box,
// and reports clicks. It is windowless in the design, so it draws nothing but
// its picture. Its clicks are its own: they never reach the control beneath.
class ImageControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(QWidget* parent = nullptr);

    // The picture, and the same picture drawn for more device pixels (each
    // with its device pixel ratio set): a screen with more device pixels to
    // a pixel shows the sharpest that fits it.
    void setPicture(const QImage& picture, const QList<QImage>& sharper = {});
    const QImage& Picture() const { return m_picture; }
    void setStretch(bool stretch);
    bool Stretch() const { return m_stretch; }

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
    QList<QImage> m_sharper;
    bool m_stretch = false;
    bool m_releaseEndsDoubleClick = false;
};
