// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs/messagebox.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace qv {
namespace {

class QtMessageBox final : public MessageBoxService {
public:
    void show(const QString& text, const QString& title, MsgIcon icon) override {
        if (logged(text, title, icon)) {
            return;
        }
        QMessageBox box(iconOf(icon), title.isEmpty() ? programTitle() : title, text,
                        QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
    }

    bool ask(const QString& text, const QString& yes, const QString& no) override {
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

private:
    // For tests of the real programs: every message goes to the file QV_MESSAGE_LOG names,
    // answered at once. False when there is no such file.
    static bool logged(const QString& text, const QString& title, MsgIcon icon) {
        static const QString log = qEnvironmentVariable("QV_MESSAGE_LOG");
        if (log.isEmpty()) {
            return false;
        }
        QFile out(log);
        if (out.open(QIODevice::WriteOnly | QIODevice::Append)) {
            QString line = (title.isEmpty() ? programTitle() : title) + QLatin1Char('\t') +
                           QString::number(static_cast<int>(icon)) + QLatin1Char('\t') + text;
            line.replace(QLatin1String("\r\n"), QLatin1String(" | "));
            line.replace(QLatin1Char('\n'), QLatin1String(" | "));
            out.write(line.toUtf8() + '\n');
        }
        return true;
    }

    static QMessageBox::Icon iconOf(MsgIcon icon) {
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
};

QtMessageBox realBox;
MessageBoxService* current = &realBox;

} // namespace

void MsgBox(const QString& text, const QString& title, MsgIcon icon) {
    current->show(text, title, icon);
}

bool MsgAsk(const QString& text, const QString& yes, const QString& no) {
    return current->ask(text, yes, no);
}

MessageBoxService* installMessageBox(MessageBoxService* service) {
    MessageBoxService* previous = current;
    current = service ? service : &realBox;
    return previous == &realBox ? nullptr : previous;
}

QString programTitle() {
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QCoreApplication::applicationName() : name;
}

} // namespace qv
