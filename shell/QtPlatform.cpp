#include "shell/QtPlatform.h"

#include <algorithm>
#include <utility>

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QUrl>

#include "shell/ApplicationTitle.h"
#include "shell/ListDialog.h"
#include "shell/QuestionTexts.h"
#include "shell/SiteImportDialog.h"
#include "text/DialogFilter.h"

namespace quillmap {

namespace {

QWidget* dialogParent() { return QApplication::activeWindow(); }

Prompts::Answer ask(const QString& text, QMessageBox::StandardButtons buttons, QMessageBox::StandardButton escape)
{
    const QuestionTexts& texts = questionTexts();
    QMessageBox box(QMessageBox::Question, texts.title, text, buttons, dialogParent());
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(escape);
    // Each button has its Alt letter, Cancel too.
    const std::pair<QMessageBox::StandardButton, QString> captions[] = {
        {QMessageBox::Yes, texts.yes}, {QMessageBox::No, texts.no}, {QMessageBox::Cancel, texts.cancel}};
    for (const auto& [button, caption] : captions)
        if (QAbstractButton* shown = box.button(button)) shown->setText(caption);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Prompts::Answer::Yes;
    case QMessageBox::No:
        return Prompts::Answer::No;
    default:
        return escape == QMessageBox::No ? Prompts::Answer::No : Prompts::Answer::Cancel;
    }
}

// Appears only when the operation takes longer than a moment; lets the program handle input
// (Cancel, repainting) a few times a second, which costs the operation next to nothing.
class QtProgress : public Progress {
public:
    explicit QtProgress(const QString& text) : dialog_(text, QStringLiteral("&Cancel"), 0, 0, dialogParent())
    {
        dialog_.setWindowTitle(applicationTitle());
        dialog_.setWindowModality(Qt::ApplicationModal);
        dialog_.setMinimumDuration(400);
        dialog_.setAutoReset(false);
        dialog_.setAutoClose(false);
        dialog_.setValue(0);
        sinceEvents_.start();
    }
    bool update(qint64 done, qint64 total) override
    {
        if (sinceEvents_.elapsed() < 50) return !dialog_.wasCanceled();
        sinceEvents_.restart();
        const int scale = total > 1000000 ? 1000 : 1;
        dialog_.setMaximum(static_cast<int>(total / scale));
        dialog_.setValue(static_cast<int>(std::min(done, total) / scale));
        // Until the dialog shows, the user's input waits: it must not reach the windows while
        // the operation runs.
        QCoreApplication::processEvents(dialog_.isVisible() ? QEventLoop::AllEvents
                                                            : QEventLoop::ExcludeUserInputEvents);
        return !dialog_.wasCanceled();
    }

private:
    QProgressDialog dialog_;
    QElapsedTimer sinceEvents_;
};

QString runFileDialog(const Prompts::FileDialogOptions& options, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(dialogParent());
    dialog.setAcceptMode(mode);
    // Both dialogs take a typed name whether or not such a file exists; opening a missing file
    // then ends in the reader's own "Cannot open file" error.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
    dialog.setSizeGripEnabled(true);
    QStringList filters;
    for (const std::string& f : nameFilters(options.filter.toStdString()))
        filters << QString::fromStdString(f);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.first());
    }
    dialog.setDefaultSuffix(options.defaultSuffix);
    if (!options.folder.isEmpty()) dialog.setDirectory(options.folder);
    if (!options.fileName.isEmpty()) dialog.selectFile(options.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

}  // namespace

void QtPrompts::message(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok, dialogParent());
    box.exec();
}

Prompts::Answer QtPrompts::askYesNo(const QString& text)
{
    return ask(text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
}

Prompts::Answer QtPrompts::askYesNoCancel(const QString& text)
{
    return ask(text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
}

Prompts::Answer QtPrompts::choose(const QString& text, const Choices& choices)
{
    QMessageBox box(QMessageBox::Question, questionTexts().title, text, QMessageBox::NoButton, dialogParent());
    QPushButton* yes = box.addButton(choices.yes, QMessageBox::YesRole);
    QPushButton* no = box.addButton(choices.no, QMessageBox::NoRole);
    QPushButton* cancel = choices.cancel.isEmpty() ? nullptr : box.addButton(choices.cancel, QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel ? cancel : no);
    box.exec();
    if (box.clickedButton() == yes) return Answer::Yes;
    if (box.clickedButton() == no || !cancel) return Answer::No;
    return Answer::Cancel;
}

Prompts::ListAnswer QtPrompts::actOnList(const ListQuestion& question, const std::function<void(int entry)>& remove)
{
    ListDialog dialog(question, remove, dialogParent());
    dialog.exec();
    return dialog.answer();
}

void QtPrompts::error(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, applicationTitle(), text, QMessageBox::Ok, dialogParent());
    box.exec();
}

QString QtPrompts::openFileName(const FileDialogOptions& options)
{
    return runFileDialog(options, QFileDialog::AcceptOpen);
}

QString QtPrompts::saveFileName(const FileDialogOptions& options)
{
    return runFileDialog(options, QFileDialog::AcceptSave);
}

std::optional<QColor> QtPrompts::chooseColor(const QColor& initial)
{
    const QColor chosen = QColorDialog::getColor(initial, dialogParent());
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

QString QtPrompts::chooseFolder(const QString& title, const QString& folder)
{
    return QDir::toNativeSeparators(QFileDialog::getExistingDirectory(dialogParent(), title, folder));
}

std::optional<Prompts::SiteImportChoice> QtPrompts::chooseSiteImport(const QString& site,
                                                                    const SiteImportChoice& preset,
                                                                    const SiteImportTexts& texts)
{
    SiteImportDialog dialog(site, preset, texts, dialogParent());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

std::unique_ptr<Progress> QtPrompts::showProgress(const QString& text) { return std::make_unique<QtProgress>(text); }

bool QtShell::execute(const QString& verb, const QString& file, const QString&, const QString&, int)
{
    if (verb != QLatin1String("open") && verb != QLatin1String("explore")) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::fromNativeSeparators(file)));
}

void QtBeeper::beep() { QApplication::beep(); }

}  // namespace quillmap
