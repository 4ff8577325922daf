#pragma once
// Test doubles of the platform layers: answers come from queues, everything shown is recorded.
#include <QMap>
#include <QStringList>
#include <deque>
#include <functional>
#include <utility>

#include "text/Error.h"
#include "shell/Platform.h"

namespace quillmap::test {

class FakePrompts : public Prompts {
public:
    struct Shown {
        QString kind;  // "message", "yesno", "yesnocancel", "list", "error", "open", "save", "color"
        QString text;
    };
    std::vector<Shown> shown;
    std::deque<Answer> answers;                // for every kind of question; Yes when empty
    std::vector<Choices> choices;              // the buttons of every question that names them
    std::deque<QString> fileNames;             // for open and save dialogs; cancel when empty
    std::deque<std::optional<QColor>> colors;  // for the colour chooser; cancel when empty
    std::vector<FileDialogOptions> dialogs;    // options of every file dialog shown
    std::vector<QColor> colorPresets;
    std::function<void()> whileChoosingColor;  // what the desktop does while the chooser is open
    std::deque<QString> folders;               // for the folder chooser; cancel when empty
    std::vector<ListQuestion> lists;           // every list dialog shown
    std::deque<int> listRemovals;              // entries the next list dialog removes, in turn
    ListAnswer listAnswer;                     // how the next list dialog ends; then closed again
    // Answers of the site import dialog, in turn; the preset as it is when empty.
    std::deque<std::optional<SiteImportChoice>> siteImports;
    QString siteImportOk;  // the import button's text of the last site import dialog
    // The progress dialog answers "cancelled" from this update on (counted from 1; 0: never).
    int cancelProgressAt = 0;
    int progressUpdates = 0;

    void message(const QString& text) override { shown.push_back({"message", text}); }
    Answer askYesNo(const QString& text) override { shown.push_back({"yesno", text}); return next(); }
    Answer askYesNoCancel(const QString& text) override { shown.push_back({"yesnocancel", text}); return next(); }
    // Recorded as the yes/no question it is, with or without Cancel.
    Answer choose(const QString& text, const Choices& buttons) override
    {
        shown.push_back({buttons.cancel.isEmpty() ? "yesno" : "yesnocancel", text});
        choices.push_back(buttons);
        const Answer answer = next();
        return answer == Answer::Cancel && buttons.cancel.isEmpty() ? Answer::No : answer;
    }
    ListAnswer actOnList(const ListQuestion& question, const std::function<void(int)>& remove) override
    {
        shown.push_back({"list", question.text});
        lists.push_back(question);
        for (; !listRemovals.empty(); listRemovals.pop_front()) remove(listRemovals.front());
        return std::exchange(listAnswer, ListAnswer{});
    }
    void error(const QString& text) override { shown.push_back({"error", text}); }
    QString openFileName(const FileDialogOptions& o) override { return file("open", o); }
    QString saveFileName(const FileDialogOptions& o) override { return file("save", o); }
    std::optional<QColor> chooseColor(const QColor& initial) override
    {
        shown.push_back({"color", initial.name()});
        colorPresets.push_back(initial);
        if (whileChoosingColor) whileChoosingColor();
        if (colors.empty()) return std::nullopt;
        auto c = colors.front();
        colors.pop_front();
        return c;
    }

    QString chooseFolder(const QString& title, const QString& folder) override
    {
        shown.push_back({"folder", title + "|" + folder});
        if (folders.empty()) return {};
        QString f = folders.front();
        folders.pop_front();
        return f;
    }
    std::optional<SiteImportChoice> chooseSiteImport(const QString& site, const SiteImportChoice& preset,
                                                     const SiteImportTexts& texts) override
    {
        shown.push_back({"siteimport", site + "|" + preset.contentsPage});
        siteImportOk = texts.ok;
        if (siteImports.empty()) return preset;
        const std::optional<SiteImportChoice> answer = siteImports.front();
        siteImports.pop_front();
        return answer;
    }
    std::unique_ptr<Progress> showProgress(const QString& text) override
    {
        shown.push_back({"progress", text});
        return std::make_unique<FakeProgress>(*this);
    }

    QStringList texts(const QString& kind) const
    {
        QStringList result;
        for (const auto& s : shown)
            if (s.kind == kind) result << s.text;
        return result;
    }
    void clear() { shown.clear(); dialogs.clear(); choices.clear(); lists.clear(); }

private:
    class FakeProgress : public Progress {
    public:
        explicit FakeProgress(FakePrompts& owner) : owner_(owner) {}
        bool update(qint64, qint64) override
        {
            ++owner_.progressUpdates;
            return owner_.cancelProgressAt == 0 || owner_.progressUpdates < owner_.cancelProgressAt;
        }

    private:
        FakePrompts& owner_;
    };

    Answer next()
    {
        if (answers.empty()) return Answer::Yes;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    QString file(const QString& kind, const FileDialogOptions& o)
    {
        shown.push_back({kind, o.folder + "|" + o.fileName});
        dialogs.push_back(o);
        if (fileNames.empty()) return {};
        QString f = fileNames.front();
        fileNames.pop_front();
        return f;
    }
};

class FakeShell : public Shell {
public:
    struct Call {
        QString verb, file, parameters, folder;
        int showCommand;
    };
    std::vector<Call> calls;
    bool opens = true;  // false: the system finds no program for what it is asked to open
    bool execute(const QString& verb, const QString& file, const QString& parameters, const QString& folder,
                 int showCommand) override
    {
        calls.push_back({verb, file, parameters, folder, showCommand});
        return opens;
    }
};

class FakeRegistry : public Registry {
public:
    QMap<QString, QString> values;  // "root|key|name" -> value
    bool failWrites = false;
    int writes = 0;

    static QString slot(RegistryRoot root, const QString& key, const QString& name)
    {
        return QString(root == RegistryRoot::ClassesRoot ? "HKCR" : "HKCU") + "|" + key + "|" + name;
    }
    QString read(RegistryRoot root, const QString& key, const QString& name) override
    {
        return values.value(slot(root, key, name));
    }
    void write(RegistryRoot root, const QString& key, const QString& name, const QString& value) override
    {
        if (failWrites) throw Error("Failed to set data for '" + name.toStdString() + "'");
        ++writes;
        values[slot(root, key, name)] = value;
    }
};

class FakeBeeper : public Beeper {
public:
    int beeps = 0;
    void beep() override { ++beeps; }
};

// Everything a window needs from the desktop, as doubles.
struct FakePlatform {
    FakePrompts prompts;
    FakeShell shell;
    FakeRegistry registry;
    FakeBeeper beeper;
    Platform platform() { return {prompts, shell, registry, beeper}; }
};

}  // namespace quillmap::test
