#include "project/RecoveryKeeper.h"

#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <vector>

#include "project/ProjectData.h"
#include "project/ProjectDocument.h"
#include "shell/Platform.h"
#include "text/Error.h"
#include "text/LocalText.h"
#include "text/TextFile.h"

namespace quillmap {

namespace {

// A copy follows a change within two seconds, and is never written more often than that: a
// large project is not written again and again while the user types.
constexpr qint64 WriteGapMs = 2000;
// Lets a burst of changes (a word typed) settle into one write.
constexpr qint64 SettleMs = 300;

// Reads a copy whole, its project too, so that a damaged one is never shown in part.
RecoveredProject readWholeCopy(const std::filesystem::path& path)
{
    RecoveredProject project = readRecoveryCopy(path);
    ProjectData data;
    ProjectDataTarget target(data);
    if (readProjectText(project.projectText, target) != ReadOutcome::Loaded)
        throw Error("The recovery copy holds no project");
    return project;
}

// The project's file with its folder, so that a copy cannot pass for another project of the
// same name, and the copy's time: %1 and %2 of the offer.
QString offerText(const QString& text, const RecoveryKeeper::Texts& texts, const RecoveredProject& project)
{
    const QString name = project.projectFile.empty() ? texts.newProject : fromFilePath(pathFromText(project.projectFile));
    const QString time =
        QLocale().toString(QDateTime::fromSecsSinceEpoch(project.writtenAt), QLocale::FormatType::ShortFormat);
    return text.arg(name, time);
}

// A copy left behind, as offered.
struct LeftCopy {
    enum class Kind { Whole, Damaged, Unreadable } kind;
    std::filesystem::path path;  // a damaged copy's after it was set aside
    RecoveredProject project;    // of a whole copy
    QString entry;               // the copy in the list
};

std::vector<LeftCopy> readLeftCopies(const std::vector<std::filesystem::path>& paths, const RecoveryKeeper::Texts& texts)
{
    std::vector<LeftCopy> left;
    for (const std::filesystem::path& path : paths) {
        try {
            RecoveredProject project = readWholeCopy(path);
            const QString entry = offerText(texts.listEntry, texts, project);
            left.push_back({LeftCopy::Kind::Whole, path, std::move(project), entry});
        } catch (const UnreadableRecoveryCopy& error) {
            left.push_back({LeftCopy::Kind::Unreadable, path, {},
                            texts.listUnreadable.arg(QString::fromStdString(error.what()))});
        } catch (const std::exception&) {
            const std::filesystem::path aside = setRecoveryCopyAside(path);
            left.push_back({LeftCopy::Kind::Damaged, aside, {}, texts.listDamaged.arg(fromFilePath(aside))});
        }
    }
    return left;
}

}  // namespace

RecoveryKeeper::RecoveryKeeper(ProjectDocument& document, Prompts& prompts, std::filesystem::path folder,
                               Snapshot snapshot, QObject* parent)
    : QObject(parent), document_(document), prompts_(prompts), folder_(std::move(folder)),
      snapshot_(std::move(snapshot))
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::writeCopy);
    connect(&document_, &ProjectDocument::changed, this, &RecoveryKeeper::schedule);
    connect(&document_, &ProjectDocument::savedChanged, this, [this](bool saved) {
        if (saved) discard();
        else schedule();
    });
}

RecoveryKeeper::~RecoveryKeeper()
{
    if (writing_.valid()) writing_.wait();
}

void RecoveryKeeper::schedule()
{
    if (document_.Saved || timer_.isActive()) return;
    if (writing_.valid()) {
        pending_ = true;
        return;
    }
    const qint64 sinceLast = sinceWrite_.isValid() ? sinceWrite_.elapsed() : WriteGapMs;
    timer_.start(static_cast<int>(std::max(SettleMs, WriteGapMs - sinceLast)));
}

bool RecoveryKeeper::haveCopy()
{
    if (copy_) return true;
    try {
        if (folder_.empty()) throw Error("no folder for user data is known");
        copy_ = std::make_unique<RecoveryCopy>(folder_);
        return true;
    } catch (const std::exception& error) {
        reportOff(QString::fromStdString(error.what()));
        return false;
    }
}

void RecoveryKeeper::writeCopy()
{
    if (document_.Saved) return;
    if (writing_.valid()) {
        pending_ = true;
        return;
    }
    if (!haveCopy()) return;
    // The project text is made here, where the project lives; only the writing leaves the thread.
    RecoveredProject project = snapshot_();
    sinceWrite_.start();
    writing_ = std::async(std::launch::async, [this, copy = copy_.get(), project = std::move(project)] {
        try {
            copy->write(project);
        } catch (...) {
            QMetaObject::invokeMethod(this, &RecoveryKeeper::writeFinished, Qt::QueuedConnection);
            throw;
        }
        QMetaObject::invokeMethod(this, &RecoveryKeeper::writeFinished, Qt::QueuedConnection);
    });
}

void RecoveryKeeper::writeFinished()
{
    // discard() has waited for this write already.
    if (!writing_.valid()) return;
    try {
        writing_.get();
    } catch (const std::exception& error) {
        reportOff(QString::fromStdString(error.what()));
    }
    emit copyWritten();
    if (pending_) {
        pending_ = false;
        schedule();
    }
}

void RecoveryKeeper::discard()
{
    timer_.stop();
    pending_ = false;
    if (writing_.valid()) {
        writing_.wait();
        try {
            writing_.get();
        } catch (...) {
            // The copy is removed anyway.
        }
    }
    if (copy_) copy_->remove();
}

void RecoveryKeeper::reportOff(const QString& reason)
{
    if (reported_) return;
    reported_ = true;
    prompts_.message(texts.off.arg(reason));
}

bool RecoveryKeeper::offerAbandonedCopies(const std::function<void(const RecoveredProject&)>& restore)
{
    if (folder_.empty()) return false;
    std::vector<LeftCopy> left;
    try {
        left = readLeftCopies(abandonedRecoveryCopies(folder_), texts);
    } catch (const std::exception& error) {
        reportOff(QString::fromStdString(error.what()));
        return false;
    }
    if (left.size() == 1 && left[0].kind == LeftCopy::Kind::Damaged) {
        prompts_.message(texts.damaged.arg(fromFilePath(left[0].path)));
        return false;
    }
    if (left.size() == 1 && left[0].kind == LeftCopy::Kind::Whole) {
        if (prompts_.askYesNo(offerText(texts.offer, texts, left[0].project)) == Prompts::Answer::Yes)
            return restoreCopy(left[0].path, left[0].project, restore);
        discardRecoveryCopy(left[0].path);
        return false;
    }
    if (left.empty()) return false;

    Prompts::ListQuestion question{texts.list, {}, {}, texts.restore, texts.discard, texts.discardAll, texts.notNow};
    for (const LeftCopy& copy : left) {
        question.entries << copy.entry;
        question.takeable << (copy.kind == LeftCopy::Kind::Whole);
    }
    std::vector<bool> discarded(left.size(), false);
    const auto discard = [&](int entry) {
        if (entry < 0 || static_cast<std::size_t>(entry) >= left.size()) return;
        discardRecoveryCopy(left[entry].path);
        discarded[entry] = true;
    };
    const Prompts::ListAnswer answer = prompts_.actOnList(question, discard);
    switch (answer.action) {
    case Prompts::ListAnswer::Action::RemoveAll:
        for (std::size_t i = 0; i < left.size(); ++i) discard(static_cast<int>(i));
        return false;
    case Prompts::ListAnswer::Action::Take: {
        const auto entry = static_cast<std::size_t>(answer.entry);
        if (answer.entry < 0 || entry >= left.size() || discarded[entry] || left[entry].kind != LeftCopy::Kind::Whole)
            return false;
        return restoreCopy(left[entry].path, left[entry].project, restore);
    }
    case Prompts::ListAnswer::Action::Close:
        break;
    }
    return false;
}

bool RecoveryKeeper::restoreCopy(const std::filesystem::path& path, const RecoveredProject& project,
                                 const std::function<void(const RecoveredProject&)>& restore)
{
    restore(project);
    // The old copy goes only once this window's own copy holds the work.
    if (!haveCopy()) return true;
    timer_.stop();
    RecoveredProject now = snapshot_();
    try {
        copy_->write(now);
    } catch (const std::exception& error) {
        reportOff(QString::fromStdString(error.what()));
        return true;
    }
    sinceWrite_.start();
    discardRecoveryCopy(path);
    return true;
}

}  // namespace quillmap
