#pragma once

#include <QByteArray>
#include <QImage>

#include <memory>

// Turns a photo's colours from the colour space it was saved in (a phone's
// Display P3, a camera's Adobe RGB) into sRGB, the screen's and the lab's,
// with Little CMS: perceptual intent, 8 bits a channel. A photo without a
// profile, with an sRGB one, or with one that cannot be used (damaged, or
// not for RGB) keeps its values, as viewers show it.
class SrgbConversion {
public:
    SrgbConversion() = default;

    // From an ICC profile's bytes.
    static SrgbConversion fromIcc(const QByteArray& icc);
    // From the primaries and white point a HEIF file states (CIE xy:
    // red, green, blue, white), with sRGB's tone curve, or a linear one.
    static SrgbConversion fromPrimaries(const float xy[8], bool linear);

    bool converts() const { return m_transform != nullptr; }
    // Converts an RGB32 picture in place.
    void apply(QImage& rgb32) const;

private:
    std::shared_ptr<void> m_transform;
};
