#pragma once
#include <QString>
#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "project/EditState.h"
#include "shell/Platform.h"
#include "styles/StyleSheet.h"

class QComboBox;
namespace Ui {
class TfrmColors;
}

namespace quillmap {

class ColorSwatch;

// The Colors and Styles window: five colours and three link decorations of the generated menu
// page, and the stylesheet built from them. A modeless tool window; closing it only hides it.
class TfrmColors : public QWidget {
    Q_OBJECT
public:
    TfrmColors(const Platform& platform, EditState& mainState, QString appFolder, QWidget* parent = nullptr);
    ~TfrmColors() override;

    // The colours and the selected style entries (-1 for a list without a selection).
    MenuLook look() const;
    // index 0 background, 1 text, 2 link, 3 visited link, 4 activated link; others are ignored
    void setColor(int index, Rgb color);
    // index 0 link, 1 visited link, 2 activated link; a style that names no entry clears the
    // selection. The list's change handler runs as for any change (it does nothing while the main
    // window's Updating is set).
    void setStyle(int index, int style);

    // The five stylesheet lines, as of the last BuildStyleSheet.
    const std::vector<std::string>& styleSheetLines() const { return txtCSS; }
    void BuildStyleSheet();
    // Replaces the window's texts from Lang.ini.
    void ApplyLanguage();

    // Places the window over the middle of mainWindow and shows it, raising it when it is
    // already shown. Its first showing goes back to where the user last left it, if anywhere.
    void showCentredOver(const QWidget* mainWindow);

    const QString& appFolder() const { return AppFolder; }

public slots:
    void panBackColorClick(QObject* Sender);
    void boxLinkStyleChange(QObject* Sender);

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void FormCreate();
    void focusAfterChooser(QWidget* swatch);
    void nameRowControls();
    void fitStyleLists();
    ColorSwatch* swatch(int index) const;
    QComboBox* styleList(int index) const;

    std::unique_ptr<Ui::TfrmColors> ui;
    Platform platform_;
    EditState& mainState_;
    QString AppFolder;
    std::vector<std::string> txtCSS;
    // The entry each style list showed before its latest change.
    std::array<int, 3> shownStyles_{};
    bool shownBefore_ = false;
};

}  // namespace quillmap
