#pragma once
// Seeded sequences of editor actions (add and delete buttons, add and remove tabs), made through
// modini exactly as the editor window calls it. The same seed on the same file gives the same
// calls, so a test can replay in its own process what a killed child was doing.
#include <QByteArray>
#include <QString>
#include <functional>
#include <random>
#include <utility>
#include <vector>

namespace qvrel {

// One modini call that changes (or may change) the file.
struct Call {
    enum class Kind { WriteKey, DeleteKey, DeleteSection, RenameSection, RenameKeys };
    Kind kind;
    QString section;
    QString key;   // the key, or the old key / old section name of a rename
    QString value; // the value, or the new key / new section name of a rename
    // RenameKeys: the old and new keys, in order.
    std::vector<std::pair<QString, QString>> renames{};
    int result = 0;
};

// The file an edit script starts from: three tabs with a few buttons each.
QByteArray initialMenu();

// A value as the editor would store it, recognisable when read back whole.
QString itemValue(int tab, int number, int serial);

// One tab of 14 buttons, which the churning writers of the concurrency tests keep changing.
QByteArray churnMenu();

class EditScript {
public:
    using AfterCall = std::function<void(const Call&)>;

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
    void done(const Call& call);

    QString path_;
    std::mt19937 random_;
    AfterCall afterCall_;
    int serial_ = 0;
};

} // namespace qvrel
