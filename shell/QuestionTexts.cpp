#include "shell/QuestionTexts.h"

#include <QCoreApplication>
#include <QHash>
#include <QTranslator>

namespace quillmap {

namespace {

// The toolkit asks its translators for the names of the keys, in the context "QShortcut"; a
// name not given is left to the toolkit.
class KeyNames : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (qstrcmp(context, "QShortcut") != 0) return {};
        return names.value(QString::fromLatin1(source));
    }
    QHash<QString, QString> names;
};

KeyNames& keyNames()
{
    static KeyNames* names = nullptr;
    if (!names) {
        names = new KeyNames;
        QCoreApplication::installTranslator(names);
    }
    return *names;
}

}  // namespace

QuestionTexts& questionTexts()
{
    static QuestionTexts texts;
    return texts;
}

void setKeyName(const QString& english, const QString& name) { keyNames().names.insert(english, name); }

void clearKeyNames() { keyNames().names.clear(); }

}  // namespace quillmap
