#include "tree/PropertiesPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "import/RelativeLink.h"
#include "project/SiteFolders.h"
#include "shell/DialogFolder.h"
#include "shell/EventGuard.h"
#include "text/Error.h"
#include "text/LocalText.h"
#include "text/SingleLine.h"
#include "tree/CustomImages.h"
#include "tree/Tree2View.h"
#include "undo/ValueChange.h"

namespace quillmap {

namespace {

using UpdatingScope = ProjectDocument::UpdatingScope;
using ItemText = ProjectDocument::ItemText;

bool isEnterKey(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

void showEntry(QComboBox* box, int entry)
{
    box->setCurrentIndex(entry >= 0 && entry < box->count() ? entry : -1);
}


}  // namespace

QString PropertiesPanel::LastLinkFolder;

PropertiesPanel::PropertiesPanel(ProjectDocument& document, const Platform& platform, const Widgets& widgets,
                                 QString appFolder, QObject* parent)
    : QObject(parent), document_(document), platform_(platform), w_(widgets), appFolder_(std::move(appFolder))
{
    connectHandlers();
}

void PropertiesPanel::connectHandlers()
{
    auto on = [this](auto* sender, auto signal, void (PropertiesPanel::*handler)()) {
        connectGuarded(sender, signal, this, platform_.prompts, [this, handler] { (this->*handler)(); });
    };
    on(w_.txtCaption, &QLineEdit::textChanged, &PropertiesPanel::txtCaptionChange);
    on(w_.txtURL, &QLineEdit::textChanged, &PropertiesPanel::txtURLChange);
    on(w_.boxTarget, &QComboBox::currentIndexChanged, &PropertiesPanel::boxTargetChange);
    on(w_.boxOpenFolder, &QComboBox::currentIndexChanged, &PropertiesPanel::boxOpenFolderChange);
    on(w_.boxImg, &QComboBox::editTextChanged, &PropertiesPanel::boxImgChange);
    on(w_.txtTFRAME, &QLineEdit::textChanged, &PropertiesPanel::txtTFRAMEChange);
    on(w_.chkUSETEXTLINKS, &QCheckBox::toggled, &PropertiesPanel::chkUSETEXTLINKSClick);
    on(w_.chkAutoClose, &QCheckBox::toggled, &PropertiesPanel::chkAutoCloseClick);
    on(w_.btnBrowseLink, &QPushButton::clicked, &PropertiesPanel::btnBrowseLinkClick);

    connectGuarded(w_.Tree2, &Tree2View::mouseDown, this, platform_.prompts,
                   [this](Qt::MouseButton button, QPoint at) { Tree2MouseDown(button, at); });
    connectGuarded(w_.Tree2, &Tree2View::mouseUp, this, platform_.prompts,
                   [this](Qt::MouseButton button, QPoint at) { Tree2MouseUp(button, at); });
    connectGuarded(&document_.model(), &TreeModel::captionEdited, this, platform_.prompts,
                   [this](Node* node, const QString& text) { Tree2Edited(node, text); });
    connectGuarded(w_.Tree2->selectionModel(), &QItemSelectionModel::currentChanged, this, platform_.prompts,
                   [this](const QModelIndex& current, const QModelIndex&) { onCurrentChanged(current); });
    connectGuarded(&document_, &ProjectDocument::showItem, this, platform_.prompts,
                   [this](Node* node) { showChangedItem(node); });

    w_.boxImg->setCompleter(nullptr);
    for (QLineEdit* box : {w_.txtCaption, w_.txtURL, w_.txtTFRAME, w_.boxImg->lineEdit()}) box->installEventFilter(this);
    showNoItem();
}

bool PropertiesPanel::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = static_cast<QLineEdit*>(watched);
    if (event->type() == QEvent::FocusIn) textsAtFocus_[box] = box->text();
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    bool used = false;
    guarded(platform_.prompts, [&] {
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) used = cancelTyping(box);
        else if (watched == w_.txtCaption) used = txtCaptionKeyPress(key);
        else if (watched == w_.txtURL) used = txtURLKeyPress(key);
        else if (watched == w_.txtTFRAME) used = txtTFRAMEKeyPress(key);
    });
    return used;
}

Node* PropertiesPanel::selectedNode() const { return w_.Tree2->selectedNode(); }

// The panel always shows the item that edits go to, however the selection moved.
void PropertiesPanel::onCurrentChanged(const QModelIndex& current)
{
    if (Node* node = model().nodeOf(current))
        showPropertiesOf(node);
    else
        showNoItem();
}

void PropertiesPanel::showChangedItem(Node* node)
{
    if (node) {
        w_.Tree2->expandOpenFolders(node);
        w_.Tree2->selectNode(node);
        showPropertiesOf(node);
        return;
    }
    w_.Tree2->selectCurrentRow();
    if (Node* now = selectedNode())
        showPropertiesOf(now);
    else
        showNoItem();
}

void PropertiesPanel::showNoItem()
{
    {
        UpdatingScope updating(document_);
        w_.txtCaption->clear();
        w_.txtURL->clear();
        w_.boxTarget->setCurrentIndex(-1);
        w_.boxOpenFolder->setCurrentIndex(-1);
        w_.boxImg->setCurrentIndex(-1);
        w_.boxImg->setEditText(QString());
    }
    enableItemBoxes(false);
    EnableTargetChoice(false);
    EnableOpenStateChoice(false);
    EnableImageChoice(false);
    rememberTexts();
}

void PropertiesPanel::enableItemBoxes(bool on)
{
    for (QWidget* control : std::initializer_list<QWidget*>{w_.txtCaption, w_.txtURL, w_.btnBrowseLink})
        control->setEnabled(on);
}

void PropertiesPanel::rememberTexts()
{
    for (QLineEdit* box : {w_.txtCaption, w_.txtURL, w_.boxImg->lineEdit()}) textsAtFocus_[box] = box->text();
}

// Putting the text back is an edit like any other, so undo and the unsaved mark follow it.
bool PropertiesPanel::cancelTyping(QLineEdit* box)
{
    const auto kept = textsAtFocus_.constFind(box);
    if (kept != textsAtFocus_.constEnd() && box->isEnabled() && box->text() != *kept) box->setText(*kept);
    return true;
}

void PropertiesPanel::focusCaptionBox()
{
    w_.txtCaption->setFocus(Qt::OtherFocusReason);
    w_.txtCaption->selectAll();
}

// Putting an option back runs its change handler like a user's edit; the history ignores what
// that handler records.
void PropertiesPanel::recordOption(QWidget* control, const QVariant& before, const QVariant& after, bool typed)
{
    auto apply = [control](const QVariant& value) {
        if (auto* box = qobject_cast<QCheckBox*>(control))
            box->setChecked(value.toBool());
        else if (auto* line = qobject_cast<QLineEdit*>(control))
            line->setText(value.toString());
    };
    document_.recordChange(new ValueChange(control, 0, before, after, apply, typed));
}

void PropertiesPanel::ShowItemProperties(int absoluteIndex)
{
    if (Node* node = document_.tree().itemAt(absoluteIndex)) showPropertiesOf(node);
}

// A Target or OpenState that is no integer text stops the loading with the integer error; what
// was filled before stays and Updating is cleared again.
void PropertiesPanel::showPropertiesOf(Node* node)
{
    const TMyRec& record = document_.recordOf(node);
    {
        UpdatingScope updating(document_);
        w_.txtCaption->setText(model().text(node->caption));
        w_.txtURL->setText(model().text(record.URL));
        showEntry(w_.boxTarget, toInteger(record.Target));
        showEntry(w_.boxOpenFolder, toInteger(record.OpenState));
        const QString picture = model().text(record.CustomImage);
        w_.boxImg->setCurrentIndex(w_.boxImg->findText(picture, Qt::MatchExactly));
        w_.boxImg->setEditText(picture);
    }
    enableItemBoxes(true);
    rememberTexts();
    if (node->isDocument()) {
        EnableTargetChoice(true);
        EnableOpenStateChoice(false);
        EnableImageChoice(true);
    } else if (node != document_.tree().root()) {
        EnableTargetChoice(false);
        EnableImageChoice(false);
        EnableOpenStateChoice(true);
    } else {
        EnableTargetChoice(false);
        EnableImageChoice(false);
        EnableOpenStateChoice(false);
        // The root always starts open in the menu; its record keeps its own value.
        UpdatingScope updating(document_);
        w_.boxOpenFolder->setCurrentIndex(1);
    }
}

void PropertiesPanel::EnableTargetChoice(bool on)
{
    {
        UpdatingScope updating(document_);
        w_.boxTarget->setEnabled(on);
    }
    w_.lblLinkTarget->setEnabled(on);
}

void PropertiesPanel::EnableOpenStateChoice(bool on)
{
    {
        UpdatingScope updating(document_);
        w_.boxOpenFolder->setEnabled(on);
    }
    w_.lblInitialState->setEnabled(on);
}

void PropertiesPanel::EnableImageChoice(bool on)
{
    {
        UpdatingScope updating(document_);
        w_.boxImg->setEnabled(on);
    }
    w_.lblImage->setEnabled(on);
}

void PropertiesPanel::ListCustomImages(const QString& outFolder)
{
    const QSignalBlocker quiet(w_.boxImg);
    for (const std::string& name : listCustomImagesIn(toFilePath(outFolder)))
        w_.boxImg->addItem(fromFilePath(name));
    w_.boxImg->setCurrentIndex(-1);
    w_.boxImg->setEditText(QString());
}

QString PropertiesPanel::singleLineText(QLineEdit* box)
{
    const QString text = box->text();
    if (!hasLineBreak(text)) return text;
    const QString clean = singleLine(text);
    const int cursor = singleLine(text.left(box->cursorPosition())).size();
    UpdatingScope updating(document_);
    box->setText(clean);
    box->setCursorPosition(cursor);
    return clean;
}

// Leading blanks and TABs go as they are typed; the cursor stays where it was in the rest.
QString PropertiesPanel::captionBoxText()
{
    const QString text = singleLineText(w_.txtCaption);
    const QString caption = withoutLeadingBlanks(text);
    if (caption.size() == text.size()) return text;
    const qsizetype cursor = std::max<qsizetype>(0, w_.txtCaption->cursorPosition() - (text.size() - caption.size()));
    UpdatingScope updating(document_);
    w_.txtCaption->setText(caption);
    w_.txtCaption->setCursorPosition(static_cast<int>(cursor));
    return caption;
}

void PropertiesPanel::txtCaptionChange()
{
    if (document_.Updating) return;
    const QString caption = captionBoxText();
    Node* node = selectedNode();
    if (!node) return;
    const QString before = model().text(node->caption);
    model().setCaption(node, model().bytes(caption));
    document_.recordItemText(node, ItemText::Caption, before, model().text(node->caption), true);
}

void PropertiesPanel::txtURLChange()
{
    if (document_.Updating) return;
    const QString link = singleLineText(w_.txtURL);
    Node* node = selectedNode();
    if (!node) return;
    const QString before = model().text(document_.recordOf(node).URL);
    document_.recordOf(node).URL = model().bytes(link);
    document_.recordItemText(node, ItemText::Link, before, model().text(document_.recordOf(node).URL), true);
}

void PropertiesPanel::boxTargetChange()
{
    if (document_.Updating) return;
    Node* node = selectedNode();
    if (!node || w_.boxTarget->currentIndex() < 0) return;
    const QString before = model().text(document_.recordOf(node).Target);
    document_.recordOf(node).Target = std::to_string(w_.boxTarget->currentIndex());
    document_.recordItemText(node, ItemText::Target, before, model().text(document_.recordOf(node).Target), false);
}

void PropertiesPanel::boxOpenFolderChange()
{
    if (document_.Updating) return;
    Node* node = selectedNode();
    if (!node || w_.boxOpenFolder->currentIndex() < 0) return;
    const QString before = model().text(document_.recordOf(node).OpenState);
    document_.recordOf(node).OpenState = std::to_string(w_.boxOpenFolder->currentIndex());
    document_.recordItemText(node, ItemText::OpenState, before, model().text(document_.recordOf(node).OpenState), false);
}

void PropertiesPanel::boxImgChange()
{
    if (document_.Updating) return;
    const QString picture = singleLineText(w_.boxImg->lineEdit());
    Node* node = selectedNode();
    if (!node) return;
    const QString before = model().text(document_.recordOf(node).CustomImage);
    document_.recordOf(node).CustomImage = model().bytes(picture);
    document_.recordItemText(node, ItemText::Image, before, model().text(document_.recordOf(node).CustomImage), true);
}

void PropertiesPanel::txtTFRAMEChange()
{
    if (document_.Updating) return;
    const QString frame = singleLineText(w_.txtTFRAME);
    // Entry 0 of the target list always holds the frame name as it was before this edit.
    const QString before = w_.boxTarget->itemText(0);
    {
        UpdatingScope updating(document_);
        // The box goes on showing the selected document's own target.
        w_.boxTarget->setItemText(0, frame);
    }
    recordOption(w_.txtTFRAME, before, frame, true);
}

void PropertiesPanel::setTargetFrame(const QString& frame) { w_.txtTFRAME->setText(frame); }

void PropertiesPanel::chkUSETEXTLINKSClick()
{
    if (document_.Updating) return;
    recordOption(w_.chkUSETEXTLINKS, !w_.chkUSETEXTLINKS->isChecked(), w_.chkUSETEXTLINKS->isChecked(), false);
}

void PropertiesPanel::chkAutoCloseClick()
{
    if (document_.Updating) return;
    recordOption(w_.chkAutoClose, !w_.chkAutoClose->isChecked(), w_.chkAutoClose->isChecked(), false);
}

bool PropertiesPanel::txtCaptionKeyPress(QKeyEvent* event)
{
    if (!isEnterKey(event)) return false;
    w_.txtURL->setFocus(Qt::OtherFocusReason);
    return true;
}

bool PropertiesPanel::txtURLKeyPress(QKeyEvent* event)
{
    if (!isEnterKey(event)) return false;
    w_.txtCaption->setFocus(Qt::OtherFocusReason);
    return true;
}

bool PropertiesPanel::txtTFRAMEKeyPress(QKeyEvent* event)
{
    if (!isEnterKey(event)) return false;
    w_.txtCaption->setFocus(Qt::OtherFocusReason);
    return true;
}

void PropertiesPanel::Tree2MouseDown(Qt::MouseButton button, QPoint position)
{
    if (Node* node = selectedNode()) showPropertiesOf(node);
    if (button != Qt::RightButton) return;
    const QModelIndex under = w_.Tree2->indexAt(position);
    if (under.isValid())
        w_.Tree2->selectionModel()->setCurrentIndex(under, QItemSelectionModel::ClearAndSelect);
    else
        w_.Tree2->selectionModel()->clear();
}

void PropertiesPanel::Tree2MouseUp(Qt::MouseButton, QPoint position)
{
    if (w_.Tree2->indexAt(position).isValid()) w_.txtCaption->setFocus(Qt::OtherFocusReason);
}

// The model stores the caption once this has run.
void PropertiesPanel::Tree2Edited(Node* node, const QString& text)
{
    {
        UpdatingScope updating(document_);
        w_.txtCaption->setText(text);
    }
    document_.recordItemText(node, ItemText::Caption, model().text(node->caption), text, false);
}

void PropertiesPanel::btnBrowseLinkClick()
{
    // With a site folder known for the project, a file inside it is entered with its path from
    // there, as the page that shows the menu reaches it; any other file by its name.
    const QString site = siteFolderFor(document_.site, document_.ProjectFileName);
    Prompts::FileDialogOptions options;
    options.folder = !LastLinkFolder.isEmpty() ? LastLinkFolder : !site.isEmpty() ? site : dialogStartFolder(appFolder_ + "Projects");
    options.fileName.clear();
    options.filter = QStringLiteral("HTML Files|*.html;*.htm|All Files|*.*");
    options.defaultSuffix = QStringLiteral("htm");
    const QString chosen = platform_.prompts.openFileName(options);
    if (chosen.isEmpty()) return;
    const QString name = fileNameOf(chosen);
    const std::optional<std::string> path =
        site.isEmpty() ? std::nullopt : linkInsideFolder(toFilePath(chosen), toFilePath(site));
    w_.txtURL->setText(path ? QString::fromStdString(*path) : name);
    w_.txtURL->setFocus(Qt::OtherFocusReason);
    LastLinkFolder = chosen.left(chosen.size() - name.size());
}

}  // namespace quillmap
