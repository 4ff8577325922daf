#pragma once
// The open button's right-click menu: the last projects opened or saved, newest first, then
// further entries. The list is kept per user in the platform's settings store (the registry's
// current-user part).
#include <QList>
#include <QObject>
#include <QStringList>

#include "shell/Platform.h"

class QAction;
class QMenu;
class QWidget;

namespace quillmap {

class RecentProjectsMenu : public QObject {
    Q_OBJECT
public:
    RecentProjectsMenu(const Platform& platform, QWidget* openButton);

    QMenu* popUpOpen = nullptr;
    void fillOpenMenu();
    void setFurtherMenuEntries(QList<QAction*> entries) { furtherEntries_ = std::move(entries); }

    void rememberRecentProject(const QString& fileName);
    QStringList recentProjects() const;

signals:
    // A recent project was chosen; one that is gone has already left the list.
    void openRequested(const QString& fileName);

private:
    Platform platform_;
    QList<QAction*> furtherEntries_;
};

}  // namespace quillmap
