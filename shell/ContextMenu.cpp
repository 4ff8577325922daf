#include "shell/ContextMenu.h"

#include <QAbstractScrollArea>
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
    return menu;
}

}  // namespace quillmap
