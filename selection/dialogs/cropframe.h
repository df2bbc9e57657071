#pragma once

#include <QRect>
#include <QWidget>

// A thin frame laid over a picture: what lies inside is what the lab prints.
// It takes no input, so the picture beneath works as before.
class CropFrame : public QWidget {
    Q_OBJECT
public:
    // Covers over, and follows its size.
    explicit CropFrame(QWidget* over);

    // In the covered widget's pixels; an empty part hides the frame.
    void setPart(const QRect& part);
    QRect part() const { return m_part; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect m_part;
};
