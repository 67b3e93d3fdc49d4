// SPDX-License-Identifier: GPL-3.0-or-later
#include "student/listeningbadge.h"

#include "common/ui/fittext.h"
#include "common/ui/twips.h"

#include <QLabel>
#include <algorithm>

namespace qv {

ListeningBadge::ListeningBadge(QWidget* client) : QObject(client), label(new QLabel(client)) {
    label->setObjectName(QStringLiteral("lblListening"));
    label->setAlignment(Qt::AlignCenter);
    show(Hearing::NotListening);
}

void ListeningBadge::show(Hearing state, const QString& phrase) {
    // Text and background: grey when off, green while listening, amber when the last thing
    // heard was not understood.
    const QString grey =
        QStringLiteral("color: #555555; background: #f0f0f0; border-color: #c4c4c4");
    const QString green =
        QStringLiteral("color: #0b5d1e; background: #e2f3e5; border-color: #7dbb8a");
    const QString amber =
        QStringLiteral("color: #8a4200; background: #fcebd8; border-color: #d9a066");
    QString text;
    QString colours = green;
    switch (state) {
    case Hearing::NotListening:
        //: The listening badge: room for about 22 letters, a longer text is cut.
        text = tr("Not listening");
        colours = grey;
        break;
    case Hearing::Listening:
        text = tr("Listening");
        break;
    case Hearing::HoldSpace:
        text = tr("Hold Space to talk");
        colours = grey;
        break;
    case Hearing::Heard:
        text = tr("Heard: %1").arg(phrase);
        break;
    case Hearing::NotUnderstood:
        text = tr("Not understood");
        colours = amber;
        break;
    case Hearing::HeardNothing:
        text = tr("Heard nothing");
        colours = amber;
        break;
    }
    label->setText(text);
    label->setToolTip({});
    label->setAccessibleName(tr("Spoken commands: ") + text);
    label->setStyleSheet(
        QStringLiteral("QLabel { %1; border-width: 1px; border-style: solid; border-radius: 9px; "
                       "padding: 0px 8px; }")
            .arg(colours));
    // The badge keeps to the right end of its place, as wide as its text.
    const QRect place = twipsRect(6615, 465, 2640, 330);
    label->ensurePolished();
    if (const int over = label->sizeHint().width() - place.width(); over > 0) {
        // A longer translation is cut to the place, never past its left end; the tooltip and
        // the accessible name keep the whole text.
        const QFontMetrics metrics = label->fontMetrics();
        const int room = metrics.horizontalAdvance(text) - over;
        label->setText(fitText(metrics, text, QSize(room, place.height())));
        label->setToolTip(text);
    }
    const int width = std::min(place.width(), label->sizeHint().width());
    label->setGeometry(place.right() + 1 - width, place.y(), width, place.height());
}

} // namespace qv
