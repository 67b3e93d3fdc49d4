// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ui/fittext.h"

#include <QAbstractButton>
#include <QLabel>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QVariant>
#include <functional>

namespace qv {

namespace {

const char* const kFittedTip = "qvFittedTip"; // the tooltip this file set, to take it back

bool fits(const QFontMetrics& metrics, const QString& text, QSize room, bool wrap) {
    const int flags = Qt::TextShowMnemonic | (wrap ? Qt::TextWordWrap : 0);
    const QRect need = metrics.boundingRect(QRect(0, 0, room.width(), 1 << 20), flags, text);
    return need.width() <= room.width() && (!wrap || need.height() <= room.height());
}

void showFitted(QWidget& control, const QString& text, const QString& shown,
                const std::function<void(const QString&)>& set) {
    set(shown);
    const QString ours = control.property(kFittedTip).toString();
    if (shown != text) {
        QString full = text;
        full.remove(QRegularExpression(QStringLiteral("&(?!&)")));
        control.setToolTip(full);
        control.setProperty(kFittedTip, full);
    } else if (!ours.isEmpty()) {
        if (control.toolTip() == ours) {
            control.setToolTip({});
        }
        control.setProperty(kFittedTip, QVariant());
    }
}

} // namespace

QString fitText(const QFontMetrics& metrics, const QString& text, QSize room, bool wrap) {
    if (fits(metrics, text, room, wrap)) {
        return text;
    }
    if (!wrap) {
        return metrics.elidedText(text, Qt::ElideRight, room.width(), Qt::TextShowMnemonic);
    }
    const QChar ellipsis(0x2026);
    for (QString cut = text; !cut.isEmpty();) {
        cut.chop(1);
        QString shown = cut.trimmed() + ellipsis;
        if (fits(metrics, shown, room, wrap)) {
            return shown;
        }
    }
    return ellipsis;
}

void setFittedText(QLabel& label, const QString& text) {
    const QString shown =
        fitText(label.fontMetrics(), text, label.contentsRect().size(), label.wordWrap());
    showFitted(label, text, shown, [&label](const QString& t) { label.setText(t); });
}

void setFittedText(QAbstractButton& button, const QString& text) {
    QStyleOptionButton option;
    option.initFrom(&button);
    // The style draws the caption anywhere inside the button's contents (within its frame).
    const QRect contents =
        button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    const QString shown = fitText(button.fontMetrics(), text, contents.size());
    showFitted(button, text, shown, [&button](const QString& t) { button.setText(t); });
}

} // namespace qv
