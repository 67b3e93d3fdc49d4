// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The teacher's editor window: the tabs of qv.ini with their buttons ten to a page, the editing
// of tabs, and the drop area through which new buttons are made.
#include "common/menuedit.h"
#include "common/menuitem.h"
#include "common/menulayout.h"
#include "common/modini.h"
#include "common/ui/tabstrip.h"
#include "platform/services.h"
#include "teach/editornotices.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMimeData;
class QPushButton;

namespace qv {
class IconSurface;
class MenuWatcher;
class LaunchButtonArray;
class TabPages;
struct LaunchWindow;
} // namespace qv

class frmdrop : public QWidget {
    Q_OBJECT
public:
    // programFolder holds qv.ini and standard/; empty means the folder of the running program.
    explicit frmdrop(const qv::Services& services, const QString& programFolder = {},
                     QWidget* parent = nullptr);
    ~frmdrop() override;

    QString profilePath() const { return profilePath_; }
    QString programFolder() const { return programFolder_; }

    // Controls, named as in the window's design.
    QLabel* Image1 = nullptr;
    // "Add from list...", inside the drop area: the same preview as a drop, without dragging.
    QPushButton* cmdlist = nullptr;
    qv::IconSurface* imgicon = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* labTarget = nullptr;
    QLabel* labName = nullptr;
    QLabel* labHint = nullptr;
    QLineEdit* txtTarget = nullptr;
    QLineEdit* txtappname = nullptr;
    QLineEdit* txtHint = nullptr;
    QLineEdit* txttabcaption = nullptr;
    QPushButton* cmdaddtab = nullptr;
    QPushButton* cmdremovetab = nullptr;
    QPushButton* cmdaddbutt = nullptr;
    qv::TabStrip* ceptab = nullptr;
    QPushButton* cmdback = nullptr;
    QPushButton* cmdnext = nullptr;
    qv::LaunchButtonArray* cmdapplau = nullptr;
    // The hidden "Edit Button" menu; nothing shows it and its entries do nothing.
    QMenu* mnubutton = nullptr;
    QAction* mnutest = nullptr;
    QAction* mnudelete = nullptr;

    // 1-based index of the selected tab, 0 when there is no tab.
    std::int16_t selectedTab() const;
    // The number of buttons on the pages before the one shown.
    std::int16_t pageOffset() const;
    // True while the menu file may not be changed here (read-only, not a menu of the user's...).
    bool readOnly() const { return !qv::menufile::mayChange(access_); }

public slots:
    void Form_Load();
    void ceptab_Click();
    void cmdnext_Click();
    void cmdback_Click();
    void LoadButton(bool append, bool firstFive);
    void cmdaddtab_Click();
    void cmdremovetab_Click();
    void Image1_OLEDragDrop(const QMimeData* data);
    // Opens the chooser; its choice is handed on as a drop of that one file.
    void cmdlist_Click();
    // The path handed on as a drop of that one file would be.
    void dropFile(const QString& path);
    void cmdaddbutt_Click();
    void cmdapplau_MouseDown(int index, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x,
                             int y);
    void txtTarget_Change();
    // The file changed elsewhere: show it as it is now, on the same tab and page where they
    // still exist. A preview in progress stays.
    void followFile();

private:
    void buildControls();
    void unloadButtons();
    qv::MenuCount readButtonCount(std::int16_t tab) const;
    QString readButton(std::int16_t tab, int button) const;
    QString resolveSpecial(const QString& item) const;
    // Fills the preview from droppedFile for its kind and enables "&Add Button". A shortcut is
    // previewed with its target's icon, a program, desktop entry or bare executable with its own.
    void showPreview(const qv::MenuItem& dropped, bool drawIcon);
    void setWaiting();
    // The hint line of a preview, saying so when the item is already on the selected tab.
    void showHint();

    // Builds the tab strip and a page again from the file as it is: the tab at selectIndex (or,
    // for -1, the tab shown before, found by its caption), and its first page, the page it was
    // on, or the page that holds button `button`.
    enum class Page { Keep, First, OfButton };
    void rebuildView(int selectIndex, Page page, int button = 0);
    // Makes one change of the file as it is now; true when it was saved. Otherwise the teacher
    // is told why and the view is built again from the file, so that it never shows a change
    // that was not made. forTabs tells the tab count from a tab's button count in messages.
    bool change(const std::function<qv::menuedit::Change(std::string_view)>& edit, bool forTabs,
                const QString& action, qv::menuedit::Change* done = nullptr);
    // Reads whether the file may be changed and sets the title and the editing controls; tells
    // the teacher once when it may not.
    void updateAccess();
    qv::menuedit::ShownTab shownTab() const;
    // The menu file's path as the platform's file calls take it.
    std::string menuFile() const { return profilePath_.toLocal8Bit().toStdString(); }

    qv::Services services_;
    // Every message of the window; the menu's load and reload each say a failure once.
    mutable qv::ShownInAction messages_;
    QString programFolder_;
    QString profilePath_;
    std::unique_ptr<qv::LaunchWindow> launchWindow_;
    qv::EditorNotices notices_{profilePath_, messages_};
    qv::TabPages* pages_ = nullptr; // ceptab, cmdback, cmdnext, cmdapplau and their paging
    // True while the window itself changes the tab strip (adding, removing, loading): those
    // changes are not the teacher's clicks.
    bool changingTabs_ = false;
    // Tab editing is refused while "Number of tabs" cannot be read as a number.
    bool tabCountDamaged_ = false;
    qv::MenuWatcher* watcher_ = nullptr;
    // The bytes of the menu the view was built from, and the stored items of the page shown by
    // button number: a press acts only on the item the teacher saw.
    QByteArray shownMenu_;
    QHash<int, QString> shownItems_;
    qv::menufile::Access access_ = qv::menufile::Access::Writable;
    bool accessTold_ = false;
    qv::UnreadableCountNotice countNotice_;
    // Window state. Counters are 16-bit; an increment that would pass 32767 stops the handler
    // at that point instead of wrapping.
    std::int16_t loadedButtons = 0;
    std::int16_t tabNo = 0;
    QString currentItem;
    QString droppedFile;
};
