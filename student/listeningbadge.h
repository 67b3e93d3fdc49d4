// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The listening badge beside the tab strip, in the visible window: whether spoken commands are
// listened for and what was last heard, in a colour for each state.
#include <QObject>
#include <QString>

class QLabel;
class QWidget;

namespace qv {

enum class Hearing { NotListening, Listening, HoldSpace, Heard, NotUnderstood, HeardNothing };

class ListeningBadge : public QObject {
    Q_OBJECT
public:
    // Makes the label lblListening on client, saying NotListening.
    explicit ListeningBadge(QWidget* client);

    QLabel* const label;
    // phrase is what was heard, for Heard.
    void show(Hearing state, const QString& phrase = {});
};

} // namespace qv
