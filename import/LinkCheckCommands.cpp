#include "import/LinkCheckCommands.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QPushButton>
#include <QSettings>
#include <atomic>
#include <chrono>
#include <future>

#include "text/LocalText.h"
#include "shell/EventGuard.h"
#include "import/LinkCheck.h"
#include "tree/TreeModel.h"

namespace quillmap {

namespace {

// The site folder of each project file, in the settings store of the user.
const QString SiteFoldersKey = QStringLiteral("LinkCheck/siteFolders");
QSettings store() { return {QSettings::NativeFormat, QSettings::UserScope, "Zentavo", "Quillmap"}; }

// top and everything below it, in tree order.
std::vector<Node*> subtree(Node* top)
{
    std::vector<Node*> items;
    std::vector<Node*> pending{top};
    while (!pending.empty()) {
        Node* node = pending.back();
        pending.pop_back();
        items.push_back(node);
        for (std::size_t i = node->childCount(); i-- > 0;) pending.push_back(node->child(i));
    }
    return items;
}

QString placeOf(const TreeModel& model, const Node* node)
{
    QString place = model.text(node->caption);
    for (const Node* up = node->parent(); up; up = up->parent()) place = model.text(up->caption) + " / " + place;
    return place;
}

}  // namespace

LinkCheckCommands::LinkCheckCommands(TreeModel& model, Prompts& prompts, QWidget* window)
    : QObject(window), model_(model), prompts_(prompts)
{
    mnuCheckLinks = new QAction(QStringLiteral("Check links"), this);
    mnuCheckLinks->setObjectName(QStringLiteral("mnuCheckLinks"));
    mnuCheckLinks->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    mnuCheckLinksBelow = new QAction(QStringLiteral("Check links below"), this);
    mnuCheckLinksBelow->setObjectName(QStringLiteral("mnuCheckLinksBelow"));
    frmLinkCheck = new LinkCheckResults(window);
    connect(frmLinkCheck->btnCheckAgain, &QPushButton::clicked, this,
            [this] { guarded(prompts_, [this] { checkAgain(false); }); });
    connect(frmLinkCheck->btnSiteFolder, &QPushButton::clicked, this,
            [this] { guarded(prompts_, [this] { checkAgain(true); }); });
    connect(frmLinkCheck, &LinkCheckResults::itemChosen, this,
            [this](const QModelIndex& item) { emit showItem(model_.nodeOf(item)); });
}

void LinkCheckCommands::checkLinks(const QString& projectFile, Node* top)
{
    lastProject_ = projectFile;
    lastTop_ = model_.indexOf(top);
    lastWholeTree_ = !top;
    const QString site = siteFolder(projectFile, false);
    if (site.isEmpty()) return;
    const std::vector<Node*> items = top ? subtree(top) : model_.tree().preorder();
    std::vector<LinkToCheck> links;
    links.reserve(items.size());
    for (const Node* item : items)
        links.push_back({item->record() ? model_.text(item->record()->URL).toStdString() : std::string(),
                         item->isDocument()});
    LinkCheckOptions options;
    options.siteFolder = toFilePath(site);
    options.online = frmLinkCheck->online();

    // The check runs on a thread of its own, so that the window keeps drawing itself and the
    // progress dialog answers at once, however long a server takes.
    std::optional<std::vector<LinkOutcome>> outcomes;
    {
        const std::unique_ptr<Progress> progress = prompts_.showProgress(QStringLiteral("Checking links..."));
        std::atomic<std::size_t> done{0};
        std::atomic<std::size_t> total{0};
        std::atomic<bool> stop{false};
        auto work = std::async(std::launch::async, [&] {
            return quillmap::checkLinks(links, options, [&](std::size_t linksDone, std::size_t linksTotal) {
                done = linksDone;
                total = linksTotal;
                return !stop;
            });
        });
        do {
            if (!stop && !progress->update(static_cast<qint64>(done.load()), static_cast<qint64>(total.load())))
                stop = true;
        } while (work.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready);
        outcomes = work.get();
        if (stop) outcomes.reset();
    }
    if (!outcomes) return;

    std::vector<LinkCheckResults::Row> rows;
    std::size_t good = 0, notChecked = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const LinkOutcome& outcome = (*outcomes)[i];
        good += outcome.verdict == LinkVerdict::Good;
        notChecked += outcome.verdict == LinkVerdict::NotChecked;
        const bool broken = outcome.verdict == LinkVerdict::Broken;
        model_.setLinkProblem(items[i], broken ? outcome.reason : std::string());
        if (broken)
            rows.push_back({model_.indexOf(items[i]), placeOf(model_, items[i]), QString::fromStdString(links[i].link),
                            QString::fromStdString(outcome.reason)});
    }
    const QString summary = QStringLiteral("%1 links checked, %2 broken, %3 not checked.")
                                .arg(good + rows.size())
                                .arg(rows.size())
                                .arg(notChecked);
    frmLinkCheck->show(summary, site, rows);
}

QString LinkCheckCommands::siteFolder(const QString& projectFile, bool askAgain)
{
    const QString project = projectFile.isEmpty() ? QString() : QFileInfo(projectFile).absoluteFilePath();
    QVariantMap remembered = store().value(SiteFoldersKey).toMap();
    QString folder = project.isEmpty() ? unsavedProjectSite_ : remembered.value(project).toString();
    if (!askAgain && !folder.isEmpty() && QFileInfo(folder).isDir()) return folder;

    const QString start = !folder.isEmpty() ? folder : project.isEmpty() ? QString() : QFileInfo(project).path();
    folder = prompts_.chooseFolder(QStringLiteral("Site folder: the folder of the page that shows the menu"), start);
    if (folder.isEmpty()) return {};
    if (project.isEmpty()) {
        unsavedProjectSite_ = folder;
    } else {
        remembered.insert(project, folder);
        store().setValue(SiteFoldersKey, remembered);
    }
    return folder;
}

void LinkCheckCommands::checkAgain(bool askForFolder)
{
    if (askForFolder && siteFolder(lastProject_, true).isEmpty()) return;
    // A folder checked before and removed since: the whole tree.
    checkLinks(lastProject_, lastWholeTree_ ? nullptr : model_.nodeOf(lastTop_));
}

}  // namespace quillmap
