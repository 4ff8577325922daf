#include "shell/ContextMenu.h"

#include <QAbstractItemView>
#include <QAction>
#include <QMenu>

#include "shell/EventGuard.h"

namespace quillmap {

QMenu* contextMenu(QWidget* owner, Prompts& prompts, const QString& name, const std::function<void()>& fill)
{
    auto* menu = new QMenu(owner);
    menu->setObjectName(name);
    owner->setContextMenuPolicy(Qt::CustomContextMenu);
    // A view reports the pointer in its viewport's coordinates.
    auto* view = qobject_cast<QAbstractScrollArea*>(owner);
    QWidget* area = view ? view->viewport() : owner;
    QObject::connect(owner, &QWidget::customContextMenuRequested, menu, [&prompts, menu, area, fill](const QPoint& at) {
        guarded(prompts, [&] {
            if (fill) fill();
            menu->popup(area->mapToGlobal(at));
        });
    });
    // Shift+F10 opens the menu as the Menu key does: at the current item of a view, below a button.
    auto* key = new QAction(menu);
    key->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    key->setShortcutContext(Qt::WidgetShortcut);
    owner->addAction(key);
    QObject::connect(key, &QAction::triggered, owner, [owner, view] {
        QPoint at(0, owner->height());
        if (auto* items = qobject_cast<QAbstractItemView*>(view))
            at = items->currentIndex().isValid() ? items->visualRect(items->currentIndex()).center() : QPoint(8, 8);
        emit owner->customContextMenuRequested(at);
    });
    return menu;
}

}  // namespace quillmap
