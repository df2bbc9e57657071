#include "platform/host/olefont.h"

#include "platform/controls/designfont.h"

#include <cmath>

std::shared_ptr<OleFont> OleFont::create(const FontAttributes& attributes) {
    return std::make_shared<OleFont>(attributes);
}

std::shared_ptr<OleFont> OleFont::clone() const {
    return create(m_attributes);
}

void OleFont::setName(const QString& name) {
    m_attributes.name = name;
    emit fontChanged(QStringLiteral("Name"));
}

void OleFont::setSize(double points) {
    // Sizes are fixed-point with four decimals.
    m_attributes.size = std::round(points * 10000.0) / 10000.0;
    emit fontChanged(QStringLiteral("Size"));
}

void OleFont::setBold(bool bold) {
    m_attributes.weight = bold ? 700 : 400;
    emit fontChanged(QStringLiteral("Bold"));
}

void OleFont::setItalic(bool italic) {
    m_attributes.italic = italic;
    emit fontChanged(QStringLiteral("Italic"));
}

void OleFont::setUnderline(bool underline) {
    m_attributes.underline = underline;
    emit fontChanged(QStringLiteral("Underline"));
}

void OleFont::setStrikethrough(bool strikethrough) {
    m_attributes.strikethrough = strikethrough;
    emit fontChanged(QStringLiteral("Strikethrough"));
}

void OleFont::setWeight(std::int16_t weight) {
    m_attributes.weight = weight;
    emit fontChanged(QStringLiteral("Weight"));
}

void OleFont::setCharset(std::int16_t charset) {
    m_attributes.charset = charset;
    emit fontChanged(QStringLiteral("Charset"));
}

QFont OleFont::toQFont() const {
    QFont font = designFont();
    if (m_attributes.name.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) != 0)
        font.setFamily(m_attributes.name);
    font.setPixelSize(qMax(1, static_cast<int>(std::nearbyint(m_attributes.size * 96.0 / 72.0))));
    font.setWeight(static_cast<QFont::Weight>(qBound(1, int(m_attributes.weight), 1000)));
    font.setItalic(m_attributes.italic);
    font.setUnderline(m_attributes.underline);
    font.setStrikeOut(m_attributes.strikethrough);
    return font;
}
