#pragma once
// The teacher's editor window: the tabs of qv.ini with their buttons ten to a page, the editing
// of tabs, and the drop area through which new buttons are made.
#include "common/menuitem.h"
#include "common/menulayout.h"
#include "common/ui/tabstrip.h"
#include "platform/services.h"

#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMimeData;
class QPushButton;

namespace qv {
class IconSurface;
class LaunchButtonArray;
class Pager;
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

    // Why a dropped path cannot be stored in the menu file, or an empty text when it can.
    static QString unstorablePathReason(const QString& path);

    // Controls, named as in the window's design.
    QLabel* Image1 = nullptr;
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

public slots:
    void Form_Load();
    void ceptab_Click();
    void cmdnext_Click();
    void cmdback_Click();
    void LoadButton(bool append, bool firstFive);
    void cmdaddtab_Click();
    void cmdremovetab_Click();
    void Image1_OLEDragDrop(const QMimeData* data);
    void cmdaddbutt_Click();
    void cmdapplau_MouseDown(int index, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x,
                             int y);
    void txtTarget_Change();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

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
    // Tells the teacher that the tab's count is damaged; the change is refused.
    void refuseUnreadableCount(std::int16_t tab, const QString& action) const;
    void showTabCountDamaged() const;
    void selectTabQuietly(int zeroBased);

    qv::Services services_;
    QString programFolder_;
    QString profilePath_;
    std::unique_ptr<qv::LaunchWindow> launchWindow_;
    std::unique_ptr<qv::Pager> pager_;
    // True while the window itself changes the tab strip (adding, removing, loading): those
    // changes are not the teacher's clicks.
    bool changingTabs_ = false;
    // Tab editing is refused while "Number of tabs" cannot be read as a number.
    bool tabCountDamaged_ = false;
    // Window state. Counters are 16-bit; an increment that would pass 32767 stops the handler
    // at that point instead of wrapping.
    std::int16_t loadedButtons = 0;
    std::int16_t tabNo = 0;
    QString currentItem;
    QString droppedFile;
    QString droppedType;
};
