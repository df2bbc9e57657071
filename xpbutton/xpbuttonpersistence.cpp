// Creation of a new instance, loading and saving of an XpButton.
#include "xpbutton/xpbutton.h"

#include "xpbutton/buttongeometry.h"

namespace {

constexpr ColorValue kBackColor = 0x8000000F;
constexpr ColorValue kForeColor = 0x80000012;
constexpr ColorValue kPressedColor = 0x80000014;
constexpr ColorValue kHoverColor = 0x80000016;

// Reads typed values from a bag; the first value that does not fit stops
// every later read, so loading ends there.
class BagReader {
public:
    explicit BagReader(const PropertyBag& bag) : m_bag(bag) {}

    bool int32(const char* key, std::int32_t fallback, std::int32_t& out) {
        return take(m_bag.read(QLatin1String(key), fallback).toInt32(out), key);
    }
    bool int16(const char* key, std::int16_t fallback, std::int16_t& out) {
        return take(m_bag.read(QLatin1String(key), int(fallback)).toInt16(out), key);
    }
    bool colour(const char* key, ColorValue fallback, ColorValue& out) {
        std::int32_t value = 0;
        if (!take(m_bag.read(QLatin1String(key), fallback).toInt32(value), key))
            return false;
        out = static_cast<ColorValue>(value);
        return true;
    }
    // Boolean defaults are stored as the integers 1 and 0.
    bool boolean(const char* key, bool fallback, bool& out) {
        return take(m_bag.read(QLatin1String(key), fallback ? 1 : 0).toBool(out), key);
    }
    bool text(const char* key, const QString& fallback, QString& out) {
        return take(m_bag.read(QLatin1String(key), fallback).toText(out), key);
    }
    bool picture(const char* key, PicturePtr& out) {
        return take(m_bag.read(QLatin1String(key), PicturePtr()).toPicture(out), key);
    }
    bool font(const char* key, const FontPtr& fallback, FontPtr& out) {
        return take(m_bag.read(QLatin1String(key), PropertyValue::font(fallback)).toFont(out), key);
    }

    ControlError error() const { return m_error; }
    // The key whose value did not fit.
    const char* key() const { return m_key; }

private:
    bool take(ControlError error, const char* key) {
        m_error = error;
        m_key = key;
        return error == ControlError::None;
    }

    const PropertyBag& m_bag;
    ControlError m_error = ControlError::None;
    const char* m_key = "";
};

} // namespace

void XpButton::InitProperties() {
    // The base's own colours stay as they are.
    m_BackColor = kBackColor;
    m_ForeColor = kForeColor;
    m_ShowFocusRect = true;
    setBaseFont(ambientFont());
    adoptFont(ambientFont());
    m_Caption = ambientDisplayName();
    m_PicturePosition = 1;
    m_ButtonStyle = 2;
    m_PictureWidth = 32;
    m_PictureHeight = 32;
    m_PictureSize = 1;
    m_PictureHover = OlePicture::empty();
    g_PictureNormal = OlePicture::empty();
    m_URL.clear();
    m_XPColor_Pressed = kPressedColor;
    m_XPColor_Hover = kHoverColor;
    m_XPDefaultColors = true;
    m_DefCurHand = true;
    m_XPShowBorderAlways = false;
    m_MaskColor = 0;
    m_TransparentBG = false;
    m_BEVEL = 1;
    m_BEVELDEPTH = 8;
}

ControlError XpButton::ReadProperties(const PropertyBag& PropBag, QString* failedKey) {
    BagReader in(PropBag);
    const auto failed = [&](ControlError error, const char* key) {
        if (failedKey)
            *failedKey = QLatin1String(key);
        return error;
    };
    if (!in.colour("BackColor", kBackColor, m_BackColor))
        return failed(in.error(), in.key());
    setBaseBackColor(m_BackColor);
    if (!in.colour("ForeColor", kForeColor, m_ForeColor))
        return failed(in.error(), in.key());
    setBaseForeColor(m_ForeColor);
    if (!in.boolean("ShowFocusRect", true, m_ShowFocusRect) ||
        !in.text("Caption", ambientDisplayName(), m_Caption) ||
        !in.int32("PicturePosition", 1, m_PicturePosition) ||
        !in.int32("ButtonStyle", 2, m_ButtonStyle) || !in.picture("Picture", m_Picture) ||
        !in.int32("PictureWidth", 32, m_PictureWidth) ||
        !in.int32("PictureHeight", 32, m_PictureHeight) ||
        !in.int32("PictureSize", 1, m_PictureSize) ||
        !in.int32("OriginalPicSizeW", 32, m_OriginalPicSizeW) ||
        !in.int32("OriginalPicSizeH", 32, m_OriginalPicSizeH))
        return failed(in.error(), in.key());
    FontPtr font;
    if (!in.font("Font", ambientFont(), font))
        return failed(in.error(), in.key());
    setBaseFont(font);
    if (!in.font("Font", ambientFont(), font))
        return failed(in.error(), in.key());
    adoptFont(font);
    PicturePtr icon;
    if (!in.picture("PictureHover", m_PictureHover) || !in.picture("Picture", g_PictureNormal) ||
        !in.picture("MouseIcon", icon))
        return failed(in.error(), in.key());
    setMouseIcon(icon);
    bool enabled = true;
    if (!in.boolean("Enabled", true, enabled))
        return failed(in.error(), in.key());
    setBaseEnabled(enabled);
    std::int16_t pointer = 0;
    if (!in.int16("MousePointer", 0, pointer))
        return failed(in.error(), in.key());
    if (const ControlError error = setBaseMousePointer(pointer); error != ControlError::None)
        return failed(error, "MousePointer");
    if (!in.text("URL", QString(), m_URL) ||
        !in.colour("XPColor_Pressed", kPressedColor, m_XPColor_Pressed) ||
        !in.colour("XPColor_Hover", kHoverColor, m_XPColor_Hover) ||
        !in.boolean("XPDefaultColors", true, m_XPDefaultColors) ||
        !in.boolean("DefCurHand", true, m_DefCurHand) ||
        !in.boolean("XPShowBorderAlways", false, m_XPShowBorderAlways) ||
        !in.colour("MaskColor", 0, m_MaskColor) ||
        !in.boolean("TransparentBG", false, m_TransparentBG) || !in.int16("BEVEL", 1, m_BEVEL) ||
        !in.int16("BEVELDEPTH", 8, m_BEVELDEPTH))
        return failed(in.error(), in.key());
    setAccessKeys(accessKeyFromCaption(m_Caption));
    return UserControl_Resize();
}

void XpButton::WriteProperties(PropertyBag& PropBag) const {
    const auto write = [&PropBag](const char* key, const PropertyValue& value,
                                  const PropertyValue& fallback) {
        PropBag.write(QLatin1String(key), value, fallback);
    };
    write("Caption", m_Caption, ambientDisplayName());
    write("PicturePosition", m_PicturePosition, 1);
    write("ButtonStyle", m_ButtonStyle, 2);
    write("Picture", m_Picture, PicturePtr());
    write("PictureWidth", m_PictureWidth, 32);
    write("PictureHeight", m_PictureHeight, 32);
    write("PictureSize", m_PictureSize, 1);
    write("OriginalPicSizeW", m_OriginalPicSizeW, 32);
    write("OriginalPicSizeH", m_OriginalPicSizeH, 32);
    write("PictureHover", m_PictureHover, PicturePtr());
    write("Enabled", baseEnabled(), true);
    write("Font", PropertyValue::font(baseFont()), PropertyValue::font(ambientFont()));
    write("MouseIcon", baseMouseIcon(), PicturePtr());
    write("MousePointer", int(baseMousePointer()), 0);
    write("ShowFocusRect", m_ShowFocusRect, 1);
    write("URL", m_URL, QString());
    write("XPColor_Pressed", m_XPColor_Pressed, kPressedColor);
    write("XPColor_Hover", m_XPColor_Hover, kHoverColor);
    write("XPDefaultColors", m_XPDefaultColors, 1);
    write("BackColor", m_BackColor, kBackColor);
    write("ForeColor", m_ForeColor, kForeColor);
    write("DefCurHand", m_DefCurHand, 1);
    write("XPShowBorderAlways", m_XPShowBorderAlways, 0);
    write("MaskColor", m_MaskColor, ColorValue(0));
    write("TransparentBG", m_TransparentBG, 0);
    write("BEVEL", int(m_BEVEL), 1);
    write("BEVELDEPTH", int(m_BEVELDEPTH), 8);
}
