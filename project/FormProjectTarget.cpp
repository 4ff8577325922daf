#include "project/FormProjectTarget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <memory>

#include "project/ProjectDocument.h"
#include "styles/CurrentColorsWindow.h"
#include "styles/TfrmColors.h"
#include "undo/UndoStack.h"

namespace quillmap {

namespace {

using Filling = ProjectDocument::UpdatingScope;

}  // namespace

// The reader keeps writing the per-item values straight into these nodes. The model is reset
// here, so the view lays its rows out afresh once the event is over and shows those values.
// Until here a failed open has changed nothing, the unsaved mark included. From here on the
// project counts as saved, whatever the rest of the file holds, and its history starts afresh.
void FormProjectTarget::loadOutline(ItemTree& built)
{
    if (freshStart_) {
        document_.history().clear();
        document_.SetSaved(true);
    }
    auto items = std::make_unique<ItemTree>();
    items->swap(built);
    document_.model().reset(std::move(items), encoding_);
    document_.site = {};
    replacedTree_ = true;
}

void FormProjectTarget::setTargetFrame(std::string frame)
{
    const QString text = document_.model().text(frame);
    Filling filling(document_);
    options_.txtTFRAME->setText(text);
    // Entry 0 of the target list is the frame that the Target value "0" stands for.
    options_.boxTarget->setItemText(0, options_.txtTFRAME->text());
}

void FormProjectTarget::setUseTextLinks(bool use)
{
    Filling filling(document_);
    options_.chkUSETEXTLINKS->setChecked(use);
}

void FormProjectTarget::setColor(int index, Rgb color) { colors_.window().setColor(index, color); }

void FormProjectTarget::setStyle(int index, int style)
{
    Filling filling(document_);
    colors_.window().setStyle(index, style);
}

void FormProjectTarget::setSite(ProjectSite site) { document_.site = relocateSite(site, siteBase_, {}); }

void FormProjectTarget::setAutoClose(bool autoClose)
{
    Filling filling(document_);
    options_.chkAutoClose->setChecked(autoClose);
}

}  // namespace quillmap
