// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ui/droparea.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QWidget>

namespace qv {

DropArea::DropArea(QWidget* area, std::function<void(const QMimeData*)> dropped)
    : QObject(area), dropped_(std::move(dropped)) {
    area->setAcceptDrops(true);
    area->installEventFilter(this);
}

bool DropArea::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        static_cast<QDragMoveEvent*>(event)->acceptProposedAction();
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        drop->acceptProposedAction();
        dropped_(drop->mimeData());
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace qv
