#include "site/TfrmSite.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>

#include "shell/EventGuard.h"
#include "text/Error.h"
#include "text/LocalText.h"
#include "text/TextFile.h"

namespace quillmap {

namespace {

QString cleanAbsolute(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

// path relative to folder, '/'-separated; empty when it lies outside (or is the folder itself).
QString insideFolder(const QString& path, const QString& folder)
{
    const QString relative = QDir(folder).relativeFilePath(cleanAbsolute(path));
    if (relative.isEmpty() || relative == QLatin1String(".") || relative == QLatin1String("..") ||
        relative.startsWith(QLatin1String("../")) || QDir::isAbsolutePath(relative))
        return {};
    return relative;
}

}  // namespace

TfrmSite::TfrmSite(const Platform& platform, QWidget* parent) : QDialog(parent), platform_(platform)
{
    setupUi(this);
    resize(width(), sizeHint().height());
    Prompts& prompts = platform_.prompts;
    connectGuarded(btnChooseSiteFolder, &QPushButton::clicked, this, prompts, [this] { btnChooseSiteFolderClick(); });
    connectGuarded(btnMenuFolder, &QPushButton::clicked, this, prompts, [this] { btnMenuFolderClick(); });
    connectGuarded(btnStartPage, &QPushButton::clicked, this, prompts, [this] { btnStartPageClick(); });
    connectGuarded(btnClearSite, &QPushButton::clicked, this, prompts, [this] { btnClearSiteClick(); });
    connect(buttonBox, &QDialogButtonBox::accepted, this, &TfrmSite::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &TfrmSite::reject);
}

void TfrmSite::showSite(const ProjectSite& site, const QString& projectFolder)
{
    projectFolder_ = projectFolder;
    chosen_ = site;
    const auto shown = [](const std::string& path) { return QDir::toNativeSeparators(QString::fromStdString(path)); };
    txtSiteFolder->setText(shown(site.siteFolder));
    // A menu folder inside the site shows as its place there; "menu" is the default.
    txtMenuFolder->setText(site.empty() || site.menuFolder == "menu" ? QString() : shown(site.menuFolder));
    chkWritePages->setChecked(site.writePages);
    txtStartPage->setText(shown(site.startPage));
    txtSiteFolder->setFocus();
}

QString TfrmSite::siteFolderOfField()
{
    const QString typed = txtSiteFolder->text().trimmed();
    QString folder = QDir::fromNativeSeparators(typed);
    if (QDir::isRelativePath(folder)) {
        if (projectFolder_.isEmpty()) {
            platform_.prompts.error(texts.fullPathNeeded);
            return {};
        }
        folder = QDir(projectFolder_).filePath(folder);
    }
    folder = cleanAbsolute(folder);
    if (!QFileInfo(folder).isDir()) {
        platform_.prompts.error(QString(texts.siteFolderMissing).replace(QStringLiteral("%1"), QDir::toNativeSeparators(folder)));
        return {};
    }
    return folder;
}

QString TfrmSite::menuFolderOfField(const QString& site) const
{
    const QString typed = QDir::fromNativeSeparators(txtMenuFolder->text().trimmed());
    return cleanAbsolute(QDir(site).filePath(typed.isEmpty() ? QStringLiteral("menu") : typed));
}

bool TfrmSite::readSite(ProjectSite& site)
{
    if (txtSiteFolder->text().trimmed().isEmpty()) {
        site = {};
        return true;
    }
    const QString siteFolder = siteFolderOfField();
    if (siteFolder.isEmpty()) return false;
    const QString menuFolder = menuFolderOfField(siteFolder);
    if (menuFolder != siteFolder && insideFolder(menuFolder, siteFolder).isEmpty()) {
        platform_.prompts.error(QString(texts.menuOutsideSite)
                                    .replace(QStringLiteral("%1"), QDir::toNativeSeparators(menuFolder))
                                    .replace(QStringLiteral("%2"), QDir::toNativeSeparators(siteFolder)));
        txtMenuFolder->setFocus();
        return false;
    }
    site = storedSite(toFilePath(siteFolder), toFilePath(menuFolder), {});
    site.writePages = chkWritePages->isChecked();
    const QString startPage = QDir::fromNativeSeparators(txtStartPage->text().trimmed());
    if (!startPage.isEmpty()) {
        const QString page = cleanAbsolute(QDir(siteFolder).filePath(startPage));
        const QString inSite = insideFolder(page, siteFolder);
        if (inSite.isEmpty()) {
            platform_.prompts.error(QString(texts.startPageOutsideSite)
                                        .replace(QStringLiteral("%1"), QDir::toNativeSeparators(page))
                                        .replace(QStringLiteral("%2"), QDir::toNativeSeparators(siteFolder)));
            txtStartPage->setFocus();
            return false;
        }
        site.startPage = inSite.toStdString();
    }
    // The same check as every build makes, so that the dialog never accepts what Build refuses.
    try {
        resolveSite(site, {});
    } catch (const Error& e) {
        platform_.prompts.error(QString::fromStdString(e.what()));
        return false;
    }
    return true;
}

void TfrmSite::accept()
{
    ProjectSite site;
    bool ok = false;
    guarded(platform_.prompts, [&] { ok = readSite(site); });
    if (!ok) return;
    chosen_ = site;
    QDialog::accept();
}

void TfrmSite::btnChooseSiteFolderClick()
{
    const QString folder = platform_.prompts.chooseFolder(texts.siteFolderTitle, txtSiteFolder->text().trimmed());
    if (!folder.isEmpty()) txtSiteFolder->setText(QDir::toNativeSeparators(folder));
}

void TfrmSite::btnMenuFolderClick()
{
    const QString site = txtSiteFolder->text().trimmed().isEmpty() ? QString() : siteFolderOfField();
    if (site.isEmpty() && !txtSiteFolder->text().trimmed().isEmpty()) return;
    const QString start = site.isEmpty() ? QString() : QDir::toNativeSeparators(menuFolderOfField(site));
    const QString folder = platform_.prompts.chooseFolder(texts.menuFolderTitle, start);
    if (folder.isEmpty()) return;
    if (site.isEmpty()) {
        // No site yet: the folder holding the menu folder is taken as the site.
        const QString menu = cleanAbsolute(folder);
        txtSiteFolder->setText(QDir::toNativeSeparators(QFileInfo(menu).path()));
        txtMenuFolder->setText(QFileInfo(menu).fileName());
        return;
    }
    const QString menu = cleanAbsolute(folder);
    const QString inSite = menu == site ? QStringLiteral(".") : insideFolder(menu, site);
    if (inSite.isEmpty()) {
        platform_.prompts.error(QString(texts.menuOutsideSite)
                                    .replace(QStringLiteral("%1"), QDir::toNativeSeparators(menu))
                                    .replace(QStringLiteral("%2"), QDir::toNativeSeparators(site)));
        return;
    }
    txtMenuFolder->setText(QDir::toNativeSeparators(inSite));
}

void TfrmSite::btnStartPageClick()
{
    const QString site = siteFolderOfField();
    if (site.isEmpty()) return;
    Prompts::FileDialogOptions options;
    options.folder = QDir::toNativeSeparators(site);
    options.filter = texts.pagesFilter;
    const QString page = platform_.prompts.openFileName(options);
    if (page.isEmpty()) return;
    const QString inSite = insideFolder(page, site);
    if (inSite.isEmpty()) {
        platform_.prompts.error(QString(texts.startPageOutsideSite)
                                    .replace(QStringLiteral("%1"), QDir::toNativeSeparators(cleanAbsolute(page)))
                                    .replace(QStringLiteral("%2"), QDir::toNativeSeparators(site)));
        return;
    }
    txtStartPage->setText(QDir::toNativeSeparators(inSite));
}

void TfrmSite::btnClearSiteClick()
{
    txtSiteFolder->clear();
    txtMenuFolder->clear();
    chkWritePages->setChecked(false);
    txtStartPage->clear();
    txtSiteFolder->setFocus();
}

}  // namespace quillmap
