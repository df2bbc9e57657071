#pragma once

#include "platform/host/controlerror.h"
#include "platform/host/olefont.h"
#include "platform/host/olepicture.h"

#include <QString>

#include <cstdint>
#include <variant>

// One value in a property bag: a Boolean, an integer, a text, a picture
// (null is "none") or a font. Fonts are kept by their attributes, so every
// read makes a new font object.
class PropertyValue {
public:
    enum class Kind { Empty, Boolean, Integer, Text, Picture, Font };

    PropertyValue() = default;
    PropertyValue(bool value) : m_value(value) {}
    PropertyValue(int value) : m_value(static_cast<qint64>(value)) {}
    PropertyValue(qint64 value) : m_value(value) {}
    PropertyValue(std::uint32_t colour)
        : m_value(static_cast<qint64>(static_cast<qint32>(colour))) {}
    PropertyValue(const QString& text) : m_value(text) {}
    PropertyValue(const char* text) : m_value(QString::fromUtf8(text)) {}
    PropertyValue(const PicturePtr& picture) : m_value(picture) {}
    PropertyValue(const FontAttributes& font) : m_value(font) {}
    // A font object by its attributes; none stays empty.
    static PropertyValue font(const FontPtr& font);

    Kind kind() const;
    bool isPictureNone() const;
    // A picture that is none or holds no image: it has no persisted form.
    bool isPictureWithoutImage() const;

    // Conversions as a stored value is taken into a typed variable: numbers
    // out of range give Overflow, values of another kind Type mismatch.
    ControlError toInt32(std::int32_t& out) const;
    ControlError toInt16(std::int16_t& out) const;
    ControlError toBool(bool& out) const;
    ControlError toText(QString& out) const;
    ControlError toPicture(PicturePtr& out) const;
    // A new font object with the stored attributes.
    ControlError toFont(FontPtr& out) const;

    // Raw access for the text form.
    const std::variant<std::monostate, bool, qint64, QString, PicturePtr, FontAttributes>&
    raw() const {
        return m_value;
    }

private:
    ControlError toInteger(qint64 low, qint64 high, qint64& out) const;
    // toInteger over the whole range of Int.
    template <typename Int> ControlError toNarrow(Int& out) const;

    std::variant<std::monostate, bool, qint64, QString, PicturePtr, FontAttributes> m_value;
};

// Whether writing value with this default stores nothing: equal values,
// a default of the integer 1 against True and 0 against False, a picture
// that is none or empty against none. Fonts are never equal to a default:
// a font written is always a control's own object.
bool equalsDefault(const PropertyValue& value, const PropertyValue& defaultValue);
