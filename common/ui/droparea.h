// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drop area of both main windows (Image1): takes drops of any data, so that a drop without
// files can be answered too, and hands each drop's data to the window's drop handler.
#include <QObject>
#include <functional>

class QMimeData;
class QWidget;

namespace qv {

class DropArea : public QObject {
public:
    DropArea(QWidget* area, std::function<void(const QMimeData*)> dropped);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QMimeData*)> dropped_;
};

} // namespace qv
