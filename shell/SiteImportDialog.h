#pragma once
// The dialog of Prompts::chooseSiteImport: the table of contents page and whether titles keep
// the ending most of them share.
#include <QDialog>

#include "shell/Platform.h"

class QCheckBox;
class QLineEdit;

namespace quillmap {

class SiteImportDialog : public QDialog {
    Q_OBJECT
public:
    SiteImportDialog(const QString& site, const Prompts::SiteImportChoice& preset, const Prompts::SiteImportTexts& texts,
                     QWidget* parent);
    Prompts::SiteImportChoice choice() const;

private:
    void pickContentsPage();

    QString site_;
    QString chooserTitle_;
    QLineEdit* contents_;
    QCheckBox* keepTitles_;
};

}  // namespace quillmap
