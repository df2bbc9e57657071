#include "platform/files/hiddenname.h"

#include <QCryptographicHash>
#include <QFile>

namespace {

qsizetype nameBytes(const QString& name) {
    return QFile::encodeName(name).size();
}

} // namespace

QString cutToNameBytes(const QString& text, qsizetype maxBytes) {
    QString kept = text;
    while (!kept.isEmpty() && nameBytes(kept) > maxBytes) {
        kept.chop(1);
        // Never half of a character outside the basic plane.
        if (!kept.isEmpty() && kept.back().isHighSurrogate())
            kept.chop(1);
    }
    return kept;
}

QString hiddenSiblingName(const QString& fileName, const QString& mark, int spareBytes) {
    const QString whole = QLatin1Char('.') + fileName + mark;
    if (nameBytes(whole) + spareBytes <= kMaxNameBytes)
        return whole;
    // The same name gives the same hash in every run, so that a later write
    // finds what an earlier one left.
    const QString tag =
        QLatin1Char('~') + QString::fromLatin1(QCryptographicHash::hash(QFile::encodeName(fileName),
                                                                        QCryptographicHash::Sha1)
                                                   .toHex()
                                                   .left(8));
    const qsizetype budget = kMaxNameBytes - spareBytes - nameBytes(tag + mark) - 1;
    return QLatin1Char('.') + cutToNameBytes(fileName, budget) + tag + mark;
}
