#include "shell/TfrmAskToAssociate.h"

#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include "lang/LanguageWidgets.h"
#include "shell/Association.h"
#include "shell/EventGuard.h"
#include "ui_TfrmAskToAssociate.h"

namespace quillmap {

namespace {

// The pictures of the two buttons: a green tick for Yes, a red cross for No.
QIcon drawGlyph(bool tick)
{
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(tick ? QColor(0, 128, 0) : QColor(192, 0, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    QPainterPath path;
    if (tick) {
        path.moveTo(3, 9);
        path.lineTo(7, 14);
        path.lineTo(15, 4);
    } else {
        path.moveTo(4, 4);
        path.lineTo(14, 14);
        path.moveTo(14, 4);
        path.lineTo(4, 14);
    }
    painter.drawPath(path);
    return QIcon(pixmap);
}

void setPixelFont(QWidget* widget, int pixels)
{
    QFont font = widget->font();
    font.setPixelSize(pixels);
    widget->setFont(font);
}

}  // namespace

TfrmAskToAssociate::TfrmAskToAssociate(const Platform& platform, QString appFolder, QString executablePath,
                                       std::function<QString()> versionText, QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TfrmAskToAssociate>()),
      platform_(platform),
      appFolder_(std::move(appFolder)),
      executablePath_(std::move(executablePath)),
      versionText_(std::move(versionText))
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(555, 178);
    setPixelFont(ui->Label1, 13);
    setPixelFont(ui->Label2, 13);
    ui->BitBtn1->setIcon(drawGlyph(true));
    ui->BitBtn2->setIcon(drawGlyph(false));
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TfrmAskToAssociate::BitBtn1Click);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
}

TfrmAskToAssociate::~TfrmAskToAssociate() = default;

QLabel* TfrmAskToAssociate::Label1() const { return ui->Label1; }
QLabel* TfrmAskToAssociate::Label2() const { return ui->Label2; }
QPushButton* TfrmAskToAssociate::BitBtn1() const { return ui->BitBtn1; }
QPushButton* TfrmAskToAssociate::BitBtn2() const { return ui->BitBtn2; }
QCheckBox* TfrmAskToAssociate::chkNeverAsk() const { return ui->chkNeverAsk; }

void TfrmAskToAssociate::FormCreate()
{
    if (LanguageFilePresent(appFolder_)) ApplyLanguage();
}

void TfrmAskToAssociate::ApplyLanguage()
{
    ApplyLanguageFile(platform_.prompts, appFolder_, [this](const LanguageFile& file) { applyPromptTexts(this, file); });
}

void TfrmAskToAssociate::RegisterFileType() { quillmap::RegisterFileType(platform_.registry, executablePath_); }

void TfrmAskToAssociate::BitBtn1Click()
{
    guarded(platform_.prompts, [this] { RegisterFileType(); });
    done(Yes);  // closes as after Yes even when a registry write failed
}

void TfrmAskToAssociate::FormClose()
{
    if (ui->chkNeverAsk->isChecked()) storeNeverAsk(platform_.registry, versionText_());
}

void TfrmAskToAssociate::done(int result)
{
    guarded(platform_.prompts, [this] { FormClose(); });
    QDialog::done(result);
}

void TfrmAskToAssociate::showEvent(QShowEvent* event)
{
    if (const QScreen* desktop = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(desktop->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

}  // namespace quillmap
