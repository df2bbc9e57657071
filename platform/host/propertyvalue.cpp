#include "platform/host/propertyvalue.h"

#include <cmath>
#include <limits>

PropertyValue PropertyValue::font(const FontPtr& font) {
    return font ? PropertyValue(font->attributes()) : PropertyValue();
}

PropertyValue::Kind PropertyValue::kind() const {
    return static_cast<Kind>(m_value.index());
}

bool PropertyValue::isPictureNone() const {
    const auto* picture = std::get_if<PicturePtr>(&m_value);
    return picture && !*picture;
}

bool PropertyValue::isPictureWithoutImage() const {
    const auto* picture = std::get_if<PicturePtr>(&m_value);
    return picture && (!*picture || (*picture)->image().isNull());
}

ControlError PropertyValue::toInteger(qint64 low, qint64 high, qint64& out) const {
    qint64 value = 0;
    if (const auto* b = std::get_if<bool>(&m_value)) {
        value = *b ? -1 : 0;
    } else if (const auto* i = std::get_if<qint64>(&m_value)) {
        value = *i;
    } else if (const auto* t = std::get_if<QString>(&m_value)) {
        bool ok = false;
        const double number = t->trimmed().toDouble(&ok);
        if (!ok)
            return ControlError::TypeMismatch;
        if (!(number >= double(low) - 0.5 && number <= double(high) + 0.5))
            return ControlError::Overflow;
        value = static_cast<qint64>(std::nearbyint(number));
    } else if (kind() != Kind::Empty) {
        return ControlError::TypeMismatch;
    }
    if (value < low || value > high)
        return ControlError::Overflow;
    out = value;
    return ControlError::None;
}

template <typename Int> ControlError PropertyValue::toNarrow(Int& out) const {
    qint64 value = 0;
    const ControlError error =
        toInteger(std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max(), value);
    if (error == ControlError::None)
        out = static_cast<Int>(value);
    return error;
}

ControlError PropertyValue::toInt32(std::int32_t& out) const {
    return toNarrow(out);
}

ControlError PropertyValue::toInt16(std::int16_t& out) const {
    return toNarrow(out);
}

ControlError PropertyValue::toBool(bool& out) const {
    if (const auto* b = std::get_if<bool>(&m_value)) {
        out = *b;
        return ControlError::None;
    }
    if (const auto* t = std::get_if<QString>(&m_value)) {
        const QString text = t->trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
            out = true;
            return ControlError::None;
        }
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
            out = false;
            return ControlError::None;
        }
    }
    qint64 value = 0;
    const ControlError error = toInteger(std::numeric_limits<qint64>::min() / 2,
                                         std::numeric_limits<qint64>::max() / 2, value);
    if (error == ControlError::None)
        out = value != 0;
    return error;
}

ControlError PropertyValue::toText(QString& out) const {
    if (const auto* t = std::get_if<QString>(&m_value))
        out = *t;
    else if (const auto* b = std::get_if<bool>(&m_value))
        out = *b ? QStringLiteral("True") : QStringLiteral("False");
    else if (const auto* i = std::get_if<qint64>(&m_value))
        out = QString::number(*i);
    else if (kind() == Kind::Empty)
        out.clear();
    else
        return ControlError::TypeMismatch;
    return ControlError::None;
}

ControlError PropertyValue::toPicture(PicturePtr& out) const {
    if (const auto* p = std::get_if<PicturePtr>(&m_value)) {
        out = *p;
        return ControlError::None;
    }
    if (kind() == Kind::Empty) {
        out = nullptr;
        return ControlError::None;
    }
    return ControlError::TypeMismatch;
}

ControlError PropertyValue::toFont(FontPtr& out) const {
    if (const auto* f = std::get_if<FontAttributes>(&m_value)) {
        out = OleFont::create(*f);
        return ControlError::None;
    }
    return ControlError::TypeMismatch;
}

bool equalsDefault(const PropertyValue& value, const PropertyValue& defaultValue) {
    using Kind = PropertyValue::Kind;
    const auto& v = value.raw();
    const auto& d = defaultValue.raw();
    switch (value.kind()) {
    case Kind::Empty:
        return defaultValue.kind() == Kind::Empty;
    case Kind::Boolean:
        if (const auto* i = std::get_if<qint64>(&d))
            return (std::get<bool>(v) && *i == 1) || (!std::get<bool>(v) && *i == 0);
        return v == d;
    case Kind::Integer:
    case Kind::Text:
        return v == d;
    case Kind::Picture:
        // An empty picture has no persisted form: it stores nothing.
        if (value.isPictureWithoutImage())
            return true;
        if (const auto* p = std::get_if<PicturePtr>(&d))
            return *p == std::get<PicturePtr>(v);
        return false;
    case Kind::Font:
        return false;
    }
    return false;
}
