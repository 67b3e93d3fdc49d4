// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ui/cmdapplau.h"

#include "common/ui/twips.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace qv {

LaunchButtonArray::LaunchButtonArray(QWidget* parent, const QRect& templateTwips)
    : QObject(parent), parent_(parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("cmdapplau_0"));
    // A graphical command button: the picture above the caption.
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->hide();
    elements_.push_back(button);
    twips_.push_back(templateTwips);
    button->setGeometry(twipsRect(templateTwips.x(), templateTwips.y(), templateTwips.width(),
                                  templateTwips.height()));
}

LaunchButtonArray::~LaunchButtonArray() {
    // The parent widget owns the buttons; only stop watching those that still exist.
    for (QToolButton* b : elements_) {
        if (b) {
            b->removeEventFilter(this);
        }
    }
}

QToolButton* LaunchButtonArray::element(int index) const {
    if (index < 0 || index >= static_cast<int>(elements_.size())) {
        return nullptr;
    }
    return elements_[static_cast<std::size_t>(index)];
}

QToolButton* LaunchButtonArray::Load(int index) {
    if (index < 1 || element(index) != nullptr) {
        return nullptr;
    }
    for (int i = 0; i < index; ++i) {
        if (!element(i)) {
            return nullptr;
        }
    }
    QToolButton* tmpl = elements_.front();
    auto* button = new QToolButton(parent_);
    button->setObjectName(QStringLiteral("cmdapplau_%1").arg(index));
    button->setToolButtonStyle(tmpl->toolButtonStyle());
    button->setFont(tmpl->font());
    button->setAutoRaise(tmpl->autoRaise());
    button->setIconSize(tmpl->iconSize());
    button->setFocusPolicy(tmpl->focusPolicy());
    button->hide();
    button->installEventFilter(this);
    const auto slot = static_cast<std::size_t>(index);
    if (elements_.size() <= slot) {
        elements_.resize(slot + 1, nullptr);
        twips_.resize(slot + 1);
    }
    elements_[slot] = button;
    setGeometryTwips(index, twips_.front());
    return button;
}

void LaunchButtonArray::Unload(int index) {
    QToolButton* button = index >= 1 ? element(index) : nullptr;
    if (!button) {
        return;
    }
    button->removeEventFilter(this);
    button->hide();
    button->deleteLater();
    elements_[static_cast<std::size_t>(index)] = nullptr;
    while (elements_.size() > 1 && elements_.back() == nullptr) {
        elements_.pop_back();
        twips_.pop_back();
    }
}

int LaunchButtonArray::count() const {
    int n = 0;
    for (QToolButton* b : elements_) {
        n += b != nullptr;
    }
    return n;
}

QRect LaunchButtonArray::geometryTwips(int index) const {
    return element(index) ? twips_[static_cast<std::size_t>(index)] : QRect();
}

void LaunchButtonArray::setGeometryTwips(int index, const QRect& twips) {
    QToolButton* button = element(index);
    if (!button) {
        return;
    }
    twips_[static_cast<std::size_t>(index)] = twips;
    button->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
}

bool LaunchButtonArray::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::KeyPress &&
        type != QEvent::KeyRelease) {
        return QObject::eventFilter(watched, event);
    }
    int index = 0;
    for (std::size_t i = 1; i < elements_.size(); ++i) {
        if (elements_[i] == watched) {
            index = static_cast<int>(i);
            break;
        }
    }
    if (index == 0) {
        return QObject::eventFilter(watched, event);
    }
    if (type == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint pos = mouse->position().toPoint();
        emit MouseDown(index, mouse->button(), mouse->modifiers(), pos.x(), pos.y());
        return QObject::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const bool startKey =
        keysPress_ && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                       key->key() == Qt::Key_Space);
    const bool deleteKey = deleteKeyPress_ && key->key() == Qt::Key_Delete;
    if (!startKey && !deleteKey) {
        return QObject::eventFilter(watched, event);
    }
    // The key press acts, once however long the key is held; the button's own Space handling
    // (down on press, click on release) is kept out so that nothing else reacts.
    if (type == QEvent::KeyPress && !key->isAutoRepeat()) {
        emit MouseDown(index, startKey ? Qt::LeftButton : Qt::RightButton, Qt::NoModifier, 0, 0);
    }
    return true;
}

} // namespace qv
