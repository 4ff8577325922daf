#pragma once
// The main window's Properties panel and global options: loading the panel from the selected
// item, writing the user's edits back into the document, the keys of its boxes, the mouse of
// the tree, the link browse button and the list of replacement pictures.
#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>

#include "project/ProjectDocument.h"
#include "shell/Platform.h"

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quillmap {

class Tree2View;

class PropertiesPanel : public QObject {
    Q_OBJECT
public:
    struct Widgets {
        Tree2View* Tree2;
        QLineEdit* txtCaption;
        QLineEdit* txtURL;
        QComboBox* boxTarget;
        QComboBox* boxOpenFolder;
        QComboBox* boxImg;
        QPushButton* btnBrowseLink;
        QLabel* lblLinkTarget;
        QLabel* lblInitialState;
        QLabel* lblImage;
        QLineEdit* txtTFRAME;
        QCheckBox* chkUSETEXTLINKS;
        QCheckBox* chkAutoClose;
    };

    // appFolder ends with a path separator.
    PropertiesPanel(ProjectDocument& document, const Platform& platform, const Widgets& widgets, QString appFolder,
                    QObject* parent = nullptr);

    // The folder of the file last chosen with the link browse button, for the whole run.
    static QString LastLinkFolder;

    void ShowItemProperties(int absoluteIndex);
    void showPropertiesOf(Node* node);
    // Shows the item a change touched (selecting it); null shows whatever the tree selects now.
    void showChangedItem(Node* node);
    // With no item selected the item boxes are empty and disabled: nothing typed is lost.
    void showNoItem();
    // Typing right after adding an item replaces its default caption.
    void focusCaptionBox();
    void EnableTargetChoice(bool on);
    void EnableOpenStateChoice(bool on);
    void EnableImageChoice(bool on);
    // Fills the image box with the replacement pictures of the out folder.
    void ListCustomImages(const QString& outFolder);

    void txtCaptionChange();
    void txtURLChange();
    void boxTargetChange();
    void boxOpenFolderChange();
    void boxImgChange();
    void txtTFRAMEChange();
    // Sets the project's target frame as an edit of its box, one step of the history.
    void setTargetFrame(const QString& frame);
    void chkUSETEXTLINKSClick();
    void chkAutoCloseClick();
    // Each answers whether it used the key.
    bool txtCaptionKeyPress(QKeyEvent* event);
    bool txtURLKeyPress(QKeyEvent* event);
    bool txtTFRAMEKeyPress(QKeyEvent* event);
    void Tree2MouseDown(Qt::MouseButton button, QPoint position);
    void Tree2MouseUp(Qt::MouseButton button, QPoint position);
    void Tree2Edited(Node* node, const QString& text);
    void btnBrowseLinkClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectHandlers();
    void onCurrentChanged(const QModelIndex& current);
    // Records that a check box or text box of the options changed.
    void recordOption(QWidget* control, const QVariant& before, const QVariant& after, bool typed);
    // The text of a box, with any line break that was typed or pasted into it removed.
    QString singleLineText(QLineEdit* box);
    QString captionBoxText();
    Node* selectedNode() const;
    void enableItemBoxes(bool on);
    // Escape in a text box puts back the text it had when it got the focus (or when the panel
    // last showed an item in it).
    bool cancelTyping(QLineEdit* box);
    void rememberTexts();
    TreeModel& model() const { return document_.model(); }

    ProjectDocument& document_;
    Platform platform_;
    Widgets w_;
    QString appFolder_;
    QHash<QLineEdit*, QString> textsAtFocus_;
};

}  // namespace quillmap
