#pragma once
#include <QList>
#include <QString>

namespace quillmap {

// The contents of the registry store file: keys with their string values, in the order they were
// first written. Key paths and value names match without regard to letter case.
//
//   [HKEY_CURRENT_USER\Software\Zentavo\Quillmap_2.0]
//   "neverAsk2Associate"="YES"
//   @="the key's default value"
//
// Inside quotes, \\ \" \r and \n stand for a backslash, a quotation mark, CR and LF. Lines that
// fit no pattern are skipped when reading.
class RegistryStore {
public:
    static RegistryStore parse(const QString& text);
    QString serialize() const;

    // Empty when the key or value is missing. An empty name is the key's default value.
    QString value(const QString& keyPath, const QString& name) const;
    void setValue(const QString& keyPath, const QString& name, const QString& value);

private:
    struct Value {
        QString name;
        QString data;
    };
    struct Key {
        QString path;
        QList<Value> values;
    };
    Key* findKey(const QString& keyPath);
    const Key* findKey(const QString& keyPath) const;

    QList<Key> keys_;
};

}  // namespace quillmap
