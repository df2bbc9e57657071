#pragma once

// What must hold for the readers of outside data, whatever bytes they get.
// Shared by the fuzz targets (which abort on a broken promise) and the
// hardening tests (which replay the seed corpus and every input the fuzzers
// ever broke). Each check returns what went wrong, or an empty text.

#include "platform/files/textfile.h"
#include "platform/host/propertybag.h"
#include "selection/order/projectfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUtf8StringView>

namespace readerchecks {

// As many as the selection holds.
constexpr int kMaxRecords = 999;

inline QByteArray withoutByteOrderMark(const QByteArray& bytes) {
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
}

// Valid UTF-8 comes back byte for byte; anything else is read one character
// per byte, so no byte is lost or made up.
inline QString checkTextDecoder(const QByteArray& bytes) {
    const QString text = decodeText(bytes);
    if (QUtf8StringView(bytes).isValidUtf8()) {
        if (text.toUtf8() != withoutByteOrderMark(bytes))
            return QStringLiteral("valid UTF-8 did not decode to the same text");
        return {};
    }
    if (text.size() != bytes.size())
        return QStringLiteral("%1 bytes of Windows-1252 decoded to %2 characters")
            .arg(bytes.size())
            .arg(text.size());
    return {};
}

// A file that reads is consistent, and whatever it held, its framing too, is
// written back so that it reads the same again.
inline QString checkProjectReader(const QByteArray& bytes) {
    const ProjectRead read = readProjectText(decodeText(bytes), kMaxRecords);
    if (!read.ok()) {
        if (!read.records.isEmpty() || read.leftOut != 0)
            return QStringLiteral("a refused file still handed out records");
        return {};
    }
    if (read.records.size() > kMaxRecords || read.leftOut < 0 || read.count < 0)
        return QStringLiteral("the records are out of bounds");
    if (read.leftOut > 0 && read.records.size() != kMaxRecords)
        return QStringLiteral("records were left out before the selection was full");
    // A damaged framing block is left out whole.
    if (!read.framingError.isEmpty())
        for (const ProjectRecord& record : read.records)
            if (!record.framing.isDefault())
                return QStringLiteral("a damaged framing block still framed a record");
    // A double quote cannot be stored; rows whose three texts are all empty
    // at the very end are indistinguishable from blank lines.
    if (firstUnstorableRecord(read.records) >= 0)
        return {};
    if (!read.records.isEmpty()) {
        const ProjectRecord& last = read.records.last();
        if (last.file.isEmpty() && last.copies.isEmpty() && last.size.isEmpty())
            return {};
    }
    const ProjectRead again =
        readProjectText(decodeText(projectFileBytes(read.records)), kMaxRecords);
    if (!again.ok())
        return QStringLiteral("the written file cannot be read: ") + again.error;
    if (again.records != read.records || again.leftOut != 0 || again.count != read.records.size())
        return QStringLiteral("the written file reads differently");
    return {};
}

// A bag that reads is written in a form that reads to the same bag, and that
// form is stable.
inline QString checkPropertyBagReader(const QByteArray& bytes) {
    QString error;
    const std::optional<PropertyBag> bag = PropertyBag::fromText(bytes, &error);
    if (!bag) {
        if (!error.startsWith(QStringLiteral("line ")))
            return QStringLiteral("a refused bag does not say where: ") + error;
        return {};
    }
    if (!error.isEmpty())
        return QStringLiteral("a bag that reads still reports an error");
    const QByteArray text = bag->toText();
    const std::optional<PropertyBag> again = PropertyBag::fromText(text, &error);
    if (!again)
        return QStringLiteral("the written bag cannot be read: ") + error;
    // Keys are written in lower case and compared without regard to it.
    QStringList keys = bag->keys();
    for (QString& key : keys)
        key = key.toLower();
    if (again->keys() != keys)
        return QStringLiteral("the written bag has other keys");
    if (again->toText() != text)
        return QStringLiteral("the written form of the bag is not stable");
    return {};
}

} // namespace readerchecks
