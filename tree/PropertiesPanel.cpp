// The main window's Properties panel: loading it from the selected item, the handlers that write
// the user's edits back, the global options, the keys and mouse of the panel and the tree, the
// link browse button and the list of replacement pictures.
#include <QKeyEvent>
#include <QSignalBlocker>
#include <algorithm>

#include "text/LocalText.h"
#include "text/Error.h"
#include "text/SingleLine.h"
#include "app/TForm1.h"
#include "tree/CustomImages.h"

namespace quillmap {

namespace {

bool isEnterKey(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

void showEntry(QComboBox* box, int entry)
{
    box->setCurrentIndex(entry >= 0 && entry < box->count() ? entry : -1);
}


}  // namespace

void TForm1::connectPropertyHandlers()
{
    auto on = [this](auto* sender, auto signal, void (TForm1::*handler)()) {
        connect(sender, signal, this, [this, handler] { guard([&] { (this->*handler)(); }); });
    };
    on(txtCaption, &QLineEdit::textChanged, &TForm1::txtCaptionChange);
    on(txtURL, &QLineEdit::textChanged, &TForm1::txtURLChange);
    on(boxTarget, &QComboBox::currentIndexChanged, &TForm1::boxTargetChange);
    on(boxOpenFolder, &QComboBox::currentIndexChanged, &TForm1::boxOpenFolderChange);
    on(boxImg, &QComboBox::editTextChanged, &TForm1::boxImgChange);
    on(txtTFRAME, &QLineEdit::textChanged, &TForm1::txtTFRAMEChange);
    on(chkUSETEXTLINKS, &QCheckBox::toggled, &TForm1::chkUSETEXTLINKSClick);
    on(chkAutoClose, &QCheckBox::toggled, &TForm1::chkAutoCloseClick);
    on(btnBrowseLink, &QPushButton::clicked, &TForm1::btnBrowseLinkClick);

    connect(Tree2, &Tree2View::mouseDown, this,
            [this](Qt::MouseButton button, QPoint at) { guard([&] { Tree2MouseDown(button, at); }); });
    connect(Tree2, &Tree2View::mouseUp, this,
            [this](Qt::MouseButton button, QPoint at) { guard([&] { Tree2MouseUp(button, at); }); });
    connect(model_, &TreeModel::captionEdited, this,
            [this](Node* node, const QString& text) { guard([&] { Tree2Edited(node, text); }); });
    connect(Tree2->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { guard([&] { onCurrentChanged(current); }); });

    boxImg->setCompleter(nullptr);
    for (QLineEdit* box : {txtCaption, txtURL, txtTFRAME}) box->installEventFilter(this);
}

// The panel always shows the item that edits go to, however the selection moved.
void TForm1::onCurrentChanged(const QModelIndex& current)
{
    if (Node* node = model_->nodeOf(current)) showPropertiesOf(node);
}

TMyRec& TForm1::recordOf(Node* node)
{
    if (!node->record())
        node->setRecord(std::make_unique<TMyRec>(node->isDocument() ? TMyRec::documentDefaults()
                                                                    : TMyRec::folderDefaults()));
    return *node->record();
}

void TForm1::ShowItemProperties(int absoluteIndex)
{
    if (Node* node = tree().itemAt(absoluteIndex)) showPropertiesOf(node);
}

// A Target or OpenState that is no integer text stops the loading with the integer error; what
// was filled before stays and Updating is cleared again.
void TForm1::showPropertiesOf(Node* node)
{
    const TMyRec& record = recordOf(node);
    {
        UpdatingScope updating(*this);
        txtCaption->setText(model_->text(node->caption));
        txtURL->setText(model_->text(record.URL));
        showEntry(boxTarget, toInteger(record.Target));
        showEntry(boxOpenFolder, toInteger(record.OpenState));
        const QString picture = model_->text(record.CustomImage);
        boxImg->setCurrentIndex(boxImg->findText(picture, Qt::MatchExactly));
        boxImg->setEditText(picture);
    }
    if (node->isDocument()) {
        EnableTargetChoice(true);
        EnableOpenStateChoice(false);
        EnableImageChoice(true);
    } else if (node != tree().root()) {
        EnableTargetChoice(false);
        EnableImageChoice(false);
        EnableOpenStateChoice(true);
    } else {
        EnableTargetChoice(false);
        EnableImageChoice(false);
        EnableOpenStateChoice(false);
        // The root always starts open in the menu; its record keeps its own value.
        UpdatingScope updating(*this);
        boxOpenFolder->setCurrentIndex(1);
    }
}

void TForm1::EnableTargetChoice(bool on)
{
    {
        UpdatingScope updating(*this);
        boxTarget->setEnabled(on);
    }
    lblLinkTarget->setEnabled(on);
}

void TForm1::EnableOpenStateChoice(bool on)
{
    {
        UpdatingScope updating(*this);
        boxOpenFolder->setEnabled(on);
    }
    lblInitialState->setEnabled(on);
}

void TForm1::EnableImageChoice(bool on)
{
    {
        UpdatingScope updating(*this);
        boxImg->setEnabled(on);
    }
    lblImage->setEnabled(on);
}

void TForm1::ListCustomImages()
{
    const QSignalBlocker quiet(boxImg);
    for (const std::string& name : listCustomImages(toFilePath(AppFolder)))
        boxImg->addItem(fromFilePath(name));
    boxImg->setCurrentIndex(-1);
    boxImg->setEditText(QString());
}

QString TForm1::singleLineText(QLineEdit* box)
{
    const QString text = box->text();
    if (!hasLineBreak(text)) return text;
    const QString clean = singleLine(text);
    const int cursor = singleLine(text.left(box->cursorPosition())).size();
    UpdatingScope updating(*this);
    box->setText(clean);
    box->setCursorPosition(cursor);
    return clean;
}

// Leading blanks and TABs go as they are typed; the cursor stays where it was in the rest.
QString TForm1::captionBoxText()
{
    const QString text = singleLineText(txtCaption);
    const QString caption = withoutLeadingBlanks(text);
    if (caption.size() == text.size()) return text;
    const qsizetype cursor = std::max<qsizetype>(0, txtCaption->cursorPosition() - (text.size() - caption.size()));
    UpdatingScope updating(*this);
    txtCaption->setText(caption);
    txtCaption->setCursorPosition(static_cast<int>(cursor));
    return caption;
}

void TForm1::txtCaptionChange()
{
    if (Updating) return;
    const QString caption = captionBoxText();
    Node* node = selectedNode();
    if (!node) return;
    const QString before = model_->text(node->caption);
    model_->setCaption(node, model_->bytes(caption));
    recordItemText(node, ItemText::Caption, before, model_->text(node->caption), true);
}

void TForm1::txtURLChange()
{
    if (Updating) return;
    const QString link = singleLineText(txtURL);
    Node* node = selectedNode();
    if (!node) return;
    const QString before = model_->text(recordOf(node).URL);
    recordOf(node).URL = model_->bytes(link);
    recordItemText(node, ItemText::Link, before, model_->text(recordOf(node).URL), true);
}

void TForm1::boxTargetChange()
{
    if (Updating) return;
    Node* node = selectedNode();
    if (!node || boxTarget->currentIndex() < 0) return;
    const QString before = model_->text(recordOf(node).Target);
    recordOf(node).Target = std::to_string(boxTarget->currentIndex());
    recordItemText(node, ItemText::Target, before, model_->text(recordOf(node).Target), false);
}

void TForm1::boxOpenFolderChange()
{
    if (Updating) return;
    Node* node = selectedNode();
    if (!node || boxOpenFolder->currentIndex() < 0) return;
    const QString before = model_->text(recordOf(node).OpenState);
    recordOf(node).OpenState = std::to_string(boxOpenFolder->currentIndex());
    recordItemText(node, ItemText::OpenState, before, model_->text(recordOf(node).OpenState), false);
}

void TForm1::boxImgChange()
{
    if (Updating) return;
    const QString picture = singleLineText(boxImg->lineEdit());
    Node* node = selectedNode();
    if (!node) return;
    const QString before = model_->text(recordOf(node).CustomImage);
    recordOf(node).CustomImage = model_->bytes(picture);
    recordItemText(node, ItemText::Image, before, model_->text(recordOf(node).CustomImage), true);
}

void TForm1::txtTFRAMEChange()
{
    if (Updating) return;
    const QString frame = singleLineText(txtTFRAME);
    // Entry 0 of the target list always holds the frame name as it was before this edit.
    const QString before = boxTarget->itemText(0);
    {
        UpdatingScope updating(*this);
        boxTarget->setItemText(0, frame);
        boxTarget->setCurrentIndex(0);
    }
    recordOption(txtTFRAME, before, frame, true);
}

void TForm1::chkUSETEXTLINKSClick()
{
    if (Updating) return;
    recordOption(chkUSETEXTLINKS, !chkUSETEXTLINKS->isChecked(), chkUSETEXTLINKS->isChecked(), false);
}

void TForm1::chkAutoCloseClick()
{
    if (Updating) return;
    recordOption(chkAutoClose, !chkAutoClose->isChecked(), chkAutoClose->isChecked(), false);
}

bool TForm1::txtCaptionKeyPress(QKeyEvent* event)
{
    if (!isEnterKey(event)) return false;
    txtURL->setFocus(Qt::OtherFocusReason);
    return true;
}

bool TForm1::txtURLKeyPress(QKeyEvent* event)
{
    if (!isEnterKey(event)) return false;
    txtCaption->setFocus(Qt::OtherFocusReason);
    return true;
}

bool TForm1::txtTFRAMEKeyPress(QKeyEvent* event)
{
    if (!isEnterKey(event)) return false;
    txtCaption->setFocus(Qt::OtherFocusReason);
    return true;
}

void TForm1::Tree2MouseDown(Qt::MouseButton button, QPoint position)
{
    if (Node* node = selectedNode()) showPropertiesOf(node);
    if (button != Qt::RightButton) return;
    const QModelIndex under = Tree2->indexAt(position);
    if (under.isValid())
        Tree2->selectionModel()->setCurrentIndex(under, QItemSelectionModel::ClearAndSelect);
    else
        Tree2->selectionModel()->clear();
}

void TForm1::Tree2MouseUp(Qt::MouseButton, QPoint position)
{
    if (Tree2->indexAt(position).isValid()) txtCaption->setFocus(Qt::OtherFocusReason);
}

// The model stores the caption once this has run.
void TForm1::Tree2Edited(Node* node, const QString& text)
{
    {
        UpdatingScope updating(*this);
        txtCaption->setText(text);
    }
    recordItemText(node, ItemText::Caption, model_->text(node->caption), text, false);
}

void TForm1::btnBrowseLinkClick()
{
    Prompts::FileDialogOptions options;
    options.folder = LastLinkFolder.isEmpty() ? AppFolder + QStringLiteral("Projects") : LastLinkFolder;
    options.fileName.clear();
    options.filter = QStringLiteral("HTML Files|*.html;*.htm|All Files|*.*");
    options.defaultSuffix = QStringLiteral("htm");
    const QString chosen = platform_.prompts.openFileName(options);
    if (chosen.isEmpty()) return;
    const QString name = fileNameOf(chosen);
    txtURL->setText(name);
    txtURL->setFocus(Qt::OtherFocusReason);
    LastLinkFolder = chosen.left(chosen.size() - name.size());
}

}  // namespace quillmap
