#include "app/mainwindowparts.h"

#include "assets/assets.h"
#include "platform/controls/imagecontrol.h"
#include "platform/controls/picturebox.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QStyle>
#include <QStyleOptionGroupBox>

ImageControl* makeImage(QWidget* parent, const QRect& place, const char* asset, bool stretch) {
    auto* image = new ImageControl(parent);
    image->setGeometry(place);
    const QString name = QString::fromLatin1(asset);
    image->setPicture(assetImage(name), sharperAssetImages(name));
    image->setStretch(stretch);
    return image;
}

QLabel* makeLabel(QWidget* parent, const QRect& place, const char* text, std::uint32_t back,
                  std::uint32_t fore) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setGeometry(place);
    label->setAutoFillBackground(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, colourFromValue(back));
    pal.setColor(QPalette::WindowText, colourFromValue(fore));
    label->setPalette(pal);
    return label;
}

namespace {

// The toolkit draws a frame's inside a shade darker than its background, so
// that every white label on it shows as a faint box: the inside is painted in
// the frame's own background again, within the frame's line and its inner
// shade (the line lies two pixels below the caption, one in from the left).
class Frame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override {
        QGroupBox::paintEvent(event);
        QStyleOptionGroupBox option;
        initStyleOption(&option);
        const QRect caption =
            style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
        QPainter painter(this);
        painter.fillRect(QRect(QPoint(3, caption.bottom() + 4), QPoint(width() - 3, height() - 3)),
                         palette().window());
    }
};

} // namespace

QGroupBox* makeFrame(QWidget* parent, const QRect& place, const char* caption) {
    auto* frame = new Frame(QString::fromLatin1(caption), parent);
    frame->setGeometry(place);
    frame->setAutoFillBackground(true);
    QPalette pal = frame->palette();
    pal.setColor(QPalette::Window, colourFromValue(kWindowBackground));
    pal.setColor(QPalette::WindowText, colourFromValue(kBlue));
    frame->setPalette(pal);
    return frame;
}

QProgressBar* makeProgressBar(QWidget* parent, const QRect& place) {
    auto* bar = new QProgressBar(parent);
    bar->setGeometry(place);
    bar->setRange(0, 100);
    bar->setTextVisible(false);
    bar->hide();
    return bar;
}

PictureBox* makePictureBox(QWidget* parent, const QRect& place) {
    auto* box = new PictureBox(parent);
    box->place(place);
    box->setBackColor(kWindowBackground);
    box->setForeColor(kWindowText);
    return box;
}

void setTextColour(QWidget* widget, std::uint32_t colour) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Text, colourFromValue(colour));
    pal.setColor(QPalette::ButtonText, colourFromValue(colour));
    pal.setColor(QPalette::WindowText, colourFromValue(colour));
    widget->setPalette(pal);
}
