#include "tests/reliability/editscript.h"

#include "common/menulayout.h"
#include "common/modini.h"

#include <QStringList>
#include <utility>

namespace qvrel {

namespace {

constexpr int kMaxTabs = 6;
constexpr int kMaxButtons = 14;

} // namespace

QByteArray initialMenu() {
    QByteArray text = "; menu of the crash and concurrency tests\r\n"
                      "[Settings]\r\n"
                      "Number of tabs=3\r\n"
                      "Tab1=Writing\r\n"
                      "Tab2=Games\r\n"
                      "Tab3=Tools\r\n";
    for (int t = 1; t <= 3; ++t) {
        text += "[Tab " + QByteArray::number(t) + "]\r\n";
        const int count = 2 + t;
        text += "Number of Buttons=" + QByteArray::number(count) + "\r\n";
        for (int m = 1; m <= count; ++m) {
            text += "Button " + QByteArray::number(m) + "=" + itemValue(t, m, 0).toUtf8() + "\r\n";
        }
    }
    return text;
}

QString itemValue(int tab, int number, int serial) {
    // The serial appears twice so that a value cut short or spliced shows at once.
    return QStringLiteral("/srv/apps/t%1/b%2/s%3/prog-%3.exe").arg(tab).arg(number).arg(serial);
}

QByteArray churnMenu() {
    QByteArray text = "[Settings]\r\nNumber of tabs=1\r\nTab1=Churn\r\n[Tab 1]\r\n"
                      "Number of Buttons=14\r\n";
    for (int m = 1; m <= 14; ++m) {
        text += "Button " + QByteArray::number(m) + "=" + itemValue(1, m, 0).toUtf8() + "\r\n";
    }
    return text;
}

EditScript::EditScript(QString path, unsigned seed, AfterCall afterCall)
    : path_(std::move(path)), random_(seed), afterCall_(std::move(afterCall)) {}

void EditScript::done(const Call& call) {
    if (afterCall_) {
        afterCall_(call);
    }
}

int EditScript::tabCount() const {
    const qv::MenuCount c =
        qv::parseCount(qv::ReadKey(path_, qv::kSettings, qv::kNumberOfTabs).value_or(QString()));
    return c.isNumber() ? c.value : (c.state == qv::MenuCount::State::Empty ? 0 : -1);
}

int EditScript::buttonCount(int tab) const {
    const qv::MenuCount c = qv::parseCount(
        qv::ReadKey(path_, qv::tabSection(tab), qv::kNumberOfButtonsRead).value_or(QString()));
    return c.isNumber() ? c.value : (c.state == qv::MenuCount::State::Empty ? 0 : -1);
}

void EditScript::step() {
    const int tabs = tabCount();
    if (tabs < 0) {
        return;
    }
    std::uniform_int_distribution<int> percent(0, 99);
    const int roll = percent(random_);
    if (tabs == 0 || (roll < 8 && tabs < kMaxTabs)) {
        addTab();
        return;
    }
    if (roll < 14 && tabs > 1) {
        removeTab(std::uniform_int_distribution<int>(1, tabs)(random_));
        return;
    }
    const int tab = std::uniform_int_distribution<int>(1, tabs)(random_);
    const int count = buttonCount(tab);
    if (count < 0) {
        return;
    }
    if (count == 0 || (roll < 60 && count < kMaxButtons)) {
        addButton(tab);
    } else {
        deleteButton(tab, std::uniform_int_distribution<int>(1, count)(random_));
    }
}

// The editor's add: the new button goes after the last, then the count follows.
void EditScript::addButton(int tab) {
    const int count = buttonCount(tab);
    if (count < 0) {
        return;
    }
    const QString section = qv::tabSection(tab);
    const QString item = itemValue(tab, count + 1, ++serial_);
    Call write{Call::Kind::WriteKey, section, qv::buttonKey(count + 1), item};
    write.result = qv::WriteKey(path_, section, write.key, item);
    done(write);
    Call number{Call::Kind::WriteKey, section, qv::kNumberOfButtonsWrite,
                QString::number(count + 1)};
    number.result = qv::WriteKey(path_, section, number.key, number.value);
    done(number);
}

// The editor's delete: the key goes, the later buttons move down by one, then the count.
void EditScript::deleteButton(int tab, int number) {
    const int count = buttonCount(tab);
    if (count < 1) {
        return;
    }
    const QString section = qv::tabSection(tab);
    Call del{Call::Kind::DeleteKey, section, qv::buttonKey(number), {}};
    del.result = qv::DeleteKey(path_, section, del.key);
    done(del);
    if (number >= 1 && number < count) {
        Call ren{Call::Kind::RenameKeys, section, qv::buttonKey(number + 1), qv::buttonKey(count)};
        for (int k = number + 1; k <= count; ++k) {
            ren.renames.emplace_back(qv::buttonKey(k), qv::buttonKey(k - 1));
        }
        ren.result = qv::RenameKeys(path_, section, ren.renames);
        done(ren);
    }
    Call write{Call::Kind::WriteKey, section, qv::kNumberOfButtonsWrite,
               QString::number(count - 1)};
    write.result = qv::WriteKey(path_, section, write.key, write.value);
    done(write);
}

void EditScript::addTab() {
    const int tabs = tabCount();
    if (tabs < 0) {
        return;
    }
    Call number{Call::Kind::WriteKey, qv::kSettings, qv::kNumberOfTabs, QString::number(tabs + 1)};
    number.result = qv::WriteKey(path_, number.section, number.key, number.value);
    done(number);
    Call caption{Call::Kind::WriteKey, qv::kSettings, qv::tabCaptionKey(tabs + 1),
                 QStringLiteral("Tab Caption %1").arg(++serial_)};
    caption.result = qv::WriteKey(path_, caption.section, caption.key, caption.value);
    done(caption);
}

// The editor's removal of the tab at a position: captions shift down, the last caption key
// goes, the count follows, the tab's section goes and the later sections are renumbered.
void EditScript::removeTab(int position) {
    const int n = tabCount();
    if (n < 1 || position < 1 || position > n) {
        return;
    }
    QStringList captions;
    for (int k = 1; k <= n; ++k) {
        captions << qv::ReadKey(path_, qv::kSettings, qv::tabCaptionKey(k)).value_or(QString());
    }
    captions.removeAt(position - 1);
    Call del{Call::Kind::DeleteKey, qv::kSettings, qv::tabCaptionKey(n), {}};
    del.result = qv::DeleteKey(path_, del.section, del.key);
    done(del);
    for (int k = 1; k <= n - 1; ++k) {
        Call caption{Call::Kind::WriteKey, qv::kSettings, qv::tabCaptionKey(k), captions[k - 1]};
        caption.result = qv::WriteKey(path_, caption.section, caption.key, caption.value);
        done(caption);
    }
    Call number{Call::Kind::WriteKey, qv::kSettings, qv::kNumberOfTabs, QString::number(n - 1)};
    number.result = qv::WriteKey(path_, number.section, number.key, number.value);
    done(number);
    Call drop{Call::Kind::DeleteSection, qv::tabSection(position), {}, {}};
    drop.result = qv::DeleteSection(path_, drop.section);
    done(drop);
    for (int j = position; j <= n - 1; ++j) {
        Call ren{Call::Kind::RenameSection, {}, qv::tabSection(j + 1), qv::tabSection(j)};
        ren.result = qv::RenameSection(path_, ren.key, ren.value);
        done(ren);
    }
}

} // namespace qvrel
