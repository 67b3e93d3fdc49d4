// SPDX-License-Identifier: GPL-3.0-or-later
#include "student/statusclock.h"

#include <QLabel>

namespace qv {

StatusClock::StatusClock(QLabel* panel) : QObject(panel), panel_(panel) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &StatusClock::tick);
    tick();
}

int StatusClock::msUntilNextMinute(const QTime& now) {
    return (60 - now.second()) * 1000 - now.msec() + 50;
}

void StatusClock::tick() {
    const QTime now = QTime::currentTime();
    panel_->setText(now.toString(QStringLiteral("HH:mm")));
    timer_.start(msUntilNextMinute(now));
}

} // namespace qv
