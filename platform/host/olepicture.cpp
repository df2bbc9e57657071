#include "platform/host/olepicture.h"

#include <cmath>

OlePicture::OlePicture(Type type, QImage image) : m_type(type), m_image(std::move(image)) {}

std::shared_ptr<OlePicture> OlePicture::empty() {
    return std::make_shared<OlePicture>();
}

std::shared_ptr<OlePicture> OlePicture::bitmap(const QImage& image) {
    return std::make_shared<OlePicture>(Type::Bitmap, image.convertToFormat(QImage::Format_RGB32));
}

std::shared_ptr<OlePicture> OlePicture::icon(const QImage& image) {
    return std::make_shared<OlePicture>(Type::Icon, image.convertToFormat(QImage::Format_ARGB32));
}

quintptr OlePicture::handle() const {
    return m_image.isNull() ? 0 : static_cast<quintptr>(m_image.cacheKey());
}

int OlePicture::himetricWidth() const {
    return pixelsToHimetric(m_image.isNull() ? 0 : m_image.width());
}

int OlePicture::himetricHeight() const {
    return pixelsToHimetric(m_image.isNull() ? 0 : m_image.height());
}

int pixelsToHimetric(int pixels) {
    // 2540 HIMETRIC to an inch, 96 pixels to an inch; rounded like the platform.
    return static_cast<int>(std::lround(pixels * 2540.0 / 96.0));
}

double himetricToPixels(int himetric) {
    return himetric * 96.0 / 2540.0;
}
