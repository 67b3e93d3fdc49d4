#pragma once
// The editor and the launcher of the reliability tests. Seeded sequences of editor actions (add
// and delete buttons, add and remove tabs) are made through modini exactly as the editor window
// calls it: the same seed on the same file gives the same calls, so a test can replay in its own
// process what a killed child was doing. The helper process runs them, or reads as the launcher.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <functional>
#include <random>

namespace qvrel {

// The file an edit script starts from: three tabs with a few buttons each.
QByteArray initialMenu();
// A value as the editor would store it, recognisable when read back whole.
QString itemValue(int tab, int number, int serial);
// One tab of 14 buttons, which the churning writers of the concurrency tests keep changing.
QByteArray churnMenu();

class EditScript {
public:
    // Called after each modini call that changes (or may change) the file, with what it was.
    using AfterCall = std::function<void(const QString& call)>;

    EditScript(QString path, unsigned seed, AfterCall afterCall);

    // One editor action, chosen by the seed from what the file now holds.
    void step();

    // The editor's actions, each a sequence of modini calls.
    void addButton(int tab);
    void deleteButton(int tab, int number);
    void addTab();
    void removeTab(int position);

    // "Number Of Buttons" of a tab, or -1 when it is not a plain number.
    int buttonCount(int tab) const;
    int tabCount() const;

private:
    int count(const QString& section, const QString& key) const;
    void write(const QString& section, const QString& key, const QString& value);
    void done(const QString& call);

    QString path_;
    std::mt19937 random_;
    AfterCall afterCall_;
    int serial_ = 0;
};

// Starts qv_reliability_helper with the arguments and waits for its "R" (it is running).
bool startHelper(QProcess& helper, const QStringList& arguments);
// Waits until the process has written the byte c to its standard output (the bytes before it
// are read and dropped); false when it does not come within the time or the process ends.
bool waitForByte(QProcess& process, char c, int msecs);
// Ends a helper that reads as the launcher: how many reads it made, or -1 (its report printed)
// when it ever found the file missing, a line torn or a count that was never written.
long stopReader(QProcess& reader);
// A template for QTemporaryDir in memory (/dev/shm) when there is one: killing a process and
// renaming files behave the same there, and the many small writes do not wait for a disk.
QString fastTempTemplate();

} // namespace qvrel
