#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <memory>

// A picture object as the button and the windows hand it around: it knows its
// type and its size in HIMETRIC (0.01 mm). "No picture" is a null pointer; an
// empty picture is an object without an image.
class OlePicture {
public:
    enum class Type { Empty = 0, Bitmap = 1, Metafile = 2, Icon = 3, Other = 4 };

    OlePicture() = default;
    OlePicture(Type type, QImage image);

    static std::shared_ptr<OlePicture> empty();
    static std::shared_ptr<OlePicture> bitmap(const QImage& image);
    // An icon keeps its alpha channel as its own transparency.
    static std::shared_ptr<OlePicture> icon(const QImage& image);

    Type type() const { return m_type; }
    const QImage& image() const { return m_image; }
    // 0 when the picture holds no image.
    quintptr handle() const;
    // Size in HIMETRIC, as the platform reports it (96 dots per inch).
    int himetricWidth() const;
    int himetricHeight() const;
    QSize pixelSize() const { return m_image.size(); }

    // The same picture drawn for more device pixels, each image with its
    // device pixel ratio set. Not part of what is stored.
    void setSharper(const QList<QImage>& images) { m_sharper = images; }
    const QList<QImage>& sharper() const { return m_sharper; }

private:
    Type m_type = Type::Empty;
    QImage m_image;
    QList<QImage> m_sharper;
};

using PicturePtr = std::shared_ptr<OlePicture>;

// HIMETRIC <-> pixels at 96 dots per inch.
int pixelsToHimetric(int pixels);
double himetricToPixels(int himetric);
