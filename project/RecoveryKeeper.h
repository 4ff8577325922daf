#pragma once
// Keeps the recovery copy of the window's unsaved work up to date, writing it off the window's
// thread, and offers the copies of windows that ended out of order at the next start.
#include <QElapsedTimer>
#include <QObject>
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

    // Asks about each copy left by a window that no longer runs, the newest first, until one is
    // restored; No deletes a copy, a damaged one is set aside. restore shows the chosen project.
    // Answers whether one was restored.
    bool offerAbandonedCopies(const std::function<void(const RecoveredProject&)>& restore);
    // The work is saved or given up: the copy goes.
    void discard();

signals:
    // A copy has been written (or writing it failed).
    void copyWritten();

private:
    void schedule();
    void writeCopy();
    void writeFinished();
    bool haveCopy();
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
