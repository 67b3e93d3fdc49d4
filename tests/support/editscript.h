// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor and the launcher of the reliability tests. A seeded sequence of editor actions (add
// and delete buttons) is made through modini as the editor window calls it: the same seed on
// the same file gives the same calls, so a test can replay in its own process what a killed
// helper was doing. Also brings what every reliability test uses.
#include "common/menulayout.h"
#include "common/modini.h"
#include "platform/dialogs/messagebox.h"

#include <QByteArray>
#include <QProcess>
#include <functional>
#include <random>
#include <vector>

namespace qvrel {

// A value as the editor would store it, recognisable when read back whole.
QString itemValue(int tab, int number, int serial);
// A menu with one tab ("Room 1", "Room 2", ...) per count, holding that many buttons (serial 0).
QByteArray menu(const std::vector<int>& buttons);

class EditScript {
public:
    // after is called after each modini call that changes (or may change) the file.
    EditScript(QString path, unsigned seed, qv::MessageBoxService& messages,
               std::function<void()> after = {});

    // One editor action, chosen by the seed from what the file now holds.
    void step();
    void addButton(int tab);
    void deleteButton(int tab, int number);
    int buttonCount(int tab) const;
    int tabCount() const;

private:
    void write(const QString& section, const QString& key, const QString& value);

    QString path_;
    qv::MessageBoxService& messages_;
    std::mt19937 random_;
    std::function<void()> after_;
    int serial_ = 0;
};

// Every entry of a folder, hidden ones too, by name.
QStringList folderEntries(const QString& dir);
// Starts qv_reliability_helper with the arguments and waits for its "R" (it is running).
bool startHelper(QProcess& helper, const QStringList& arguments);
// Ends a helper that reads as the launcher: how many reads it made, or -1 (its report printed)
// when it ever found the file missing, a line torn or a count that was never written.
long stopReader(QProcess& reader);
// A template for QTemporaryDir in memory (/dev/shm) when there is one: killing a process and
// renaming files behave the same there, and the many small writes do not wait for a disk.
QString fastTempTemplate();

} // namespace qvrel
