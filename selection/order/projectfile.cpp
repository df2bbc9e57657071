#include "selection/order/projectfile.h"

#include "platform/files/textfile.h"
#include "platform/units/rounding.h"

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

    // Whether the text left, past blanks and line ends, starts with head.
    bool restStartsWith(QLatin1StringView head) const {
        qsizetype i = m_pos;
        while (i < m_text.size() && (isBlank(m_text[i]) || isLineEnd(m_text[i])))
            ++i;
        return QStringView(m_text).mid(i).startsWith(head);
    }
    QStringView rest() const { return QStringView(m_text).mid(m_pos); }

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

// Shares are kept to millionths, so that what is read is written back the
// same.
double millionths(double v) {
    return roundHalfEven(v * 1e6) / 1e6;
}

QString shareText(double v) {
    QString text = QString::number(millionths(v), 'f', 6);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

std::optional<double> shareField(QStringView field, double least) {
    bool ok = false;
    const double v = field.toDouble(&ok);
    if (!ok || !(v >= least && v <= 1))
        return std::nullopt;
    return millionths(v);
}

std::optional<Framing> framingLine(const QStringList& parts) {
    if (parts.size() == 2 && parts[1] == QLatin1String("whole"))
        return Framing{FramingMode::Whole};
    if (parts.size() != 5 || parts[1] != QLatin1String("fill"))
        return std::nullopt;
    const std::optional<double> scale = shareField(parts[2], kSmallestCut);
    const std::optional<double> x = shareField(parts[3], 0);
    const std::optional<double> y = shareField(parts[4], 0);
    if (!scale || !x || !y)
        return std::nullopt;
    return Framing{FramingMode::Fill, *scale, *x, *y};
}

// The block after the records: its head with the number of lines, then one
// line a record, each record once, and nothing after. Any fault leaves out
// the whole block and says where.
QString readFramingBlock(QStringView text, int records, QList<ProjectRecord>& kept) {
    QStringList lines;
    for (QStringView line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        lines << line.trimmed().toString();
    }
    while (!lines.isEmpty() && lines.first().isEmpty())
        lines.removeFirst();
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    const QString head = QLatin1String(kFramingHead);
    bool ok = false;
    const int n =
        lines.isEmpty() ? -1 : QStringView(lines.first()).mid(head.size()).trimmed().toInt(&ok);
    if (!ok || n < 0 || n != lines.size() - 1)
        return QStringLiteral("its head does not count its %1 lines").arg(lines.size() - 1);
    QList<std::pair<int, Framing>> framings;
    QList<bool> seen(records, false);
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList parts = lines[i].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const int row = parts.isEmpty() ? 0 : parts.first().toInt(&ok);
        const std::optional<Framing> framing = framingLine(parts);
        if (!ok || row < 1 || row > records || seen[row - 1] || !framing)
            return QStringLiteral("its line %1 is damaged").arg(i + 1);
        seen[row - 1] = true;
        framings.append({row, *framing});
    }
    for (const auto& [row, framing] : framings)
        if (row <= kept.size())
            kept[row - 1].framing = framing;
    return {};
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
    QStringList framed;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const Framing& f = records[i].framing;
        if (f.isDefault())
            continue;
        framed << (f.mode == FramingMode::Whole
                       ? QStringLiteral("%1 whole").arg(i + 1)
                       : QStringLiteral("%1 fill %2 %3 %4")
                             .arg(i + 1)
                             .arg(shareText(f.scale), shareText(f.centreX), shareText(f.centreY)));
    }
    if (!framed.isEmpty())
        lines << QStringLiteral("%1 %2").arg(QLatin1String(kFramingHead)).arg(framed.size())
              << framed;
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
        // The writer puts the block after the counted records; before them
        // such a line is a record's.
        if (complete >= read.count && fields.restStartsWith(QLatin1String(kFramingHead))) {
            read.framingError = readFramingBlock(fields.rest(), complete, read.records);
            if (!read.framingError.isEmpty())
                for (ProjectRecord& record : read.records)
                    record.framing = {};
            break;
        }
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
