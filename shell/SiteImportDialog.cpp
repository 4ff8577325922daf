#include "shell/SiteImportDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/ApplicationTitle.h"

namespace quillmap {

SiteImportDialog::SiteImportDialog(const QString& site, const Prompts::SiteImportChoice& preset,
                                   const Prompts::SiteImportTexts& texts, QWidget* parent)
    : QDialog(parent), site_(site), chooserTitle_(texts.contentsName)
{
    setWindowTitle(applicationTitle());
    auto* layout = new QVBoxLayout(this);
    auto* about = new QLabel(texts.about, this);
    about->setWordWrap(true);
    layout->addWidget(about);

    auto* row = new QHBoxLayout;
    contents_ = new QLineEdit(preset.contentsPage, this);
    contents_->setAccessibleName(texts.contentsName);
    contents_->setAccessibleDescription(about->text());
    auto* pick = new QPushButton(QStringLiteral("..."), this);
    pick->setAccessibleName(texts.pickHint);
    pick->setToolTip(pick->accessibleName());
    pick->setAutoDefault(false);
    row->addWidget(contents_, 1);
    row->addWidget(pick);
    auto* label = new QLabel(texts.contentsLabel, this);
    label->setBuddy(contents_);
    layout->addWidget(label);
    layout->addLayout(row);

    keepTitles_ = new QCheckBox(texts.keepTitles, this);
    keepTitles_->setChecked(preset.keepTitles);
    keepTitles_->setToolTip(texts.keepTitlesHint);
    layout->addWidget(keepTitles_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(texts.ok);
    buttons->button(QDialogButtonBox::Cancel)->setText(texts.cancel);
    layout->addWidget(buttons);
    setTabOrder(contents_, pick);
    setTabOrder(pick, keepTitles_);
    setTabOrder(keepTitles_, buttons);

    connect(pick, &QPushButton::clicked, this, &SiteImportDialog::pickContentsPage);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    contents_->setFocus();
    resize(520, sizeHint().height());
}

Prompts::SiteImportChoice SiteImportDialog::choice() const
{
    return {contents_->text().trimmed(), keepTitles_->isChecked()};
}

// A page in the site is shown relative to it, as the field takes it.
void SiteImportDialog::pickContentsPage()
{
    const QString file = QFileDialog::getOpenFileName(
        this, chooserTitle_, site_,
        QStringLiteral("Pages (*.html *.htm *.xhtml *.shtml *.php);;All Files (*)"));
    if (file.isEmpty()) return;
    const QString relative = QDir(site_).relativeFilePath(file);
    contents_->setText(QDir::toNativeSeparators(relative.startsWith(QLatin1String("..")) ? file : relative));
    contents_->setFocus();
}

}  // namespace quillmap
