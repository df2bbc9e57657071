#include "checkedwrite.h"

#include <QFileDevice>

bool writeAll(QFileDevice& file, const char* data, qint64 size) {
    qint64 done = 0;
    while (done < size) {
        const qint64 wrote = file.write(data + done, size - done);
        if (wrote <= 0)
            return false;
        done += wrote;
    }
    return true;
}

QString failureReason(const QFileDevice& file, const QString& fallback) {
    const QString said = file.errorString();
    if (said.isEmpty() || said == QStringLiteral("Unknown error"))
        return fallback;
    return said;
}
