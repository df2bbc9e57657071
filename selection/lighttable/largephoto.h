#pragma once

#include <QImage>
#include <QWidget>

// One photo as large as the light table allows, upright, at the screen's
// device pixels, its name under it. Esc goes back to the panes, the arrow
// keys step to the photo before or after.
class LargePhoto : public QWidget {
    Q_OBJECT
public:
    explicit LargePhoto(QWidget* parent);

    void showPhoto(const QString& path);
    const QString& path() const { return m_path; }
    // As drawn, in device pixels; null for a photo that cannot be read.
    const QImage& picture() const { return m_picture; }

signals:
    void back();
    void step(int by);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void makePicture();
    QRect pictureArea() const;

    QString m_path;
    QImage m_picture;
    QString m_error;
};
