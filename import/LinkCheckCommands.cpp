#include "import/LinkCheckCommands.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QFileInfo>
#include <QPushButton>

#include "text/LocalText.h"
#include "shell/EventGuard.h"
#include "shell/WorkWithProgress.h"
#include "import/LinkCheck.h"
#include "project/SiteFolders.h"
#include "tree/PropertiesPanel.h"
#include "tree/Tree2View.h"

namespace quillmap {

LinkCheckCommands::LinkCheckCommands(ProjectDocument& document, const Platform& platform,
                                     PropertiesPanel& properties, Tree2View* tree, QWidget* window)
    : QObject(window), document_(document), platform_(platform), properties_(properties), Tree2(tree)
{
    mnuCheckLinks = new QAction(QStringLiteral("Check links..."), this);
    mnuCheckLinks->setObjectName(QStringLiteral("mnuCheckLinks"));
    mnuCheckLinks->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    mnuCheckLinksBelow = new QAction(QStringLiteral("Check links below"), this);
    mnuCheckLinksBelow->setObjectName(QStringLiteral("mnuCheckLinksBelow"));
    frmLinkCheck = new LinkCheckResults(window);
    Prompts& prompts = platform_.prompts;
    connectGuarded(mnuCheckLinks, &QAction::triggered, this, prompts, [this] { checkLinks(nullptr); });
    connectGuarded(mnuCheckLinksBelow, &QAction::triggered, this, prompts,
                   [this] { checkLinks(Tree2->selectedNode()); });
    // Below an item only: with nothing selected there is nothing to check below.
    mnuCheckLinksBelow->setEnabled(false);
    connect(Tree2->selectionModel(), &QItemSelectionModel::currentChanged, mnuCheckLinksBelow,
            [this](const QModelIndex& current) { mnuCheckLinksBelow->setEnabled(current.isValid()); });
    connectGuarded(frmLinkCheck->btnCheckAgain, &QPushButton::clicked, this, prompts, [this] { checkAgain(false); });
    connectGuarded(frmLinkCheck->btnSiteFolder, &QPushButton::clicked, this, prompts, [this] { checkAgain(true); });
    connectGuarded(frmLinkCheck, &LinkCheckResults::itemChosen, this, prompts,
                   [this](const QModelIndex& item) { showResultItem(item); });
}

QList<QAction*> LinkCheckCommands::menuEntries() const { return {mnuCheckLinks, mnuCheckLinksBelow}; }

QList<QAction*> LinkCheckCommands::openMenuEntries() const { return {mnuCheckLinks}; }

void LinkCheckCommands::checkLinks(Node* top)
{
    TreeModel& model = document_.model();
    lastTop_ = model.indexOf(top);
    lastWholeTree_ = !top;
    const QString site = siteFolder(false);
    if (site.isEmpty()) return;
    const std::vector<Node*> items = top ? ItemTree::subtree(top) : model.tree().preorder();
    std::vector<LinkToCheck> links;
    links.reserve(items.size());
    for (const Node* item : items)
        links.push_back({item->record() ? model.text(item->record()->URL).toStdString() : std::string(),
                         item->isDocument()});
    LinkCheckOptions options;
    options.siteFolder = toFilePath(site);
    options.online = frmLinkCheck->online();

    const std::optional<std::vector<LinkOutcome>> outcomes = runWithProgress(
        platform_.prompts, texts.progress,
        [&](const ProgressReport& report) { return quillmap::checkLinks(links, options, report); });
    if (!outcomes) return;

    std::vector<LinkCheckResults::Row> rows;
    std::size_t good = 0, notChecked = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const LinkOutcome& outcome = (*outcomes)[i];
        good += outcome.verdict == LinkVerdict::Good;
        notChecked += outcome.verdict == LinkVerdict::NotChecked;
        const bool broken = outcome.verdict == LinkVerdict::Broken;
        model.setLinkProblem(items[i], broken ? outcome.reason : std::string());
        if (broken)
            rows.push_back({model.indexOf(items[i]), model.text(ItemTree::captionPath(items[i])), QString::fromStdString(links[i].link),
                            QString::fromStdString(outcome.reason)});
    }
    // One arg call: a translation that leaves out a number still gets the others in their places.
    const QString summary = texts.summary.arg(QString::number(good + rows.size()), QString::number(rows.size()),
                                              QString::number(notChecked));
    frmLinkCheck->btnSiteFolder->setEnabled(document_.site.empty());
    frmLinkCheck->show(summary, site, rows);
}

QString LinkCheckCommands::siteFolder(bool askAgain)
{
    const QString& project = document_.ProjectFileName;
    // A project with a site is checked from its site folder, which the Site dialog changes.
    if (!document_.site.empty()) return siteFolderFor(document_.site, project);
    QString folder = rememberedSiteFolder(project);
    if (!askAgain && !folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
    const QString start = !folder.isEmpty() ? folder : project.isEmpty() ? QString() : QFileInfo(project).path();
    folder = platform_.prompts.chooseFolder(texts.siteFolderPrompt, start);
    if (!folder.isEmpty()) rememberSiteFolder(project, folder);
    return folder;
}

void LinkCheckCommands::checkAgain(bool askForFolder)
{
    if (askForFolder && siteFolder(true).isEmpty()) return;
    // A subtree removed since its check: the whole tree.
    checkLinks(lastWholeTree_ ? nullptr : document_.model().nodeOf(lastTop_));
}

void LinkCheckCommands::showResultItem(const QModelIndex& item)
{
    Node* node = document_.model().nodeOf(item);
    Tree2->selectNode(node);
    properties_.showPropertiesOf(node);
    Tree2->setFocus(Qt::OtherFocusReason);
}

}  // namespace quillmap
