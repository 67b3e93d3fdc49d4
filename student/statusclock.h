// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clock in status panel 1, as the platform's time panel shows it: hours and minutes, turned
// over just after each minute begins.
#include <QObject>
#include <QTime>
#include <QTimer>

class QLabel;

namespace qv {

class StatusClock : public QObject {
public:
    explicit StatusClock(QLabel* panel);

    // How long from now until just after the next minute begins.
    static int msUntilNextMinute(const QTime& now);

private:
    void tick();

    QLabel* panel_;
    QTimer timer_;
};

} // namespace qv
