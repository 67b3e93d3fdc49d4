#include "platform/messagebox.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>

namespace qv {
namespace {

class QtMessageBox final : public MessageBoxService {
public:
    void show(const QString& text, const QString& title, MsgIcon icon) override {
        QMessageBox box(iconOf(icon), title.isEmpty() ? programTitle() : title, text,
                        QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
    }

private:
    static QMessageBox::Icon iconOf(MsgIcon icon) {
        switch (icon) {
        case MsgIcon::Stop:
            return QMessageBox::Critical;
        case MsgIcon::Information:
            return QMessageBox::Information;
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
