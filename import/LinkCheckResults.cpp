#include "import/LinkCheckResults.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillmap {

LinkCheckResults::LinkCheckResults(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLinkCheck"));
    setWindowTitle(QStringLiteral("Link check"));
    lblSummary = new QLabel(this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblSummary->setWordWrap(true);
    listResults = new QTreeWidget(this);
    listResults->setObjectName(QStringLiteral("listResults"));
    listResults->setRootIsDecorated(false);
    listResults->setUniformRowHeights(true);
    listResults->setHeaderLabels({QStringLiteral("Item"), QStringLiteral("Link"), QStringLiteral("Problem")});
    listResults->header()->setSectionResizeMode(QHeaderView::Interactive);
    listResults->setAccessibleName(QStringLiteral("Broken links"));
    chkOnline = new QCheckBox(QStringLiteral("Also ask the web servers of http: and https: links"), this);
    chkOnline->setObjectName(QStringLiteral("chkOnline"));
    chkOnline->setChecked(true);
    btnSiteFolder = new QPushButton(QStringLiteral("Site folder..."), this);
    btnSiteFolder->setObjectName(QStringLiteral("btnSiteFolder"));
    btnCheckAgain = new QPushButton(QStringLiteral("Check again"), this);
    btnCheckAgain->setObjectName(QStringLiteral("btnCheckAgain"));
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkOnline, 1);
    buttons->addWidget(btnSiteFolder);
    buttons->addWidget(btnCheckAgain);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSummary);
    layout->addWidget(listResults, 1);
    layout->addLayout(buttons);
    resize(720, 360);

    connect(close, &QDialogButtonBox::rejected, this, &QDialog::close);
    connect(listResults, &QTreeWidget::itemActivated, this, &LinkCheckResults::listResultsActivated);
    listResults->installEventFilter(this);
}

// Enter on a row shows its item; the list lets the key go on to the dialog, whose default button
// would press it as well.
bool LinkCheckResults::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == listResults && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (QTreeWidgetItem* row = listResults->currentItem()) listResultsActivated(row);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void LinkCheckResults::show(const QString& summary, const QString& siteFolder, const std::vector<Row>& rows)
{
    lblSummary->setText(summary + QLatin1Char('\n') + siteFolder);
    listResults->clear();
    items_.clear();
    QList<QTreeWidgetItem*> lines;
    for (const Row& row : rows) {
        auto* line = new QTreeWidgetItem({row.place, row.link, row.reason});
        line->setData(0, Qt::UserRole, static_cast<int>(items_.size()));
        items_.push_back(row.item);
        lines << line;
    }
    listResults->addTopLevelItems(lines);
    for (int column = 0; column < 2; ++column) listResults->resizeColumnToContents(column);
    if (!lines.isEmpty()) listResults->setCurrentItem(lines.front());
    QDialog::show();
    raise();
    activateWindow();
}

bool LinkCheckResults::online() const { return chkOnline->isChecked(); }

void LinkCheckResults::listResultsActivated(QTreeWidgetItem* row)
{
    const QPersistentModelIndex& item = items_[static_cast<std::size_t>(row->data(0, Qt::UserRole).toInt())];
    if (item.isValid()) emit itemChosen(item);
}

}  // namespace quillmap
