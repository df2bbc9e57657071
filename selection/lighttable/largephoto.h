#pragma once

#include <QImage>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>

// One photo as large as the light table allows, upright, at the screen's
// device pixels, its name under it. Esc goes back to the panes, the arrow
// keys step to the photo before or after.
class LargePhoto : public QWidget {
    Q_OBJECT
public:
    // small: the picture already made for a photo, shown while its large
    // one is decoded.
    LargePhoto(std::function<QImage(const QString&)> small, QWidget* parent);
    ~LargePhoto() override;

    void showPhoto(const QString& path);
    const QString& path() const { return m_path; }
    // As drawn, in device pixels; null for a photo that cannot be read.
    const QImage& picture() const { return m_picture; }
    // Whether the large picture is still being decoded.
    bool making() const { return m_making; }

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

    std::function<QImage(const QString&)> m_small;
    QString m_path;
    QImage m_picture;
    QImage m_standIn; // the small picture, until the large one comes
    QString m_error;
    bool m_making = false;
    int m_asked = 0; // tells the decode last asked for from those left behind
    std::shared_ptr<std::atomic<bool>> m_stop;
};
