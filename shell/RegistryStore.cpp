#include "shell/RegistryStore.h"

#include <QStringList>

namespace quillmap {

namespace {

QString quoted(const QString& text)
{
    QString out = "\"";
    for (const QChar c : text) {
        if (c == '\\') out += "\\\\";
        else if (c == '"') out += "\\\"";
        else if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else out += c;
    }
    return out + '"';
}

// Reads a quoted text starting at pos (which must hold the opening quote); pos ends after the
// closing quote. False when the text is not properly quoted.
bool unquote(const QString& line, qsizetype& pos, QString& text)
{
    if (pos >= line.size() || line[pos] != '"') return false;
    text.clear();
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\') {
            if (++pos >= line.size()) return false;
            const QChar e = line[pos];
            if (e == 'r') text += '\r';
            else if (e == 'n') text += '\n';
            else text += e;
        } else {
            text += c;
        }
    }
    return false;
}

// The canonical form of a key path for comparison: single backslashes, none at either end.
QString normalizedPath(const QString& path)
{
    return path.split('\\', Qt::SkipEmptyParts).join('\\');
}

}  // namespace

RegistryStore RegistryStore::parse(const QString& text)
{
    RegistryStore store;
    QString currentKey;
    bool inKey = false;
    for (QString line : text.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        if (line.startsWith('[') && line.endsWith(']')) {
            currentKey = normalizedPath(line.mid(1, line.size() - 2));
            inKey = !currentKey.isEmpty();
            continue;
        }
        if (!inKey) continue;
        QString name;
        qsizetype pos = 0;
        if (line.startsWith('@')) {
            pos = 1;
        } else if (!unquote(line, pos, name) || name.isEmpty()) {
            continue;
        }
        QString data;
        if (pos >= line.size() || line[pos] != '=') continue;
        ++pos;
        if (!unquote(line, pos, data) || pos != line.size()) continue;
        store.setValue(currentKey, name, data);
    }
    return store;
}

QString RegistryStore::serialize() const
{
    QString text = "; Quillmap registry store: string values under HKEY_CLASSES_ROOT and HKEY_CURRENT_USER\n";
    for (const Key& key : keys_) {
        text += "\n[" + key.path + "]\n";
        for (const Value& v : key.values) text += (v.name.isEmpty() ? QString("@") : quoted(v.name)) + "=" + quoted(v.data) + "\n";
    }
    return text;
}

const RegistryStore::Key* RegistryStore::findKey(const QString& keyPath) const
{
    const QString path = normalizedPath(keyPath);
    for (const Key& key : keys_)
        if (key.path.compare(path, Qt::CaseInsensitive) == 0) return &key;
    return nullptr;
}

RegistryStore::Key* RegistryStore::findKey(const QString& keyPath)
{
    return const_cast<Key*>(static_cast<const RegistryStore*>(this)->findKey(keyPath));
}

QString RegistryStore::value(const QString& keyPath, const QString& name) const
{
    if (const Key* key = findKey(keyPath))
        for (const Value& v : key->values)
            if (v.name.compare(name, Qt::CaseInsensitive) == 0) return v.data;
    return {};
}

void RegistryStore::setValue(const QString& keyPath, const QString& name, const QString& data)
{
    Key* key = findKey(keyPath);
    if (!key) {
        keys_.append({normalizedPath(keyPath), {}});
        key = &keys_.last();
    }
    for (Value& v : key->values) {
        if (v.name.compare(name, Qt::CaseInsensitive) == 0) {
            v.data = data;
            return;
        }
    }
    key->values.append({name, data});
}

}  // namespace quillmap
