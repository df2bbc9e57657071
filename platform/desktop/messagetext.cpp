#include "platform/desktop/messagetext.h"

namespace {

const QString kCut = QStringLiteral("...");

// The first count characters of text, not ending inside a character that
// takes two.
QString head(const QString& text, qsizetype count) {
    if (count > 0 && count < text.size() && text[count - 1].isHighSurrogate())
        --count;
    return text.left(count);
}

// The last count characters of text, not starting inside one that takes two.
QString tail(const QString& text, qsizetype count) {
    const qsizetype from = text.size() - count;
    if (from > 0 && from < text.size() && text[from].isLowSurrogate())
        --count;
    return text.right(count);
}

QString cutInMiddle(const QString& text, qsizetype keep, qsizetype end) {
    return head(text, keep - kCut.size() - end) + kCut + tail(text, end);
}

} // namespace

QString shortName(const QString& path) {
    if (path.size() <= kMessageNameChars)
        return path;
    // The file name with the separator before it, "/" here or "\" in a path
    // written on Windows.
    const qsizetype separator =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    const qsizetype name = separator < 0 ? 0 : path.size() - separator;
    // At least a few characters of the start say where the file lies.
    constexpr qsizetype kLeast = 12;
    if (name > 0 && name + kCut.size() + kLeast <= kMessageNameChars)
        return cutInMiddle(path, kMessageNameChars, name);
    return cutInMiddle(path, kMessageNameChars, kMessageNameChars / 2);
}

QString namedLines(const QStringList& lines, int max) {
    // Room for the name and a reason after it.
    constexpr qsizetype kLineChars = 3 * kMessageNameChars;
    QStringList named;
    for (const QString& line : lines.mid(0, max))
        named << (line.size() <= kLineChars ? line : cutInMiddle(line, kLineChars, kLineChars / 2));
    if (lines.size() > max)
        named << QStringLiteral("and %1 more").arg(lines.size() - max);
    return named.join(QLatin1Char('\n'));
}
