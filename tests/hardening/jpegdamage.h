#pragma once

// Damaged copies of a whole JPEG, made at run time: cut short, one bit
// flipped, or a header field broken in a way no decoder can get past.

#include <QByteArray>
#include <QList>
#include <QString>

#include <initializer_list>
#include <random>

struct DamagedCopy {
    QString name; // a file name that says what was done
    QByteArray bytes;
};

namespace jpegdamage {

inline int byteAt(const QByteArray& jpeg, qsizetype at) {
    return static_cast<unsigned char>(jpeg[at]);
}

// Where the first segment with this marker starts (its 0xFF), looking only at
// the headers before the first scan's data; -1 when there is none.
inline qsizetype findSegment(const QByteArray& jpeg, int marker) {
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && byteAt(jpeg, at) == 0xFF) {
        const int found = byteAt(jpeg, at + 1);
        if (found == marker)
            return at;
        if (found == 0xDA)
            return -1;
        at += 2 + (byteAt(jpeg, at + 2) << 8 | byteAt(jpeg, at + 3));
    }
    return -1;
}

// The first frame header, baseline or progressive.
inline qsizetype findFrame(const QByteArray& jpeg) {
    const qsizetype baseline = findSegment(jpeg, 0xC0);
    return baseline >= 0 ? baseline : findSegment(jpeg, 0xC2);
}

inline QString copyName(const QString& stem, const QString& what) {
    return stem + QLatin1Char('-') + what + QStringLiteral(".jpg");
}

// Cut at count points spread over the file, and just before and inside the
// end marker.
inline QList<DamagedCopy> truncatedCopies(const QString& stem, const QByteArray& jpeg, int count) {
    QList<qsizetype> lengths;
    for (int i = 1; i <= count; ++i)
        lengths << jpeg.size() * i / (count + 1);
    lengths << jpeg.size() - 2 << jpeg.size() - 1;
    QList<DamagedCopy> copies;
    for (const qsizetype length : lengths)
        copies.append({copyName(stem, QStringLiteral("cut-at-%1").arg(length)), jpeg.left(length)});
    return copies;
}

// One bit flipped at count places drawn from seed, anywhere past the start
// marker.
inline QList<DamagedCopy> bitFlippedCopies(const QString& stem, const QByteArray& jpeg, int count,
                                           unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<qsizetype> place(2, jpeg.size() - 1);
    std::uniform_int_distribution<int> bit(0, 7);
    QList<DamagedCopy> copies;
    for (int i = 0; i < count; ++i) {
        const qsizetype at = place(random);
        const int which = bit(random);
        QByteArray bytes = jpeg;
        bytes[at] = static_cast<char>(bytes[at] ^ (1 << which));
        copies.append({copyName(stem, QStringLiteral("flip-%1-%2").arg(at).arg(which)), bytes});
    }
    return copies;
}

// Header fields broken so that the picture cannot be decoded at all.
inline QList<DamagedCopy> headerDamagedCopies(const QString& stem, const QByteArray& jpeg) {
    QList<DamagedCopy> copies;
    // Sets the bytes from at on; nothing when they are not all in the file.
    const auto damage = [&](const char* what, qsizetype at, std::initializer_list<int> values) {
        if (at < 1 || at + static_cast<qsizetype>(values.size()) > jpeg.size())
            return;
        QByteArray bytes = jpeg;
        for (const int value : values)
            bytes[at++] = static_cast<char>(value);
        copies.append({copyName(stem, QString::fromLatin1(what)), bytes});
    };
    // Frame header: FF Cn, length(2), precision, height(2), width(2),
    // components, then id, sampling, table per component.
    const qsizetype frame = findFrame(jpeg);
    damage("no-start-marker", 1, {0x00});
    if (frame >= 0) {
        damage("frame-precision-12", frame + 4, {12});
        damage("frame-height-0", frame + 5, {0, 0});
        damage("frame-width-0", frame + 7, {0, 0});
        damage("frame-no-components", frame + 9, {0});
        damage("frame-sampling-0", frame + 11, {0x00});
        damage("frame-table-3", frame + 12, {3});
        damage("frame-lossless", frame + 1, {0xC3});
        damage("frame-length-overrun", frame + 2, {0xFF});
    }
    // Huffman table: FF C4, length(2), class and index.
    if (const qsizetype huffman = findSegment(jpeg, 0xC4); huffman >= 0)
        damage("huffman-index-15", huffman + 4, {0x1F});
    // Quantisation table: FF DB, length(2), precision and index.
    if (const qsizetype quantisation = findSegment(jpeg, 0xDB); quantisation >= 0)
        damage("quantisation-index-5", quantisation + 4, {0x05});
    // Scan header: FF DA, length(2), components, then component ids.
    qsizetype scan = -1;
    for (qsizetype at = 2; at + 1 < jpeg.size(); ++at)
        if (byteAt(jpeg, at) == 0xFF && byteAt(jpeg, at + 1) == 0xDA) {
            scan = at;
            break;
        }
    if (scan >= 0) {
        damage("scan-unknown-component", scan + 5, {0x77});
        damage("scan-made-a-comment", scan + 1, {0xFE});
    }
    return copies;
}

} // namespace jpegdamage
