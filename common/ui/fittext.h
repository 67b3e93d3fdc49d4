// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts on controls whose size the layout fixes: a translation longer than its control is cut
// with an ellipsis and its full text goes to the tooltip. The control keeps its place and size.
#include <QFontMetrics>
#include <QSize>
#include <QString>

class QAbstractButton;
class QLabel;

namespace qv {

// The text as it fits into room (an '&' mnemonic counts as none): itself when it fits, else cut
// at the end with "…". A wrapping text may take as many lines as the room's height holds.
QString fitText(const QFontMetrics& metrics, const QString& text, QSize room, bool wrap = false);

// Shows text on the control, fitted to the room inside it. When it had to be cut, the tooltip
// holds the full text (without the mnemonic's '&'); otherwise a tooltip of the caller's stays
// and one this function set before is taken away.
void setFittedText(QLabel& label, const QString& text);
void setFittedText(QAbstractButton& button, const QString& text);

} // namespace qv
