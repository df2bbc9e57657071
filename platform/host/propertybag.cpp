#include "platform/host/propertybag.h"

qsizetype PropertyBag::indexOf(const QString& key) const {
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].key.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool PropertyBag::contains(const QString& key) const {
    return indexOf(key) >= 0;
}

PropertyValue PropertyBag::read(const QString& key, const PropertyValue& defaultValue) const {
    const qsizetype i = indexOf(key);
    return i < 0 ? defaultValue : m_entries[i].value;
}

void PropertyBag::write(const QString& key, const PropertyValue& value,
                        const PropertyValue& defaultValue) {
    if (equalsDefault(value, defaultValue)) {
        remove(key);
        return;
    }
    put(key, value);
}

void PropertyBag::put(const QString& key, const PropertyValue& value) {
    if (value.isPictureWithoutImage()) {
        remove(key);
        return;
    }
    const qsizetype i = indexOf(key);
    if (i >= 0)
        m_entries[i].value = value;
    else
        m_entries.append({key, value});
}

void PropertyBag::remove(const QString& key) {
    const qsizetype i = indexOf(key);
    if (i >= 0)
        m_entries.removeAt(i);
}

QStringList PropertyBag::keys() const {
    QStringList result;
    for (const Entry& entry : m_entries)
        result.append(entry.key);
    return result;
}
