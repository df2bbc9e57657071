#pragma once

#include <QFont>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

// The attributes a font object is made of, as stored and compared.
struct FontAttributes {
    QString name = QStringLiteral("MS Sans Serif");
    double size = 8.25; // points, kept to four decimals
    std::int16_t weight = 400;
    std::int16_t charset = 0;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    friend bool operator==(const FontAttributes&, const FontAttributes&) = default;
};

// A font object as controls share it: its owner learns of every assignment
// to one of its attributes (also one that assigns the value it already has),
// by the attribute's name. Bold is a view of the weight: bold is a weight
// above 550, and setting it makes the weight 700 or 400.
class OleFont : public QObject {
    Q_OBJECT
public:
    OleFont() = default;
    explicit OleFont(const FontAttributes& attributes) : m_attributes(attributes) {}

    static std::shared_ptr<OleFont> create(const FontAttributes& attributes = {});
    // A second object with the same attributes.
    std::shared_ptr<OleFont> clone() const;

    const FontAttributes& attributes() const { return m_attributes; }

    QString Name() const { return m_attributes.name; }
    double Size() const { return m_attributes.size; }
    bool Bold() const { return m_attributes.weight > 550; }
    bool Italic() const { return m_attributes.italic; }
    bool Underline() const { return m_attributes.underline; }
    bool Strikethrough() const { return m_attributes.strikethrough; }
    std::int16_t Weight() const { return m_attributes.weight; }
    std::int16_t Charset() const { return m_attributes.charset; }

    void setName(const QString& name);
    void setSize(double points);
    void setBold(bool bold);
    void setItalic(bool italic);
    void setUnderline(bool underline);
    void setStrikethrough(bool strikethrough);
    void setWeight(std::int16_t weight);
    void setCharset(std::int16_t charset);

    // The font text is drawn in, sized in pixels at 96 dots per inch; the
    // design's "MS Sans Serif" is the program's design font.
    QFont toQFont() const;

signals:
    void fontChanged(const QString& attribute);

private:
    FontAttributes m_attributes;
};

using FontPtr = std::shared_ptr<OleFont>;
