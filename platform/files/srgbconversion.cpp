#include "platform/files/srgbconversion.h"

#include <QColorSpace>

#include <lcms2.h>

namespace {

using Profile = std::unique_ptr<void, decltype(&cmsCloseProfile)>;

std::shared_ptr<void> toSrgb(cmsHPROFILE from) {
    Profile source(from, cmsCloseProfile);
    if (!from || cmsGetColorSpace(from) != cmsSigRgbData)
        return {};
    Profile srgb(cmsCreate_sRGBProfile(), cmsCloseProfile);
    // RGB32 is B, G, R, A in memory on this byte order; alpha is left alone.
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "RGB32 read as BGRA bytes");
    cmsHTRANSFORM transform = cmsCreateTransform(from, TYPE_BGRA_8, srgb.get(), TYPE_BGRA_8,
                                                 INTENT_PERCEPTUAL, cmsFLAGS_COPY_ALPHA);
    if (!transform)
        return {};
    return {transform, cmsDeleteTransform};
}

} // namespace

SrgbConversion SrgbConversion::fromIcc(const QByteArray& icc) {
    SrgbConversion out;
    if (icc.isEmpty())
        return out;
    // Already sRGB: converting would only round.
    const QColorSpace space = QColorSpace::fromIccProfile(icc);
    if (space.isValid() && space == QColorSpace(QColorSpace::SRgb))
        return out;
    out.m_transform =
        toSrgb(cmsOpenProfileFromMem(icc.constData(), static_cast<cmsUInt32Number>(icc.size())));
    return out;
}

SrgbConversion SrgbConversion::fromPrimaries(const float xy[8], bool linear) {
    SrgbConversion out;
    const cmsCIExyY white{xy[6], xy[7], 1.0};
    const cmsCIExyYTRIPLE primaries{{xy[0], xy[1], 1.0}, {xy[2], xy[3], 1.0}, {xy[4], xy[5], 1.0}};
    // sRGB's curve: parametric type 4 with its own constants.
    const double srgbCurve[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
    const double gammaOne = 1.0;
    cmsToneCurve* curve = linear ? cmsBuildParametricToneCurve(nullptr, 1, &gammaOne)
                                 : cmsBuildParametricToneCurve(nullptr, 4, srgbCurve);
    if (!curve)
        return out;
    cmsToneCurve* curves[3] = {curve, curve, curve};
    out.m_transform = toSrgb(cmsCreateRGBProfile(&white, &primaries, curves));
    cmsFreeToneCurve(curve);
    return out;
}

void SrgbConversion::apply(QImage& rgb32) const {
    if (!m_transform || rgb32.isNull())
        return;
    for (int y = 0; y < rgb32.height(); ++y) {
        uchar* line = rgb32.scanLine(y);
        cmsDoTransform(m_transform.get(), line, line, static_cast<cmsUInt32Number>(rgb32.width()));
    }
}
