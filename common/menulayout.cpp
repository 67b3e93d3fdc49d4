#include "common/menulayout.h"

#include "common/modini.h"
#include "platform/messagebox.h"
#include "platform/profile.h"
#include "platform/profile_engine.h"
#include "platform/startup.h"

#include <QCoreApplication>

namespace qv {

namespace {
// The one setting of the process beyond its windows: which menu file it was started on.
QString& chosenProfilePath() {
    static QString path;
    return path;
}

// Whether the value stored under section/key holds a NUL: a read gives only the text before
// it, which reads the same as a value that ends there.
bool storedValueHoldsNul(const QString& path, const QString& section, const QString& key) {
    const profile::ReadResult file = profile::readProfileFile(path.toLocal8Bit().constData());
    if (file.status != profile::ReadStatus::Ok) {
        return false;
    }
    const std::optional<profile::Line> line = profile::findKey(
        file.bytes, section.toLocal8Bit().toStdString(), key.toLocal8Bit().toStdString());
    return line && line->rawValue.find('\0') != std::string_view::npos;
}

} // namespace

QString programFolder() {
    return dataFolder();
}

QString ProfilePath() {
    const QString& chosen = chosenProfilePath();
    return chosen.isEmpty() ? ProfilePath(programFolder()) : chosen;
}

QString ProfilePath(const QString& folder) {
    return menuFileIn(folder);
}

void useProfilePath(const QString& path) {
    chosenProfilePath() = path;
}

QString tabCaptionKey(int n) {
    return QStringLiteral("Tab") + QString::number(n);
}

QString tabSection(int n) {
    return QStringLiteral("Tab ") + QString::number(n);
}

QString buttonKey(int m) {
    return QStringLiteral("Button ") + QString::number(m);
}

bool refuseCutItem(const QString& profilePath, int tab, int button, const QString& item) {
    if (!ValueWasCut(profilePath, tabSection(tab), buttonKey(button), item) &&
        !storedValueHoldsNul(profilePath, tabSection(tab), buttonKey(button))) {
        return false;
    }
    MsgBox(QStringLiteral("Button %1 of tab %2 is not started: the item stored for it in %3 is "
                          "longer than the 254 characters that can be read back, or holds a NUL "
                          "character, so what was read may name another program:\r\n%4\r\n"
                          "Store the item again with a shorter path.")
               .arg(button)
               .arg(tab)
               .arg(profilePath, item),
           {}, MsgIcon::Information);
    return true;
}

QString resolveSpecialItem(const QString& stored) {
    return resolveSpecialItem(stored, programFolder());
}

QString resolveSpecialItem(const QString& stored, const QString& folder) {
    if (stored == kMyComputer || stored == kMyDocuments) {
        return folder + QStringLiteral("/standard/") + stored;
    }
    return stored;
}

MenuCount parseCount(const QString& text) {
    MenuCount count;
    if (text.isEmpty()) {
        return count;
    }
    // Digits only, ASCII only; leading zeros are harmless. Anything else (a sign, blanks, a
    // fraction, a number beyond 32767) is never guessed at.
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            count.state = MenuCount::State::Unreadable;
            return count;
        }
        value = value * 10 + (c.unicode() - '0');
        if (value > 32767) {
            count.state = MenuCount::State::Unreadable;
            return count;
        }
    }
    count.state = MenuCount::State::Number;
    count.value = static_cast<std::int16_t>(value);
    return count;
}

} // namespace qv
