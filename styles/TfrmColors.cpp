#include "styles/TfrmColors.h"

#include <QAction>
#include <QPushButton>

#include "shell/EventGuard.h"

#include <QHideEvent>
#include <QPointer>
#include <QTimer>
#include <exception>
#include <utility>

#include "text/ErrorReport.h"
#include "shell/ListWidth.h"
#include "shell/WindowPlacement.h"
#include "lang/LanguageWidgets.h"
#include "text/LocalText.h"
#include "styles/ColorSwatch.h"
#include "ui_TfrmColors.h"
#include "undo/ValueChange.h"

namespace quillmap {

namespace {

const QString PlacementName = QStringLiteral("ColorsWindow");

QColor toQColor(Rgb c) { return QColor(c.red, c.green, c.blue); }

Rgb toRgb(const QColor& c)
{
    const QColor rgb = c.toRgb();
    return {static_cast<std::uint8_t>(rgb.red()), static_cast<std::uint8_t>(rgb.green()),
            static_cast<std::uint8_t>(rgb.blue())};
}

}  // namespace

TfrmColors::TfrmColors(const Platform& platform, EditState& mainState, QString appFolder, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::TfrmColors>()),
      platform_(platform),
      mainState_(mainState),
      AppFolder(std::move(appFolder))
{
    ui->setupUi(this);
    setFixedSize(301, 254);
    // Close and Escape hide the window, as its close box does.
    connect(ui->btnClose, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QAction(this);
    escape->setShortcut(Qt::Key_Escape);
    escape->setShortcutContext(Qt::WindowShortcut);
    addAction(escape);
    connect(escape, &QAction::triggered, this, &QWidget::close);
    // Only the main window's closing ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);

    for (int i = 0; i < 5; ++i) {
        ColorSwatch* s = swatch(i);
        connect(s, &ColorSwatch::clicked, this, [this, s] { panBackColorClick(s); });
    }
    for (int i = 0; i < 3; ++i) {
        QComboBox* list = styleList(i);
        shownStyles_[i] = list->currentIndex();
        connect(list, &QComboBox::currentIndexChanged, this, [this, list] { boxLinkStyleChange(list); });
    }
    FormCreate();
    nameRowControls();
    fitStyleLists();
}

TfrmColors::~TfrmColors() = default;

void TfrmColors::FormCreate()
{
    mainState_.setUpdating(true);
    for (int i = 0; i < 3; ++i) styleList(i)->setCurrentIndex(0);
    mainState_.setUpdating(false);
    BuildStyleSheet();
    if (LanguageFilePresent(AppFolder)) ApplyLanguage();
}

// Style entries are replaced with the main window's Updating set; only their indexes reach the
// stylesheet, so it keeps its words.
void TfrmColors::ApplyLanguage()
{
    ApplyLanguageFile(platform_.prompts, AppFolder, [this](const LanguageFile& file) {
        struct Updating {
            EditState& state;
            explicit Updating(EditState& s) : state(s) { state.setUpdating(true); }
            ~Updating() { state.setUpdating(false); }
        } updating(mainState_);
        applyColorsWindowTexts(this, file);
        applyNewerLanguage(file, [this, &file](NewerText target, const std::string& line) {
            if (target == NewerText::btnClose) ui->btnClose->setText(decodedText(line, file.encoding()));
        });
    });
    nameRowControls();
    fitStyleLists();
}

// A list too narrow for its longest (translated) entry grows, leftwards where it would come
// closer than 5 pixels to the group's frame.
void TfrmColors::fitStyleLists()
{
    for (int i = 0; i < 3; ++i) {
        QComboBox* list = styleList(i);
        const int width = std::max(list->width(), neededListWidth(list));
        const int right = std::max(list->geometry().right() + 1, std::min(list->x() + width, ui->GroupBox1->width() - 6));
        list->setGeometry(right - width, list->y(), width, list->height());
    }
}

// Screen readers announce each swatch by its row's label, without the colon, and each style
// list by that label and the title of the styles column.
void TfrmColors::nameRowControls()
{
    const QLabel* labels[] = {ui->lblBackground, ui->lblText, ui->lblLink, ui->lblVLink, ui->lblActivatedLink};
    for (int i = 0; i < 5; ++i) {
        QString name = labels[i]->text().trimmed();
        if (name.endsWith(QLatin1Char(':'))) name.chop(1);
        swatch(i)->setAccessibleName(name);
        if (i >= 2) styleList(i - 2)->setAccessibleName(name + QStringLiteral(": ") + ui->Label2->text().trimmed());
    }
}

ColorSwatch* TfrmColors::swatch(int index) const
{
    ColorSwatch* swatches[] = {ui->panBackColor, ui->panTextColor, ui->panLinkColor, ui->panVisitedLinkColor,
                               ui->panActivatedLinkColor};
    return index >= 0 && index < 5 ? swatches[index] : nullptr;
}

QComboBox* TfrmColors::styleList(int index) const
{
    QComboBox* lists[] = {ui->boxLinkStyle, ui->boxVisitedLinkStyle, ui->boxActivatedLinkStyle};
    return index >= 0 && index < 3 ? lists[index] : nullptr;
}

MenuLook TfrmColors::look() const
{
    MenuLook look;
    look.backColor = toRgb(ui->panBackColor->color());
    look.textColor = toRgb(ui->panTextColor->color());
    look.linkColor = toRgb(ui->panLinkColor->color());
    look.visitedLinkColor = toRgb(ui->panVisitedLinkColor->color());
    look.activatedLinkColor = toRgb(ui->panActivatedLinkColor->color());
    look.linkStyle = ui->boxLinkStyle->currentIndex();
    look.visitedLinkStyle = ui->boxVisitedLinkStyle->currentIndex();
    look.activatedLinkStyle = ui->boxActivatedLinkStyle->currentIndex();
    return look;
}

void TfrmColors::setColor(int index, Rgb color)
{
    if (ColorSwatch* s = swatch(index)) s->setColor(toQColor(color));
}

void TfrmColors::setStyle(int index, int style)
{
    QComboBox* list = styleList(index);
    if (!list) return;
    list->setCurrentIndex(style >= 0 && style < list->count() ? style : -1);
}

void TfrmColors::BuildStyleSheet() { txtCSS = quillmap::BuildStyleSheet(look()); }

void TfrmColors::showCentredOver(const QWidget* mainWindow)
{
    if (!std::exchange(shownBefore_, true) && restoreWindowPosition(PlacementName, *this)) {
        show();
        raise();
        activateWindow();
        return;
    }
    const auto centre = [this, mainWindow] {
        const QRect main = mainWindow->frameGeometry();
        const QRect own = frameGeometry();
        // C++ division truncates toward zero, and the position is not kept on the screen.
        move(main.left() + (main.width() - own.width()) / 2, main.top() + (main.height() - own.height()) / 2);
    };
    centre();
    const QSize before = frameGeometry().size();
    show();
    // A window shown for the first time learns the size of its frame only now.
    if (frameGeometry().size() != before) centre();
    raise();
    activateWindow();
}

void TfrmColors::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous()) rememberWindowPosition(PlacementName, *this);
}

void TfrmColors::panBackColorClick(QObject* Sender)
{
    guarded(platform_.prompts, [&] {
        auto* clicked = qobject_cast<ColorSwatch*>(Sender);
        if (!clicked) return;
        const std::optional<QColor> chosen = platform_.prompts.chooseColor(clicked->color());
        focusAfterChooser(clicked);
        if (!chosen) return;
        const QColor before = clicked->color();
        clicked->setColor(toQColor(toRgb(*chosen)));
        BuildStyleSheet();
        mainState_.recordChange(new ValueChange(clicked, 0, before, clicked->color(), [this, clicked](const QVariant& color) {
            clicked->setColor(color.value<QColor>());
            BuildStyleSheet();
        }));
    });
}

// A window manager may hand the activation to the main window when the chooser closes, where the
// next keys would press its buttons. The keyboard goes back to the swatch, now and once the
// desktop has settled.
void TfrmColors::focusAfterChooser(QWidget* swatch)
{
    const auto comeBack = [this, target = QPointer<QWidget>(swatch)] {
        if (!isVisible() || !target) return;
        raise();
        activateWindow();
        target->setFocus(Qt::OtherFocusReason);
    };
    comeBack();
    QTimer::singleShot(0, this, comeBack);
}

void TfrmColors::boxLinkStyleChange(QObject* Sender)
{
    guarded(platform_.prompts, [&] {
        auto* list = qobject_cast<QComboBox*>(Sender);
        int before = -1;
        for (int i = 0; i < 3; ++i)
            if (styleList(i) == list) before = std::exchange(shownStyles_[i], list->currentIndex());
        if (mainState_.isUpdating()) return;
        BuildStyleSheet();
        if (!list) return;
        mainState_.recordChange(new ValueChange(list, 0, before, list->currentIndex(),
                                                [list](const QVariant& style) { list->setCurrentIndex(style.toInt()); }));
    });
}

}  // namespace quillmap
