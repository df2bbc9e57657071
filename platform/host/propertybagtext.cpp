// The text form of a property bag (see propertybag.h).
#include "platform/host/propertybag.h"

#include "platform/files/textfile.h"

#include <QBuffer>

namespace {

QString quoted(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

QString boolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString sizeText(double size) {
    QString text = QString::number(size, 'f', 4);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

const char* typeName(OlePicture::Type type) {
    switch (type) {
    case OlePicture::Type::Empty:
        return "Empty";
    case OlePicture::Type::Bitmap:
        return "Bitmap";
    case OlePicture::Type::Metafile:
        return "Metafile";
    case OlePicture::Type::Icon:
        return "Icon";
    case OlePicture::Type::Other:
        return "Other";
    }
    return "Other";
}

QString pictureText(const OlePicture& picture) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.image().save(&buffer, "PNG");
    return QStringLiteral("Picture(Type=%1, Png=\"%2\")")
        .arg(QLatin1String(typeName(picture.type())), QString::fromLatin1(png.toBase64()));
}

QString fontText(const FontAttributes& font) {
    return QStringLiteral("Font(Name=%1, Size=%2, Weight=%3, Charset=%4, Italic=%5, "
                          "Underline=%6, Strikethrough=%7)")
        .arg(quoted(font.name), sizeText(font.size), QString::number(font.weight),
             QString::number(font.charset), boolText(font.italic), boolText(font.underline),
             boolText(font.strikethrough));
}

QString valueText(const PropertyValue& value) {
    const auto& raw = value.raw();
    if (const auto* b = std::get_if<bool>(&raw))
        return boolText(*b);
    if (const auto* i = std::get_if<qint64>(&raw))
        return QString::number(*i);
    if (const auto* t = std::get_if<QString>(&raw))
        return quoted(*t);
    if (const auto* p = std::get_if<PicturePtr>(&raw))
        return pictureText(**p); // none is never stored
    if (const auto* f = std::get_if<FontAttributes>(&raw))
        return fontText(*f);
    return QStringLiteral("\"\"");
}

// Reads one line's value; every failure is a message, never an exception.
class ValueParser {
public:
    explicit ValueParser(QStringView text) : m_text(text) {}

    bool parseValue(PropertyValue& out) {
        skipSpaces();
        if (atEnd())
            return fail(QStringLiteral("a value is missing"));
        const QChar c = peek();
        if (c == QLatin1Char('"')) {
            QString text;
            if (!parseText(text))
                return false;
            out = PropertyValue(text);
            return true;
        }
        if (c == QLatin1Char('-') || c == QLatin1Char('+') || c.isDigit()) {
            qint64 number = 0;
            if (!parseInteger(number))
                return false;
            out = PropertyValue(number);
            return true;
        }
        const QString word = parseWord();
        if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
            out = PropertyValue(true);
            return true;
        }
        if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
            out = PropertyValue(false);
            return true;
        }
        if (word.compare(QLatin1String("Picture"), Qt::CaseInsensitive) == 0)
            return parsePicture(out);
        if (word.compare(QLatin1String("Font"), Qt::CaseInsensitive) == 0)
            return parseFont(out);
        return fail(word.isEmpty() ? QStringLiteral("unexpected \"%1\"").arg(c)
                                   : QStringLiteral("unknown value \"%1\"").arg(word));
    }

    bool expectEnd() {
        skipSpaces();
        return atEnd() || fail(QStringLiteral("unexpected text after the value"));
    }

    const QString& error() const { return m_error; }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return m_text[m_pos]; }
    void skipSpaces() {
        while (!atEnd() && (peek() == QLatin1Char(' ') || peek() == QLatin1Char('\t')))
            ++m_pos;
    }
    bool fail(const QString& message) {
        if (m_error.isEmpty())
            m_error = message;
        return false;
    }
    bool take(QChar c) {
        skipSpaces();
        if (atEnd() || peek() != c)
            return fail(QStringLiteral("\"%1\" expected").arg(c));
        ++m_pos;
        return true;
    }

    QString parseWord() {
        skipSpaces();
        const qsizetype start = m_pos;
        while (!atEnd() && (peek().isLetterOrNumber() || peek() == QLatin1Char('_')))
            ++m_pos;
        return m_text.mid(start, m_pos - start).toString();
    }

    QString numberText() {
        skipSpaces();
        const qsizetype start = m_pos;
        if (!atEnd() && (peek() == QLatin1Char('-') || peek() == QLatin1Char('+')))
            ++m_pos;
        while (!atEnd() && (peek().isDigit() || peek() == QLatin1Char('.')))
            ++m_pos;
        return m_text.mid(start, m_pos - start).toString();
    }

    bool parseInteger(qint64& out) {
        const QString text = numberText();
        bool ok = false;
        out = text.toLongLong(&ok);
        return ok || fail(QStringLiteral("\"%1\" is not a whole number in range").arg(text));
    }

    bool parseDecimal(double& out) {
        const QString text = numberText();
        bool ok = false;
        out = text.toDouble(&ok);
        return (ok && out >= 0 && out < 1e6) ||
               fail(QStringLiteral("\"%1\" is not a font size").arg(text));
    }

    bool parseBool(bool& out) {
        const QString word = parseWord();
        if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            out = true;
        else if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            out = false;
        else
            return fail(QStringLiteral("True or False expected"));
        return true;
    }

    bool parseHex(int digits, char16_t& out) {
        if (m_pos + digits > m_text.size())
            return fail(QStringLiteral("a text escape is cut short"));
        bool ok = false;
        const uint code = m_text.mid(m_pos, digits).toUInt(&ok, 16);
        if (!ok)
            return fail(QStringLiteral("a text escape is damaged"));
        m_pos += digits;
        out = static_cast<char16_t>(code);
        return true;
    }

    bool parseText(QString& out) {
        if (!take(QLatin1Char('"')))
            return false;
        out.clear();
        while (!atEnd()) {
            const QChar c = m_text[m_pos++];
            if (c == QLatin1Char('"'))
                return true;
            if (c != QLatin1Char('\\')) {
                out += c;
                continue;
            }
            if (atEnd())
                break;
            const QChar e = m_text[m_pos++];
            switch (e.unicode()) {
            case '"':
            case '\\':
                out += e;
                break;
            case 'n':
                out += QLatin1Char('\n');
                break;
            case 'r':
                out += QLatin1Char('\r');
                break;
            case 't':
                out += QLatin1Char('\t');
                break;
            case 'u': {
                char16_t code = 0;
                if (!parseHex(4, code))
                    return false;
                out += QChar(code);
                break;
            }
            default:
                return fail(QStringLiteral("unknown text escape \"\\%1\"").arg(e));
            }
        }
        return fail(QStringLiteral("a text has no closing quote"));
    }

    // Name(Arg=value, ...): calls argument(name) for each, which parses the value.
    template <typename F> bool parseArguments(F argument) {
        if (!take(QLatin1Char('(')))
            return false;
        skipSpaces();
        if (!atEnd() && peek() == QLatin1Char(')')) {
            ++m_pos;
            return true;
        }
        for (;;) {
            const QString name = parseWord();
            if (name.isEmpty())
                return fail(QStringLiteral("an argument name is missing"));
            if (!take(QLatin1Char('=')) || !argument(name.toLower()))
                return false;
            skipSpaces();
            if (atEnd())
                return fail(QStringLiteral("\")\" expected"));
            const QChar c = m_text[m_pos++];
            if (c == QLatin1Char(')'))
                return true;
            if (c != QLatin1Char(','))
                return fail(QStringLiteral("\",\" or \")\" expected"));
        }
    }

    bool parsePicture(PropertyValue& out) {
        QString type;
        QString png;
        bool hasPng = false;
        const bool ok = parseArguments([&](const QString& name) {
            if (name == QLatin1String("type")) {
                type = parseWord();
                return true;
            }
            if (name == QLatin1String("png")) {
                hasPng = true;
                return parseText(png);
            }
            return fail(QStringLiteral("unknown picture argument \"%1\"").arg(name));
        });
        if (!ok)
            return false;
        OlePicture::Type kind;
        const QString t = type.toLower();
        if (t == QLatin1String("bitmap"))
            kind = OlePicture::Type::Bitmap;
        else if (t == QLatin1String("icon"))
            kind = OlePicture::Type::Icon;
        else if (t == QLatin1String("metafile"))
            kind = OlePicture::Type::Metafile;
        else if (t == QLatin1String("other"))
            kind = OlePicture::Type::Other;
        else
            return fail(QStringLiteral("unknown picture type \"%1\"").arg(type));
        if (!hasPng)
            return fail(QStringLiteral("the picture has no Png"));
        const auto decoded =
            QByteArray::fromBase64Encoding(png.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            return fail(QStringLiteral("the picture's bytes are damaged"));
        const QImage image = QImage::fromData(*decoded, "PNG");
        if (image.isNull())
            return fail(QStringLiteral("the picture cannot be read"));
        switch (kind) {
        case OlePicture::Type::Bitmap:
            out = PropertyValue(OlePicture::bitmap(image));
            break;
        case OlePicture::Type::Icon:
            out = PropertyValue(OlePicture::icon(image));
            break;
        default:
            out = PropertyValue(std::make_shared<OlePicture>(kind, image));
        }
        return true;
    }

    bool parseInt16(std::int16_t& out) {
        qint64 value = 0;
        if (!parseInteger(value))
            return false;
        if (value < -32768 || value > 32767)
            return fail(QStringLiteral("%1 is out of range").arg(value));
        out = static_cast<std::int16_t>(value);
        return true;
    }

    bool parseFont(PropertyValue& out) {
        FontAttributes font;
        bool hasName = false;
        bool hasSize = false;
        const bool ok = parseArguments([&](const QString& name) {
            if (name == QLatin1String("name")) {
                hasName = true;
                return parseText(font.name);
            }
            if (name == QLatin1String("size")) {
                hasSize = true;
                return parseDecimal(font.size);
            }
            if (name == QLatin1String("weight"))
                return parseInt16(font.weight);
            if (name == QLatin1String("charset"))
                return parseInt16(font.charset);
            if (name == QLatin1String("italic"))
                return parseBool(font.italic);
            if (name == QLatin1String("underline"))
                return parseBool(font.underline);
            if (name == QLatin1String("strikethrough"))
                return parseBool(font.strikethrough);
            return fail(QStringLiteral("unknown font argument \"%1\"").arg(name));
        });
        if (!ok)
            return false;
        if (!hasName || !hasSize)
            return fail(QStringLiteral("the font needs a Name and a Size"));
        out = PropertyValue(font);
        return true;
    }

    QStringView m_text;
    qsizetype m_pos = 0;
    QString m_error;
};

bool isKeyChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

} // namespace

QByteArray PropertyBag::toText() const {
    QString text;
    for (const Entry& entry : m_entries)
        text += entry.key.toLower() + QLatin1String(" = ") + valueText(entry.value) +
                QLatin1String("\r\n");
    return text.toUtf8();
}

std::optional<PropertyBag> PropertyBag::fromText(const QByteArray& bytes, QString* error) {
    const QString text = decodeText(bytes);
    PropertyBag bag;
    const auto lines = QStringView(text).split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QStringView line = lines[n];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        const auto report = [&](const QString& what) {
            if (error)
                *error = QStringLiteral("line %1: %2").arg(n + 1).arg(what);
            return std::nullopt;
        };
        qsizetype keyEnd = 0;
        while (keyEnd < trimmed.size() && isKeyChar(trimmed[keyEnd]))
            ++keyEnd;
        if (keyEnd == 0)
            return report(QStringLiteral("a key is missing"));
        const QString key = trimmed.left(keyEnd).toString();
        const QStringView rest = trimmed.mid(keyEnd).trimmed();
        if (!rest.startsWith(QLatin1Char('=')))
            return report(QStringLiteral("\"=\" expected after \"%1\"").arg(key));
        if (bag.contains(key))
            return report(QStringLiteral("\"%1\" is given twice").arg(key));
        ValueParser parser(rest.mid(1));
        PropertyValue value;
        if (!parser.parseValue(value) || !parser.expectEnd())
            return report(QStringLiteral("%1: %2").arg(key, parser.error()));
        bag.m_entries.append({key, value});
    }
    if (error)
        error->clear();
    return bag;
}
