// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pupils' launcher window: the tabs of qv.ini, their buttons ten to a page, the start of
// the item behind a button, spoken commands and the desktop character.
#include "common/menulayout.h"
#include "common/modini.h"
#include "common/pushtotalk.h"
#include "common/ui/tabstrip.h"
#include "platform/services.h"

#include <QSize>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QMenuBar;
class QMimeData;
class QPushButton;
class QStatusBar;

namespace qv {
enum class Hearing;
class CharacterService;
class ListeningBadge;
class MenuFollower;
class StartAnnouncer;
class TalkControl;
class VoiceLearning;
class IconSurface;
class LaunchButtonArray;
class TabPages;
class RecognitionContext;
struct LaunchWindow;
} // namespace qv

class frmstudent : public QWidget {
    Q_OBJECT
public:
    // programFolder holds qv.ini, standard/ and ordergrammar.xml; empty means the folder of the
    // running program.
    explicit frmstudent(const qv::Services& services, const QString& programFolder = {},
                        QWidget* parent = nullptr);
    ~frmstudent() override;

    // Where the screen size and the user name come from (tests replace them before Form_Load).
    std::function<QSize()> screenSize;
    std::function<QString()> logonName;

    QString profilePath() const { return profilePath_; }
    QString programFolder() const { return programFolder_; }
    // The text of status panel 1 to 3.
    QString panelText(int panel) const;

    // Controls, named as in the window's design.
    QWidget* client = nullptr; // the client area (below the menu bar)
    QMenuBar* menuBar = nullptr;
    QMenu* mnufile = nullptr;
    QAction* mnuAnimate = nullptr;
    QAction* mnuhide = nullptr;
    // The machine's push-to-talk choice, checkable; stored in qv::launcherSettingsPath().
    QMenu* mnuspeech = nullptr;
    // The speech controls of the window lie outside it at its design size: the menu offers the
    // same start/stop and choice of recognizer.
    QAction* mnuStartReco = nullptr;
    QMenu* mnuEngines = nullptr;
    QActionGroup* engineChoice_ = nullptr; // the entries of mnuEngines, made anew at each opening
    QAction* mnuPushToTalk = nullptr;
    // The pupil's own voice: learnt once (frmvoice), kept in qv::pupilVoicePath(), forgotten.
    QAction* mnuLearnVoice = nullptr;
    QAction* mnuForgetVoice = nullptr;
    QStatusBar* bar = nullptr;
    QLabel* barPanel[3] = {nullptr, nullptr, nullptr};
    qv::TabStrip* ceptab = nullptr;
    qv::LaunchButtonArray* cmdapplau = nullptr;
    QPushButton* cmdback = nullptr;
    QPushButton* cmdnext = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* cmdStartReco = nullptr;
    QComboBox* cmbEngines = nullptr;
    QLabel* lblGrammar = nullptr;
    QLabel* Image1 = nullptr;
    qv::IconSurface* imgicon = nullptr;
    // Beside the tab strip, in the visible window: whether spoken commands are listened for,
    // and what was last heard.
    QLabel* lblListening = nullptr;
    // Shown while push to talk is on: the recognizer hears the room while it is held down.
    QPushButton* cmdHoldToTalk = nullptr;

    // The loaded character, or nullptr when there is none (start-up stopped early, or the
    // character could not be loaded).
    qv::CharacterService* character() const { return character_; }
    qv::RecognitionContext* oRC() const { return oRC_.get(); }

    bool FileExists(const QString& path) const;
    // The number of buttons on the pages before the one shown.
    std::int16_t pageOffset() const;

public slots:
    void Form_Load();
    void ceptab_Click();
    void cmdnext_Click();
    void cmdback_Click();
    void LoadButton();
    void cmdapplau_MouseDown(int index, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x,
                             int y);
    void Image1_OLEDragDrop(const QMimeData* data);
    void cmbEngines_Click();
    void LoadGrammar();
    void cmdStartReco_Click();
    void oRC_Recognition(const QString& text);
    void oRC_FalseRecognition(const QString& text);
    void oRC_InputTooLoud();
    // Switches push to talk on or off for this window; mnuPushToTalk_Click also stores it.
    void setPushToTalk(bool on);
    void mnuPushToTalk_Click(bool checked);
    void mnuLearnVoice_Click();
    void mnuForgetVoice_Click();
    void Form_Unload();

signals:
    // The window has unloaded; the program ends.
    void unloaded();
    // A changed qv.ini was read: shown true when the tab strip and the page were rebuilt from
    // it, false when it could not be read as a menu and the menu on screen stayed.
    void menuChecked(bool shown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Window state. Counters are 16-bit; an increment that would pass 32767 stops the handler
    // at that point (nothing more is started or built) instead of wrapping.
    QString userName;
    std::int16_t loadedButtons = 0;
    std::int16_t tabNo = 0;
    QString currentItem;
    bool firstFive = true;
    QString droppedFile;

    // Speech state.
    bool grammarLoaded = false;
    bool recognitionActive = false;
    QString lastPhrase;

    void buildControls();
    // The speech controls, the Speech menu, push to talk and the pupil's voice (in
    // frmstudent_speech.cpp).
    void buildSpeechMenu();
    void buildSpeechControls();
    void setUpSpeech();
    // Removes every tab and adds one per configured tab with its caption; selects the first.
    void fillTabStrip();
    // The tab strip and the page shown built again from a changed qv.ini, on the pupil's tab
    // and page where they still exist, the focus on the same slot.
    void showMenuAgain();
    // What the badge says while nothing was heard yet.
    qv::Hearing listeningIdle() const;
    // After a page change that disabled the page button that had the focus, the focus goes to
    // the other one rather than wherever the focus chain leads.
    void keepFocusOnPage(QPushButton* was, bool hadFocus, QPushButton* other);
    void unloadButtons();
    QString readItem(int button) const;
    std::int16_t tabIndex() const;
    void setPanel(int panel, const QString& text);
    void showSpeechError(int number, const QString& description);
    // The recognizer chosen in cmbEngines, with its grammar; rules inactive.
    void buildRecognizer();
    // Learning needs a recognizer with its grammar; forgetting, a voice kept for it.
    void updateSpeechMenu();

    qv::Services services_;
    // Every message of the window; the menu's load and reload each say a failure once.
    mutable qv::ShownInAction messages_;
    QString programFolder_;
    QString profilePath_;
    std::unique_ptr<qv::LaunchWindow> launchWindow_;
    qv::TabPages* pages_ = nullptr; // ceptab, cmdback, cmdnext, cmdapplau and their paging
    qv::CharacterService* character_ = nullptr;
    std::unique_ptr<qv::RecognitionContext> oRC_;
    bool characterSpeaking_ = false;
    bool unloadedOnce_ = false;
    bool tooLoudShown_ = false;     // the status bar said it once; no need to nag
    bool noRecognizerSaid_ = false; // that speech cannot be used, once
    qv::UnreadableCountNotice countNotice_;

    // Our additions beside the description's handlers, each with what it owns.
    qv::StartAnnouncer* announcer_ = nullptr;
    qv::MenuFollower* menu_ = nullptr;
    qv::TalkControl* talk_ = nullptr; // push to talk
    qv::VoiceLearning* voice_ = nullptr;
    qv::ListeningBadge* badge_ = nullptr;
};
