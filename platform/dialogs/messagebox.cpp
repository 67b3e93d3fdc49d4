// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs/messagebox.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace qv {
namespace {

QMessageBox::Icon iconOf(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Stop:
        return QMessageBox::Critical;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QtMessageBox::QtMessageBox() : log_(qEnvironmentVariable("QV_MESSAGE_LOG")) {}

void QtMessageBox::show(const QString& text, const QString& title, MsgIcon icon) {
    if (logged(text, title, icon)) {
        return;
    }
    QMessageBox box(iconOf(icon), title.isEmpty() ? programTitle() : title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool QtMessageBox::ask(const QString& text, const QString& yes, const QString& no) {
    if (logged(text, {}, MsgIcon::Question)) {
        return false; // as a user who does not want the change
    }
    QMessageBox box(QMessageBox::Question, programTitle(), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton* yesButton = box.addButton(yes, QMessageBox::AcceptRole);
    QPushButton* noButton = box.addButton(no, QMessageBox::RejectRole);
    box.setDefaultButton(yesButton);
    box.setEscapeButton(noButton);
    box.exec();
    return box.clickedButton() == yesButton;
}

bool QtMessageBox::logged(const QString& text, const QString& title, MsgIcon icon) const {
    if (log_.isEmpty()) {
        return false;
    }
    QFile out(log_);
    if (out.open(QIODevice::WriteOnly | QIODevice::Append)) {
        QString line = (title.isEmpty() ? programTitle() : title) + QLatin1Char('\t') +
                       QString::number(static_cast<int>(icon)) + QLatin1Char('\t') + text;
        line.replace(QLatin1String("\r\n"), QLatin1String(" | "));
        line.replace(QLatin1Char('\n'), QLatin1String(" | "));
        out.write(line.toUtf8() + '\n');
    }
    return true;
}

void MsgBox(MessageBoxService& box, const QString& text, const QString& title, MsgIcon icon) {
    box.show(text, title, icon);
}

bool MsgAsk(MessageBoxService& box, const QString& text, const QString& yes, const QString& no) {
    return box.ask(text, yes, no);
}

QString programTitle() {
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QCoreApplication::applicationName() : name;
}

} // namespace qv
