#pragma once

#include "platform/host/propertyvalue.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// A property bag: the values a control saves of itself, by key. Keys are
// compared without regard to case. Reading an absent key gives the default
// the reader names; writing a value equal to its default stores nothing.
//
// Its text form is ours and readable: one "key = value" per line, keys in
// lower case, "#" starts a comment line. Values are True/False, decimal
// integers, "texts" with \" \\ \n \r \t \uXXXX escapes, Picture(Type=Bitmap,
// Png="<base64 PNG bytes>") and Font(Name="...", Size=8.25, Weight=400,
// Charset=0, Italic=False, Underline=False, Strikethrough=False).
class PropertyBag {
public:
    bool contains(const QString& key) const;
    PropertyValue read(const QString& key, const PropertyValue& defaultValue) const;
    void write(const QString& key, const PropertyValue& value, const PropertyValue& defaultValue);
    // Stores the value whatever it is; a picture that is none or empty
    // removes the key, as neither has a persisted form.
    void put(const QString& key, const PropertyValue& value);
    void remove(const QString& key);

    // Keys in the order they were first written, as written.
    QStringList keys() const;
    bool isEmpty() const { return m_entries.isEmpty(); }

    // UTF-8, CR LF line ends.
    QByteArray toText() const;
    // Never fails hard: damaged text gives no bag and says what and where
    // ("line 3: ...").
    static std::optional<PropertyBag> fromText(const QByteArray& text, QString* error = nullptr);

private:
    struct Entry {
        QString key;
        PropertyValue value;
    };
    qsizetype indexOf(const QString& key) const;

    QList<Entry> m_entries;
};
