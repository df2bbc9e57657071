#pragma once

#include "platform/files/samplegrid.h"
#include "platform/units/sharperimages.h"
#include "platform/units/syscolours.h"

#include <QImage>
#include <QWidget>

#include <cstdint>

// A picture box: a widget over a persistent drawing surface. It has a
// background colour, an optional picture, and a surface that everything drawn
// lands in; what it shows is that surface. Coordinates are pixels; a custom
// ScaleWidth/ScaleHeight maps onto the same pixels.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Colours are 0x00BBGGRR or a system colour (high bit set).
    void setBackColor(std::uint32_t colour);
    std::uint32_t BackColor() const { return m_backColor; }
    void setForeColor(std::uint32_t colour) { m_foreColor = colour; }
    std::uint32_t ForeColor() const { return m_foreColor; }

    // The loader sizes itself to the picture it is given.
    void setAutoSize(bool on) { m_autoSize = on; }

    // Picture: null means none. Setting it redraws the surface from the
    // background and the picture, as the platform does.
    void setPicture(const QImage& picture);
    // A picture held smaller than it is: an auto-sized box takes the
    // picture's pixels but reports trueSize as ScaleWidth x ScaleHeight.
    // With kept set, the picture holds only those columns and rows of the
    // true one, and Point at a kept position gives exactly that pixel
    // (elsewhere the kept one above and to the left); without, Point maps
    // true coordinates into the smaller picture in proportion.
    void setPicture(const QImage& picture, QSize trueSize, const SampleGrid& kept = {});
    // The columns and rows the picture holds; empty when it holds them all.
    const SampleGrid& keptGrid() const { return m_kept; }
    const QImage& Picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }
    // 0 when the box holds no picture.
    quintptr PictureHandle() const;
    // The current drawing becomes the picture, to be handed on.
    void setPictureFromImage();

    // The persistent surface.
    const QImage& Image() const { return m_surface; }
    // The same drawing made for a screen's device pixels (its device pixel
    // ratio set): shown instead of the surface until the surface is drawn on.
    void setSharper(const QImage& drawing);
    // Null once the surface has been drawn on since.
    QImage Sharper() const;

    // 0x00BBGGRR of the pixel, or -1 outside the drawing area. Fractions are
    // truncated to the pixel whose top-left corner they fall in, for reading
    // and writing alike.
    std::int32_t Point(double x, double y) const;
    void PSet(double x, double y, std::int32_t colour);
    // Clears the surface to the background and the picture.
    void Cls();
    void PaintPicture(const QImage& picture, double x, double y);
    void Refresh();

    int ScaleWidth() const;
    int ScaleHeight() const;
    void setScaleWidth(int width);
    void setScaleHeight(int height);
    // Resizing keeps the surface's content where it still fits.
    void setBoxWidth(int pixels);
    void setBoxHeight(int pixels);
    // Places the box; the surface follows at once, also while hidden (a
    // hidden widget gets its resize event only when shown).
    void place(const QRect& geometry);

    // Pixel access for code that needs the whole surface at once.
    QImage& surface() { return m_surface; }

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool toPixel(double x, double y, int* px, int* py) const;
    void resizeSurface(const QSize& size);

    std::uint32_t m_backColor = 0x00FFFFFF;
    std::uint32_t m_foreColor = 0;
    bool m_autoSize = false;
    QImage m_picture;
    QImage m_surface;
    int m_scaleWidth = -1;  // -1: follows the pixel width
    int m_scaleHeight = -1; // -1: follows the pixel height
    SampleGrid m_kept;
    SharperDrawing m_sharper;
    bool m_releaseEndsDoubleClick = false;
};
