#pragma once
// The Site dialog: the project's site folder, its menu folder, whether Build writes the menu into
// the site's marked pages, and the page Build and Test opens. "No site" empties it all.
#include <QDialog>

#include "project/ProjectSite.h"
#include "shell/Platform.h"
#include "ui_TfrmSite.h"

namespace quillmap {

class TfrmSite : public QDialog, public Ui::TfrmSite {
    Q_OBJECT
public:
    explicit TfrmSite(const Platform& platform, QWidget* parent = nullptr);

    // The texts of its choosers and refusals, replaced by the language file's.
    struct Texts {
        QString siteFolderTitle = QStringLiteral("Site folder: the folder of your pages");
        QString menuFolderTitle = QStringLiteral("Menu folder: inside the site folder");
        QString startPageTitle = QStringLiteral("Start page of Build and Test");
        QString pagesFilter = QStringLiteral("HTML Files|*.html;*.htm|All Files|*.*");
        QString fullPathNeeded = QStringLiteral("Give the site folder as a full path: the project has no folder yet.");
        QString siteFolderMissing = QStringLiteral("The site folder %1 does not exist.");  // %1 the folder
        // %1 the menu folder, %2 the site folder
        QString menuOutsideSite = QStringLiteral(
            "The menu folder %1 does not lie inside the site folder %2.\nChoose a folder inside the site folder: "
            "the menu's links are made relative to the site.");
        QString startPageOutsideSite = QStringLiteral("The start page %1 does not lie inside the site folder %2.");
    };
    Texts texts;

    // Shows site (its site folder absolute, as the window keeps it); projectFolder is where a
    // typed relative site folder is taken from (empty: the project has no file yet).
    void showSite(const ProjectSite& site, const QString& projectFolder);
    // The site as accepted: empty when cleared.
    const ProjectSite& chosenSite() const { return chosen_; }

    // OK keeps the dialog open, with the reason, while the fields do not make a site.
    void accept() override;

    void btnChooseSiteFolderClick();
    void btnMenuFolderClick();
    void btnStartPageClick();
    void btnClearSiteClick();

private:
    // The fields as a site; shows the reason and answers false when they do not make one.
    bool readSite(ProjectSite& site);
    // The absolute site folder of the field, or empty after telling why there is none.
    QString siteFolderOfField();
    QString menuFolderOfField(const QString& site) const;

    Platform platform_;
    QString projectFolder_;
    ProjectSite chosen_;
};

}  // namespace quillmap
