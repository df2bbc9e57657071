#include "platform/controls/gridtextwrap.h"

#include <algorithm>

namespace {

bool breaksAfter(QChar c) {
    return c == u' ' || c == u'/' || c == u'\\';
}

// The paragraph cut after every break opportunity.
QStringList pieces(const QString& paragraph) {
    QStringList result;
    int start = 0;
    for (int i = 0; i < paragraph.size(); ++i) {
        if (breaksAfter(paragraph[i])) {
            result << paragraph.mid(start, i + 1 - start);
            start = i + 1;
        }
    }
    if (start < paragraph.size())
        result << paragraph.mid(start);
    return result;
}

QString withoutTrailingBlanks(const QString& text) {
    int end = int(text.size());
    while (end > 0 && text[end - 1] == u' ')
        --end;
    return text.left(end);
}

QString withoutLeadingBlanks(const QString& text) {
    int start = 0;
    while (start < text.size() && text[start] == u' ')
        ++start;
    return text.mid(start);
}

int characterLength(const QString& text, int at) {
    return text[at].isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
}

// The longest head of text that fits, never less than one character, so
// every line makes progress however narrow the cell.
int fittingLength(const QString& text, int width, const TextMeasure& measure) {
    int fit = characterLength(text, 0);
    int next = fit;
    while (next < text.size()) {
        next += characterLength(text, next);
        if (measure(text.left(next)) > width)
            break;
        fit = next;
    }
    return fit;
}

void wrapParagraph(const QString& paragraph, int width, const TextMeasure& measure,
                   QStringList& lines) {
    QString line;
    bool wrapped = false;
    for (QString piece : pieces(paragraph)) {
        while (!piece.isEmpty()) {
            if (line.isEmpty() && wrapped) {
                piece = withoutLeadingBlanks(piece);
                if (piece.isEmpty())
                    break;
            }
            const QString candidate = line + piece;
            if (measure(withoutTrailingBlanks(candidate)) <= width) {
                line = candidate;
                break;
            }
            if (!line.isEmpty()) {
                lines << withoutTrailingBlanks(line);
                line.clear();
                wrapped = true;
                continue;
            }
            const QString word = withoutTrailingBlanks(piece);
            const int length = fittingLength(word, width, measure);
            lines << word.left(length);
            piece = piece.mid(length);
            wrapped = true;
        }
    }
    if (!line.isEmpty() || !wrapped)
        lines << withoutTrailingBlanks(line);
}

} // namespace

QStringList wrapCellText(const QString& text, int width, const TextMeasure& measure) {
    const QStringList paragraphs = text.split(u'\n');
    if (width < 1)
        return paragraphs;
    QStringList lines;
    for (const QString& paragraph : paragraphs)
        wrapParagraph(paragraph, width, measure, lines);
    return lines;
}

namespace {

// The first kept characters and the last, with "..." between; a character
// made of two code units is kept whole or not at all.
QString keptEnds(const QString& text, qsizetype head, qsizetype tail) {
    if (head > 0 && text[head - 1].isHighSurrogate())
        --head;
    qsizetype tailStart = text.size() - tail;
    if (tail > 0 && text[tailStart].isLowSurrogate())
        ++tailStart;
    return text.left(head) + QStringLiteral("...") + text.mid(tailStart);
}

} // namespace

QString cutPathInMiddle(const QString& path, const std::function<bool(const QString&)>& fits) {
    if (fits(path) || path.size() < 2)
        return path;
    const qsizetype name = path.size() - std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    const auto cut = [&](qsizetype kept) {
        const qsizetype tail = std::clamp(name, kept - kept / 2, kept);
        return keptEnds(path, kept - tail, tail);
    };
    // The longest cut that fits: kept characters from 1 to all but one.
    qsizetype low = 1;
    qsizetype high = path.size() - 1;
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (fits(cut(middle)))
            low = middle;
        else
            high = middle - 1;
    }
    return cut(low);
}
