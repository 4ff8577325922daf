#pragma once
// Keeps the recovery copy of the window's unsaved work up to date, writing it off the window's
// thread, and offers the copies of windows that ended out of order at the next start.
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>

#include "project/RecoveryCopy.h"

namespace quillmap {

class Prompts;
class ProjectDocument;

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    // The project as the window holds it now; called on the window's thread.
    using Snapshot = std::function<RecoveredProject()>;

    // folder: where the copies go (empty: nowhere, the recovery is off).
    RecoveryKeeper(ProjectDocument& document, Prompts& prompts, std::filesystem::path folder, Snapshot snapshot,
                   QObject* parent = nullptr);
    // An orderly end: the copy goes.
    ~RecoveryKeeper() override;

    // Offers the copies left by windows that no longer run: one copy in a question, several in
    // one list to restore one of them from, or to discard some or all. A damaged copy is set
    // aside at once, one that cannot be read is left as it is; a copy that is not restored and
    // not discarded is offered again at the next start. restore shows the chosen project.
    // Answers whether one was restored.
    bool offerAbandonedCopies(const std::function<void(const RecoveredProject&)>& restore);
    // The work is saved or given up: the copy goes.
    void discard();

    // What the recovery tells the user, replaced by the language file's texts.
    struct Texts {
        // %1 the project's file with its folder, %2 when the copy was written.
        QString offer = QStringLiteral("Quillmap did not end in order. Restore the unsaved changes of %1 from %2?");
        QString newProject = QStringLiteral("a new project");  // the name of a project never saved
        // %1 the name the damaged copy is kept under.
        QString damaged =
            QStringLiteral("A recovery copy of unsaved work is damaged and is not opened. It is kept as %1.");
        QString off = QStringLiteral("Unsaved work cannot be kept for recovery (%1). The recovery is off.");  // %1 why
        // The list of several copies, its entries and its buttons.
        QString list = QStringLiteral(
            "Quillmap did not end in order, and unsaved work was left in these recovery copies. Restore opens "
            "the selected one; the others stay until you discard them.");
        QString listEntry = QStringLiteral("%1, from %2");  // as in offer
        QString listDamaged = QStringLiteral("Damaged, not opened; kept as %1");  // %1 the file kept
        QString listUnreadable = QStringLiteral("%1 (left as it is)");  // %1 why the copy cannot be read
        QString restore = QStringLiteral("&Restore");
        QString discard = QStringLiteral("&Discard");
        QString discardAll = QStringLiteral("Discard &all");
        QString notNow = QStringLiteral("Not &now");
    };
    Texts texts;

signals:
    // A copy has been written (or writing it failed).
    void copyWritten();

private:
    void schedule();
    void writeCopy();
    void writeFinished();
    bool haveCopy();
    // Shows project and makes it this window's copy before the copy at path goes.
    bool restoreCopy(const std::filesystem::path& path, const RecoveredProject& project,
                     const std::function<void(const RecoveredProject&)>& restore);
    void reportOff(const QString& reason);

    ProjectDocument& document_;
    Prompts& prompts_;
    std::filesystem::path folder_;
    Snapshot snapshot_;
    std::unique_ptr<RecoveryCopy> copy_;
    QTimer timer_;
    QElapsedTimer sinceWrite_;
    std::future<void> writing_;
    bool pending_ = false;
    bool reported_ = false;
};

}  // namespace quillmap
