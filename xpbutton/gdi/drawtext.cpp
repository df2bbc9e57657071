#include "xpbutton/gdi/drawtext.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
struct Glyph {
    QChar ch;
    bool underlined = false;
};
using Line = std::vector<Glyph>;

bool isSpace(const Glyph& glyph) {
    return glyph.ch == QLatin1Char(' ');
}

bool isLineEnd(QChar ch) {
    return ch == QLatin1Char('\r') || ch == QLatin1Char('\n');
}

// Drops the "&" prefixes and marks the characters they underline.
Line stripPrefixes(QStringView text, bool prefixes) {
    Line glyphs;
    bool underlineNext = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (prefixes && ch == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
                glyphs.push_back({ch, false});
                ++i;
            } else {
                underlineNext = true;
            }
            continue;
        }
        glyphs.push_back({ch, underlineNext && !isLineEnd(ch)});
        underlineNext = false;
    }
    return glyphs;
}

// Paragraphs end at CR, LF or CR LF.
std::vector<Line> splitParagraphs(const Line& glyphs) {
    std::vector<Line> paragraphs(1);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const QChar ch = glyphs[i].ch;
        if (!isLineEnd(ch)) {
            paragraphs.back().push_back(glyphs[i]);
            continue;
        }
        if (ch == QLatin1Char('\r') && i + 1 < glyphs.size() &&
            glyphs[i + 1].ch == QLatin1Char('\n'))
            ++i;
        paragraphs.emplace_back();
    }
    return paragraphs;
}

int advance(const QFontMetrics& metrics, const Glyph& glyph) {
    return metrics.horizontalAdvance(glyph.ch);
}

int lineWidth(const QFontMetrics& metrics, const Line& line) {
    int width = 0;
    for (const Glyph& glyph : line)
        width += advance(metrics, glyph);
    return width;
}

// Greedy breaking at spaces: a word with the spaces before it joins the line
// while it fits; the spaces at a break are dropped; a word that fits no line
// stands alone.
void wrapParagraph(const Line& paragraph, std::int64_t available, const QFontMetrics& metrics,
                   std::vector<Line>& lines) {
    std::size_t pos = 0;
    const std::size_t n = paragraph.size();
    bool first = true;
    while (pos < n || first) {
        if (!first) {
            while (pos < n && isSpace(paragraph[pos]))
                ++pos;
            if (pos == n)
                break;
        }
        first = false;
        Line line;
        std::int64_t width = 0;
        while (pos < n) {
            std::size_t end = pos;
            while (end < n && isSpace(paragraph[end]))
                ++end;
            while (end < n && !isSpace(paragraph[end]))
                ++end;
            std::int64_t tokenWidth = 0;
            for (std::size_t i = pos; i < end; ++i)
                tokenWidth += advance(metrics, paragraph[i]);
            if (!line.empty() && width + tokenWidth > available)
                break;
            line.insert(line.end(), paragraph.begin() + static_cast<std::ptrdiff_t>(pos),
                        paragraph.begin() + static_cast<std::ptrdiff_t>(end));
            width += tokenWidth;
            pos = end;
        }
        lines.push_back(std::move(line));
    }
}

QRect toQRect(const WinRect& rect) {
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

// The device pixels a rectangle of the text's coordinates covers.
QRect onDevice(const QRect& rect, qreal scale) {
    if (scale == 1)
        return rect;
    const QPoint topLeft(qRound(rect.left() * scale), qRound(rect.top() * scale));
    const QPoint end(qRound((rect.right() + 1) * scale), qRound((rect.bottom() + 1) * scale));
    return QRect(topLeft, end - QPoint(1, 1));
}

// Paints the lines' glyphs and underlines into an 8-bit mask of the clip
// area, then sets the masked pixels to the text colour. The layout is in the
// text's coordinates; the glyphs are drawn at the context's device pixels.
void paintLines(DeviceContext& dc, const std::vector<Line>& lines, const std::vector<int>& xs,
                int top, const QRect& textClip, const QFont& font) {
    const QFontMetrics metrics(font);
    const QRect clip = onDevice(textClip, dc.scale);
    QImage mask(clip.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.translate(-clip.left(), -clip.top());
        if (dc.scale != 1)
            painter.scale(dc.scale, dc.scale);
        for (std::size_t l = 0; l < lines.size(); ++l) {
            const int lineTop = top + static_cast<int>(l) * metrics.height();
            int x = xs[l];
            for (const Glyph& glyph : lines[l]) {
                const int width = advance(metrics, glyph);
                painter.drawText(QPoint(x, lineTop + metrics.ascent()), QString(glyph.ch));
                if (glyph.underlined && width > 1)
                    painter.fillRect(QRect(x, lineTop + metrics.ascent() + 1, width - 1, 1),
                                     Qt::black);
                x += width;
            }
        }
    }
    for (int y = 0; y < mask.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < mask.width(); ++x)
            if (qAlpha(row[x]) >= 128)
                dc.putColour(clip.left() + x, clip.top() + y, dc.textColor);
    }
}
} // namespace

QFont textFont(const DeviceContext& dc) {
    QFont font = dc.font;
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

int DrawTextExA(DeviceContext& dc, const QString& text, int count, WinRect& rect, unsigned flags,
                TextParams* params) {
    const QStringView used = count < 0 ? QStringView(text) : QStringView(text).left(count);
    if (params)
        params->lengthDrawn = static_cast<std::uint32_t>(used.size());
    if (used.isEmpty()) {
        if (flags & DT_CALCRECT) {
            rect.right = rect.left;
            rect.bottom = rect.top;
        }
        return 0;
    }
    const QFont font = textFont(dc);
    const QFontMetrics metrics(font);
    const std::int64_t average = metrics.averageCharWidth();
    const std::int64_t leftMargin = params ? params->leftMargin * average : 0;
    const std::int64_t rightMargin = params ? params->rightMargin * average : 0;
    const std::int64_t available = std::int64_t(rect.right) - rect.left - leftMargin - rightMargin;

    const Line glyphs = stripPrefixes(used, !(flags & DT_NOPREFIX));
    std::vector<Line> lines;
    if (flags & DT_SINGLELINE) {
        lines.push_back(glyphs);
    } else {
        for (const Line& paragraph : splitParagraphs(glyphs)) {
            if (flags & DT_WORDBREAK)
                wrapParagraph(paragraph, available, metrics, lines);
            else
                lines.push_back(paragraph);
        }
    }
    const int lineHeight = metrics.height();
    const int textHeight = static_cast<int>(lines.size()) * lineHeight;

    if (flags & DT_CALCRECT) {
        int widest = 0;
        for (const Line& line : lines)
            widest = std::max(widest, lineWidth(metrics, line));
        rect.right = static_cast<std::int32_t>(rect.left + leftMargin + widest + rightMargin);
        rect.bottom = rect.top + textHeight;
        return textHeight;
    }

    int top = rect.top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER)
            top = rect.top + (rect.bottom - rect.top - lineHeight) / 2;
        else if (flags & DT_BOTTOM)
            top = rect.bottom - lineHeight;
    }
    std::vector<int> xs;
    for (const Line& line : lines) {
        const std::int64_t width = lineWidth(metrics, line);
        std::int64_t x = rect.left + leftMargin;
        if (flags & DT_CENTER)
            x += (available - width) / 2;
        else if (flags & DT_RIGHT)
            x = rect.right - rightMargin - width;
        xs.push_back(static_cast<int>(x));
    }
    const qreal scale = dc.scale;
    QRect clip(0, 0, static_cast<int>(std::ceil(dc.width() / scale)),
               static_cast<int>(std::ceil(dc.height() / scale)));
    if (!(flags & DT_NOCLIP))
        clip &= toQRect(rect);
    if (!clip.isEmpty())
        paintLines(dc, lines, xs, top, clip, font);
    return textHeight;
}

QString toAnsiText(const QString& text) {
    // The characters Windows-1252 puts at 0x80..0x9F.
    static const QString extras = QStringLiteral(
        u"\u20AC\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u017D"
        u"\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u017E"
        u"\u0178");
    QString result = text;
    for (QChar& ch : result) {
        const char16_t u = ch.unicode();
        const bool held = u < 0x80 || (u >= 0xA0 && u <= 0xFF) || extras.contains(ch);
        if (!held)
            ch = QLatin1Char('?');
    }
    return result;
}
