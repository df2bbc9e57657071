#include "selection/order/projectfile.h"

#include "platform/files/textfile.h"

#include <QStringList>

#include <limits>
#include <optional>

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isLineEnd(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

bool needsQuotes(const QString& text) {
    return text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('\r')) ||
           text.contains(QLatin1Char('\n')) || (!text.isEmpty() && isBlank(text[0]));
}

// The reader takes a field specially only when it starts with a double
// quote: one anywhere else reads back as it is, unless the field must be
// quoted, since a quoted field ends at its next double quote.
bool storable(const QString& text) {
    return needsQuotes(text) ? !text.contains(QLatin1Char('"'))
                             : !text.startsWith(QLatin1Char('"'));
}

// Walks the text field by field.
class FieldReader {
public:
    explicit FieldReader(const QString& text) : m_text(text) {}

    // True when nothing but blanks and line ends is left.
    bool atEnd() const {
        for (qsizetype i = m_pos; i < m_text.size(); ++i)
            if (!isBlank(m_text[i]) && !isLineEnd(m_text[i]))
                return false;
        return true;
    }

    // The next field, or nothing when the text is used up (or a quote is
    // never closed).
    std::optional<QString> next() {
        while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
            ++m_pos;
        if (m_pos >= m_text.size())
            return std::nullopt;
        QString field;
        if (m_text[m_pos] == QLatin1Char('"')) {
            const qsizetype close = m_text.indexOf(QLatin1Char('"'), m_pos + 1);
            if (close < 0)
                return std::nullopt;
            field = m_text.mid(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            while (m_pos < m_text.size() && !isFieldEnd(m_text[m_pos]))
                ++m_pos;
        } else {
            const qsizetype start = m_pos;
            while (m_pos < m_text.size() && !isFieldEnd(m_text[m_pos]))
                ++m_pos;
            field = m_text.mid(start, m_pos - start);
        }
        consumeFieldEnd();
        return field;
    }

private:
    static bool isFieldEnd(QChar c) { return c == QLatin1Char(',') || isLineEnd(c); }

    void consumeFieldEnd() {
        if (m_pos >= m_text.size())
            return;
        if (m_text[m_pos] == QLatin1Char('\r') && m_pos + 1 < m_text.size() &&
            m_text[m_pos + 1] == QLatin1Char('\n'))
            m_pos += 2;
        else
            ++m_pos;
    }

    const QString& m_text;
    qsizetype m_pos = 0;
};

std::optional<int> countValue(const QString& field) {
    bool ok = false;
    const qlonglong value = field.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    if (value < 0)
        return 0;
    return static_cast<int>(std::min<qlonglong>(value, std::numeric_limits<int>::max()));
}

} // namespace

int firstUnstorableRecord(const QList<ProjectRecord>& records) {
    for (qsizetype i = 0; i < records.size(); ++i) {
        const ProjectRecord& r = records[i];
        if (!storable(r.file) || !storable(r.copies) || !storable(r.size))
            return static_cast<int>(i);
    }
    return -1;
}

bool storableInProject(const QString& text) {
    return storable(text);
}

QString projectField(const QString& text) {
    return needsQuotes(text) ? QLatin1Char('"') + text + QLatin1Char('"') : text;
}

QByteArray projectFileBytes(const QList<ProjectRecord>& records) {
    QStringList lines;
    lines << QStringLiteral(" %1 ").arg(records.size());
    for (const ProjectRecord& r : records)
        lines << projectField(r.file) << projectField(r.copies) << projectField(r.size);
    return textFileBytes(lines);
}

ProjectRead readProjectText(const QString& text, int maxRecords) {
    ProjectRead read;
    FieldReader fields(text);
    if (fields.atEnd()) {
        read.error = QStringLiteral("it is empty; a project file starts with the number of "
                                    "photos");
        return read;
    }
    const std::optional<QString> countField = fields.next();
    const std::optional<int> count = countField ? countValue(*countField) : std::nullopt;
    if (!count) {
        read.error = QStringLiteral("its first field, the number of photos, is not a number");
        return read;
    }
    read.count = *count;
    int complete = 0;
    while (!fields.atEnd()) {
        ProjectRecord record;
        for (QString* field : {&record.file, &record.copies, &record.size}) {
            const std::optional<QString> value = fields.next();
            if (!value) {
                read.error = QStringLiteral("it ends inside the record of photo %1, after %2 "
                                            "complete record%3")
                                 .arg(complete + 1)
                                 .arg(complete)
                                 .arg(complete == 1 ? "" : "s");
                read.records.clear();
                read.leftOut = 0;
                return read;
            }
            *field = *value;
        }
        ++complete;
        if (read.records.size() < maxRecords)
            read.records.append(record);
        else
            ++read.leftOut;
    }
    return read;
}
