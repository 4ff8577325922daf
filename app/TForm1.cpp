#include "app/TForm1.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QFont>
#include <QKeyEvent>
#include <QAction>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "app/GroupTitleStyle.h"
#include "generator/HelpText.h"
#include "generator/MenuBuild.h"
#include "import/ImportCommands.h"
#include "import/LinkCheckCommands.h"
#include "lang/LanguageWidgets.h"
#include "project/ProjectFiles.h"
#include "project/RecoveryKeeper.h"
#include "shell/QuestionTexts.h"
#include "shell/ApplicationTitle.h"
#include "shell/ListWidth.h"
#include "shell/Pictures.h"
#include "shell/StatusLine.h"
#include "shell/WindowPlacement.h"
#include "site/SiteCommands.h"
#include "styles/TfrmColors.h"
#include "text/DataFolder.h"
#include "text/LocalText.h"
#include "text/TextFile.h"
#include "tree/ItemCommands.h"
#include "tree/PropertiesPanel.h"

namespace quillmap {

namespace {

constexpr int DesignedWidth = 582;
constexpr int DesignedHeight = 452;
constexpr int MinimumWindowWidth = 446;
// Down to this height (frame included) every control stays on the window: the help text shrinks
// and finally goes, the Help button stays at the bottom below the build buttons.
constexpr int MinimumWindowHeight = 390;
constexpr int HelpTop = 328;
constexpr int HelpButtonGap = 4;
// A help text lower than this is not worth showing.
constexpr int SmallestHelpText = 30;

// The window font of the design, MS Sans Serif at 8 points (11 pixels), and the Help button's
// Times New Roman, with look-alikes where those fonts are missing.
void registerFontSubstitutes()
{
    static const bool done = [] {
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                                    QStringLiteral("Arial"), QStringLiteral("DejaVu Sans Condensed"),
                                    QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                                   {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
        return true;
    }();
    (void)done;
}

std::filesystem::path recoveryFolder()
{
    const std::filesystem::path data = quillmapDataFolder();
    return data.empty() ? data : data / "recovery";
}

bool sameFile(const QString& a, const QString& b)
{
    std::error_code ec;
    return !a.isEmpty() && !b.isEmpty() && std::filesystem::equivalent(toFilePath(a), toFilePath(b), ec);
}

QString withTrailingSeparator(QString folder)
{
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('/');
    return folder;
}

}  // namespace

TForm1::TForm1(const Platform& platform, QString appFolder, QStringList arguments, QWidget* parent)
    : QWidget(parent), AppFolder(withTrailingSeparator(std::move(appFolder))), platform_(platform),
      arguments_(std::move(arguments)), document_(new ProjectDocument(this)),
      colors_(platform_, *document_, AppFolder, this)
{
    setupUi(this);
    // The question boxes and key names are the program's: a window starts them in English.
    questionTexts() = QuestionTexts();
    clearKeyNames();
    try {
        startOutFolder_ = OutFolder();
    } catch (const std::exception&) {
        // The first Build reports it, with the reason.
        startOutFolder_ = fromFilePath(OutFolderOf(toFilePath(AppFolder)));
    }
    setUpLook();
    Tree2->setModel(&document_->model());
    createParts();
    connectButtons();
    setUpShortcuts();

    for (QWidget* w : std::initializer_list<QWidget*>{btnAddFolder, btnAddDoc, btnRemove, GroupBox1, GroupBox2,
                                                      GroupBox3, btnBuild_Test, btnBuild, btnBrowseOUT, panelHelp,
                                                      btnMoreHelp})
        rightColumn_.emplace_back(w, w->pos());

    FormCreate();
    placementRestored_ = restoreWindowGeometry(QStringLiteral("MainWindow"), *this);
    if (!placementRestored_) centreOnDesktop();
}

// The child widgets outlive the parts; none of their last signals may reach them.
TForm1::~TForm1()
{
    for (QObject* part : std::initializer_list<QObject*>{properties_, items_, files_, imports_, linkChecks_, document_}) {
        if (Tree2->selectionModel()) disconnect(Tree2->selectionModel(), nullptr, part, nullptr);
        disconnect(Tree2, nullptr, part, nullptr);
        disconnect(&document_->model(), nullptr, part, nullptr);
    }
}

void TForm1::createParts()
{
    const OptionBoxes options{txtTFRAME, boxTarget, chkUSETEXTLINKS, chkAutoClose};
    properties_ = new PropertiesPanel(*document_, platform_,
                                      {Tree2, txtCaption, txtURL, boxTarget, boxOpenFolder, boxImg, btnBrowseLink,
                                       lblLinkTarget, lblInitialState, lblImage, txtTFRAME, chkUSETEXTLINKS,
                                       chkAutoClose},
                                      AppFolder, this);
    items_ = new ItemCommands(*document_, platform_, messages, *properties_,
                              {Tree2, btnAddFolder, btnAddDoc, btnRemove}, this);
    files_ = new ProjectFiles(*document_, platform_, messages, {*items_, *properties_, colors_},
                              {Tree2, btnNew, btnOPEN, btnSAVE, options}, AppFolder, this);
    imports_ = new ImportCommands(*document_, platform_, *properties_, Tree2, AppFolder, this);
    linkChecks_ = new LinkCheckCommands(*document_, platform_, *properties_, Tree2, this);
    items_->setFurtherMenuEntries(linkChecks_->menuEntries() + imports_->menuEntries());
    mnuRegister = new QAction(QStringLiteral("Open .qmp files with Quillmap..."), this);
    mnuRegister->setObjectName(QStringLiteral("mnuRegister"));
    connectGuarded(mnuRegister, &QAction::triggered, this, platform_.prompts, [this] { mnuRegisterClick(); });
    site_ = new SiteCommands(*document_, platform_, this);
    files_->recent().setFurtherMenuEntries(QList<QAction*>{site_->mnuSite} + linkChecks_->openMenuEntries() +
                                           imports_->menuEntries() << mnuRegister);
    // Ctrl+L and the Site dialog's key anywhere in the window.
    addActions(linkChecks_->openMenuEntries());
    addAction(site_->mnuSite);
    recovery_ = new RecoveryKeeper(*document_, platform_.prompts, recoveryFolder(), [this] { return recoverySnapshot(); },
                                   this);

    lblStatus = new StatusLine(this);
    connect(document_, &ProjectDocument::savedChanged, this, &TForm1::showSaved);
    connect(files_, &ProjectFiles::fileNameChanged, this, &TForm1::showFileName);
}

RecoveredProject TForm1::recoverySnapshot() const
{
    RecoveredProject project;
    const QString& file = document_->ProjectFileName;
    if (!file.isEmpty()) {
        project.projectFile = pathText(toFilePath(file));
        project.baseline = files_->diskBaseline();
    }
    project.writtenAt = QDateTime::currentSecsSinceEpoch();
    project.projectText = files_->projectTextNow();
    return project;
}

TfrmColors& TForm1::frmColors() const { return colors_.window(); }

void TForm1::setUpLook()
{
    registerFontSubstitutes();
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPixelSize(11);
    setFont(windowFont);
    QFont helpFont(QStringLiteral("Times New Roman"));
    helpFont.setPixelSize(15);
    helpFont.setBold(true);
    btnMoreHelp->setFont(helpFont);
    auto* groupStyle = new GroupTitleStyle;
    groupStyle->setParent(this);
    for (QGroupBox* group : {GroupBox1, GroupBox2, GroupBox3}) group->setStyle(groupStyle);
    placeLabels();
    // Enter presses the focused button, as Space does.
    for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(true);
    // The two lists show no choice until the first item is shown.
    boxTarget->setCurrentIndex(-1);
    boxOpenFolder->setCurrentIndex(-1);

    setWindowIcon(pictures::windowIcon());
    btnAddFolder->setIcon(pictures::newFolder());
    btnAddDoc->setIcon(pictures::newDocument());
    btnRemove->setIcon(pictures::remove());
    btnBuild_Test->setIcon(pictures::buildAndTest());
    btnBuild->setIcon(pictures::build());
    btnBrowseOUT->setIcon(pictures::browseOut());
    btnColors->setIcon(pictures::colors());
    btnColors->setIconSize({20, 20});
    btnOPEN->setIcon(pictures::openProject());
    btnOPEN->setIconSize({20, 20});
    picSAVED = pictures::saved();
    picNOT_SAVED = pictures::notSaved();
    btnSAVE->setIcon(picSAVED);
    btnSAVE->setIconSize(picSAVED.deviceIndependentSize().toSize());

    QStringList help;
    const bool ownOut = startOutFolder_ == fromFilePath(OutFolderOf(toFilePath(AppFolder)));
    for (const std::string& line : ownOut ? helpTextLines() : helpTextLines(startOutFolder_.toStdString()))
        help << QString::fromStdString(line);
    Memo1->setPlainText(help.join(QLatin1Char('\n')));
    QPalette memoPalette = Memo1->palette();
    memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::Window));
    Memo1->setPalette(memoPalette);
    Memo1->installEventFilter(this);
}

// Labels take the width of their text in the font at hand; right-aligned ones keep their right
// edge next to the box they name.
void TForm1::placeLabels()
{
    for (QLabel* label : {lblCaption, lblLink, lblLinkTarget, lblInitialState, lblImage, lblTFRAME}) {
        const QRect designed = label->geometry();
        const QSize wanted = label->sizeHint();
        const int height = std::max(designed.height(), wanted.height());
        if (label->alignment() & Qt::AlignRight)
            label->setGeometry(designed.right() + 1 - wanted.width(), designed.top(), wanted.width(), height);
        else
            label->setGeometry(designed.left(), designed.top(), wanted.width(), height);
    }
    for (QCheckBox* box : {chkUSETEXTLINKS, chkAutoClose})
        box->resize(std::max(box->width(), box->sizeHint().width()), box->height());
    // A (translated) label that runs into the box on its right narrows the box from the left.
    const std::pair<QLabel*, QWidget*> rows[] = {
        {lblCaption, txtCaption}, {lblLink, txtURL}, {lblTFRAME, txtTFRAME}};
    for (const auto& [label, box] : rows) {
        constexpr int Gap = 3;
        constexpr int NarrowestBox = 30;
        if (label->geometry().right() < box->x()) continue;
        const int left = std::min(label->geometry().right() + 1 + Gap, box->geometry().right() + 1 - NarrowestBox);
        if (left > box->x()) box->setGeometry(left, box->y(), box->geometry().right() + 1 - left, box->height());
    }
    fitListRow();
    // The colour button keeps clear of a longer "Use text links".
    const int colorsLeft = chkUSETEXTLINKS->geometry().right() + 6;
    if (colorsLeft > btnColors->x())
        btnColors->move(std::min(colorsLeft, GroupBox2->width() - 4 - btnColors->width()), btnColors->y());
}

// The Link target row: each list as wide as its longest entry needs, then the Initial state
// label and its list; a row too long for the group slides left, keeping clear of its frame.
void TForm1::fitListRow()
{
    constexpr int LabelGap = 3;
    constexpr int Gap = 6;
    // Between the group's frame line and the row, on either side.
    constexpr int FrameGap = 5;
    const int target = std::max(boxTarget->width(), neededListWidth(boxTarget));
    const int state = std::max(boxOpenFolder->width(), neededListWidth(boxOpenFolder));
    const int label = lblInitialState->sizeHint().width();
    if (target == boxTarget->width() && state == boxOpenFolder->width() &&
        boxTarget->geometry().right() + Gap <= lblInitialState->x() &&
        lblInitialState->x() + label + LabelGap <= boxOpenFolder->x())
        return;
    const int rowWidth = target + Gap + label + LabelGap + state;
    const int end = GroupBox1->width() - 1 - FrameGap;
    const int leftmost = 1 + FrameGap + lblLinkTarget->sizeHint().width() + LabelGap;
    const int x = std::max(leftmost, std::min(boxTarget->x(), end - rowWidth));
    boxTarget->setGeometry(x, boxTarget->y(), target, boxTarget->height());
    lblLinkTarget->setGeometry(x - LabelGap - lblLinkTarget->width(), lblLinkTarget->y(), lblLinkTarget->width(),
                               lblLinkTarget->height());
    lblInitialState->move(x + target + Gap, lblInitialState->y());
    boxOpenFolder->setGeometry(lblInitialState->x() + label + LabelGap, boxOpenFolder->y(), state,
                               boxOpenFolder->height());
}

void TForm1::FormCreate()
{
    VersionText = QStringLiteral("2.0");
    TitleText = QStringLiteral("Quillmap ") + VersionText;
    document_->ProjectFileName.clear();
    document_->Saved = true;
    document_->Updating = false;
    properties_->ListCustomImages(startOutFolder_);
    messages = MessageTexts{};
    if (LanguageFilePresent(AppFolder)) ApplyLanguage();
}

// An error while opening the command-line project ends FormShow there, so the association
// check is skipped in that start; a refused file lets it run.
// The work of a window that did not end in order is offered before anything else is opened.
void TForm1::FormShow()
{
    const bool restored =
        recovery_->offerAbandonedCopies([this](const RecoveredProject& project) { files_->restoreRecovered(project); });
    // Work restored for the project named on the command line is the newer version of it.
    const QStringList& arguments = commandLineArguments();
    if (!arguments.isEmpty() && !(restored && sameFile(arguments.first(), document_->ProjectFileName)))
        files_->OpenProject(arguments.first());
    runAssociationCheck();
}

void TForm1::showSaved(bool saved)
{
    btnSAVE->setIcon(saved ? picSAVED : picNOT_SAVED);
    btnSAVE->setToolTip(QString::fromStdString(saved ? messages.saveAsHint : messages.saveHint));
    showShortcutsInHints();
}

void TForm1::showFileName()
{
    const QString& file = document_->ProjectFileName;
    setTitle(file.isEmpty() ? TitleText : TitleText + QStringLiteral(" - ") + fileNameOf(file));
}

// One handler serves both build buttons; it tells them apart by the sender's name.
void TForm1::connectButtons()
{
    Prompts& prompts = platform_.prompts;
    for (QPushButton* button : {btnBuild, btnBuild_Test})
        connectGuarded(button, &QPushButton::clicked, this, prompts, [this, button] { btnBuildTestClick(button); });
    connectGuarded(btnColors, &QPushButton::clicked, this, prompts, [this] { btnColorsClick(); });
    connectGuarded(btnMoreHelp, &QPushButton::clicked, this, prompts, [this] { btnMoreHelpClick(); });
    connectGuarded(btnBrowseOUT, &QPushButton::clicked, this, prompts, [this] { btnBrowseOUTClick(); });
}

// A failed save after Yes keeps the window open as well, so the changes are not lost.
void TForm1::FormCloseQuery(bool& CanClose) { CanClose = files_->QuerySaveChanges(); }

void TForm1::closeEvent(QCloseEvent* event)
{
    bool canClose = false;
    guard([&] { FormCloseQuery(canClose); });
    if (canClose) {
        // Saved, or given up with No: nothing is left to recover.
        recovery_->discard();
        event->accept();
    } else {
        event->ignore();
    }
}

// Back in the window, the user learns at once of a change another program made to the project.
void TForm1::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && shown_)
        guard([this] { files_->checkDiskFile(); });
}

void TForm1::ShellOpen(const QString& file, const QString& parameters, const QString& folder, int showCommand)
{
    if (!platform_.shell.execute(QStringLiteral("open"), file, parameters, folder, showCommand))
        reportNotOpened(file);
}

void TForm1::reportNotOpened(const QString& file)
{
    platform_.prompts.message(QStringLiteral("Cannot open %1: the system found no program to open it.").arg(file));
}

void TForm1::setTitle(const QString& caption)
{
    setWindowTitle(caption);
    setApplicationTitle(caption);
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    updateMinimumSize();
    if (shown_) return;
    shown_ = true;
    // Runs once the window is on the screen, so that a dialog FormShow opens appears over it.
    QTimer::singleShot(0, this, [this] { guard([this] { FormShow(); }); });
    fitFrameWhenKnown(20);
}

// Closing the window (not minimising it) keeps its place for the next start; the Colors and
// Styles window goes with it.
void TForm1::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous()) return;
    rememberWindowGeometry(QStringLiteral("MainWindow"), *this);
    if (colors_.created()) frmColors().hide();
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutControls();
}

// The tree grows and shrinks with the window; the column on its right keeps its distance from
// the window's right edge and its top position. Below the build buttons the help text takes the
// height there is and the Help button keeps to the bottom edge.
void TForm1::layoutControls()
{
    const int dx = width() - DesignedWidth;
    const int dy = height() - DesignedHeight;
    Tree2->setGeometry(3, 8, std::max(0, 235 + dx), std::max(0, 441 + dy));
    for (const auto& [control, designed] : rightColumn_) control->move(designed.x() + dx, designed.y());
    const int helpButtonTop = std::max(HelpTop, height() - 4 - btnMoreHelp->height());
    btnMoreHelp->move(btnMoreHelp->x(), helpButtonTop);
    lblStatus->setGeometry(panelHelp->x(), helpButtonTop, std::max(0, btnMoreHelp->x() - 6 - panelHelp->x()),
                           btnMoreHelp->height());
    const int helpHeight = helpButtonTop - HelpButtonGap - HelpTop;
    panelHelp->setVisible(helpHeight >= SmallestHelpText);
    panelHelp->resize(panelHelp->width(), std::max(0, helpHeight));
    Memo1->resize(Memo1->width(), std::max(0, helpHeight - 2 * Memo1->y() + 2));
}

// A window manager tells the size of the frame only some moments after the window is shown;
// then the minimum size and the centring take it in.
void TForm1::fitFrameWhenKnown(int attemptsLeft)
{
    const bool known = windowHandle() && !windowHandle()->frameMargins().isNull();
    if (!known && attemptsLeft > 0) {
        QTimer::singleShot(25, this, [this, attemptsLeft] { fitFrameWhenKnown(attemptsLeft - 1); });
        return;
    }
    updateMinimumSize();
    if (!known) return;
    fitIntoScreen();
    if (!placementRestored_) centreOnDesktop();
}

// The whole window, frame included, fits into the screen's free area: a place remembered on a
// larger screen, or the designed size on a small one, is made to fit at every start.
void TForm1::fitIntoScreen()
{
    const QScreen* desktop = screen();
    if (!desktop || isMaximized()) return;
    const QRect area = desktop->availableGeometry();
    const QRect frame = frameGeometry();
    const QSize frameExtra = frame.size() - size();
    const QSize fitted = frame.size().boundedTo(area.size());
    if (fitted != frame.size()) resize((fitted - frameExtra).expandedTo(minimumSize()));
    QRect placed(frame.topLeft(), frameGeometry().size());
    placed.moveLeft(std::clamp(placed.left(), area.left(), std::max(area.left(), area.right() + 1 - placed.width())));
    placed.moveTop(std::clamp(placed.top(), area.top(), std::max(area.top(), area.bottom() + 1 - placed.height())));
    if (placed.topLeft() != frame.topLeft()) move(placed.topLeft());
}

// The minimum is for the whole window, frame included; the frame's size is known once shown.
void TForm1::updateMinimumSize()
{
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    setMinimumSize(std::max(0, MinimumWindowWidth - frame.left() - frame.right()),
                   std::max(0, MinimumWindowHeight - frame.top() - frame.bottom()));
}

// The whole window, frame included, goes to the middle of the desktop.
void TForm1::centreOnDesktop()
{
    if (const QScreen* desktop = screen()) {
        QRect placed(QPoint(), frameGeometry().size());
        placed.moveCenter(desktop->availableGeometry().center());
        move(placed.topLeft());
    }
}

// Escape in the tree takes back a cut, or else presses the Remove button; elsewhere it never
// removes anything (a text box takes it to cancel its typing).
void TForm1::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && Tree2->hasFocus()) {
        event->accept();
        if (!items_->cancelCut()) btnRemove->click();
        return;
    }
    // F2 renames the selected item in the tree wherever the focus is, as after a click on it.
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier && Tree2->currentIndex().isValid()) {
        event->accept();
        Tree2->setFocus(Qt::ShortcutFocusReason);
        Tree2->edit(Tree2->currentIndex());
        return;
    }
    QWidget::keyPressEvent(event);
}

// The borderless help text shows the keyboard focus with a line in the highlight colour.
void TForm1::showHelpFocus(bool focused)
{
    QPalette palette = Memo1->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
    Memo1->setPalette(palette);
    Memo1->setFrameStyle(focused ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Shift+F10 opens a text box's own menu, as the Menu key does, at the cursor.
        if (key->keyCombination() == QKeyCombination(Qt::SHIFT, Qt::Key_F10) && watched->isWidgetType()) {
            auto* box = static_cast<QWidget*>(watched);
            const QPoint at = box->inputMethodQuery(Qt::ImCursorRectangle).toRect().bottomLeft();
            QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, box->mapToGlobal(at));
            QCoreApplication::sendEvent(box, &menu);
            return true;
        }
        bool used = false;
        guard([&] {
            used = historyKeyPress(key);
        });
        return used;
    }
    if (watched == Memo1 && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        showHelpFocus(event->type() == QEvent::FocusIn);
    if (event->type() == QEvent::FocusIn) {
        // Focus from the keyboard or from the program selects the whole text; a mouse click
        // places the caret instead.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::MouseFocusReason && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            if (auto* box = qobject_cast<QLineEdit*>(watched)) box->selectAll();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace quillmap
