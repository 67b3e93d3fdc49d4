// SPDX-License-Identifier: GPL-3.0-or-later
#include "student/frmstudent.h"

#include "character/character.h"
#include "common/GetFileName.h"
#include "common/ShrtcutPath.h"
#include "common/linuxitems.h"
#include "common/menuitem.h"
#include "common/menulayout.h"
#include "common/menuwatcher.h"
#include "common/modini.h"
#include "common/pager.h"
#include "common/pupilvoice.h"
#include "common/pushtotalk.h"
#include "common/ui/Arrays.h"
#include "common/ui/ExtIcon.h"
#include "common/ui/cmdapplau.h"
#include "common/ui/imgicon.h"
#include "common/ui/twips.h"
#include "platform/dialogs/messagebox.h"
#include "platform/files/filetest.h"
#include "platform/files/regularfile.h"
#include "platform/profile/profile.h"
#include "platform/session/username.h"
#include "platform/shell/shell.h"
#include "platform/speech.h"
#include "student/frmvoice.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <limits>

namespace {

// Design size of the client area, in twips.
constexpr int kClientWidth = 9330;
constexpr int kClientHeight = 4860;
constexpr int kBarHeight = 255;

const QString kStartRecognition = QStringLiteral("Start Recognition");
const QString kStopRecognition = QStringLiteral("Stop Recognition");
const QString kGrammarLoaded = QStringLiteral("Current loaded Grammar: ordergrammar.xml");
const QString kGrammarNone = QStringLiteral("Current loaded Grammar: None");
const QString kCommandUnknown = QStringLiteral("Command Unknown");
const QString kButtonNotLoaded = QStringLiteral("Button not loaded");
const QString kActivateFailed =
    QStringLiteral("Failed to activate the grammar. It is possible that your audio device is "
                   "used by other application.");
const QString kGrammarFile = QStringLiteral("ordergrammar.xml");
const QString kFileNotFound = QStringLiteral("Error in INI file : File Not Found");
const QString kNoTabsFound = QStringLiteral("Error in INI file : No Tabs Found");

// The listening indicator's states.
const QString kNotListening = QStringLiteral("Not listening");
const QString kListening = QStringLiteral("Listening");
const QString kHeard = QStringLiteral("Heard: %1");
const QString kNotUnderstood = QStringLiteral("Not understood");
const QString kHeardNothing = QStringLiteral("Heard nothing");
const QString kTooLoud = QStringLiteral("Microphone too loud - turn it down");
const QString kHoldSpace = QStringLiteral("Hold Space to talk");

// Hands every event of the program to the launcher before its receiver sees it.
class EventTap final : public QObject {
public:
    EventTap(QObject* parent, std::function<bool(QObject*, QEvent*)> tap)
        : QObject(parent), tap_(std::move(tap)) {}
    bool eventFilter(QObject* watched, QEvent* event) override { return tap_(watched, event); }

private:
    std::function<bool(QObject*, QEvent*)> tap_;
};

// The spoken commands, in table order; row i presses button i + 1.
const QString kPhrases[] = {QStringLiteral("button one"),   QStringLiteral("button two"),
                            QStringLiteral("button three"), QStringLiteral("button four"),
                            QStringLiteral("button five"),  QStringLiteral("button six"),
                            QStringLiteral("button seven"), QStringLiteral("button eight"),
                            QStringLiteral("button nine"),  QStringLiteral("button ten")};

std::int16_t clamp16(int value) {
    return static_cast<std::int16_t>(std::clamp<int>(
        value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

// Blanks at both ends only: a tab or line break around a phrase is not a blank.
QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' ')) {
        ++first;
    }
    while (last > first && text.at(last - 1) == QLatin1Char(' ')) {
        --last;
    }
    return text.mid(first, last - first);
}

// A choice of the launcher's own (push to talk, the pupil's voice) could not be stored.
void tellNotSaved(qv::MessageBoxService& messages, const QString& path) {
    qv::MsgBox(messages,
               QStringLiteral("The choice could not be saved in %1; it holds until "
                              "Quorvel Student is closed.")
                   .arg(path),
               {}, qv::MsgIcon::Information);
}

QString speechErrorText(int number, const QString& description) {
    // A line break between number and description, as the platform's message box shows it.
    return QStringLiteral("Error-No.: %1\n%2").arg(number).arg(description);
}

} // namespace

frmstudent::frmstudent(const qv::Services& services, const QString& programFolder, QWidget* parent)
    : QWidget(parent), services_(services), messages_(*services.messages),
      programFolder_(programFolder.isEmpty() ? qv::programFolder() : programFolder),
      profilePath_(!services.menuPath.isEmpty() ? services.menuPath
                   : programFolder.isEmpty()    ? qv::ProfilePath()
                                                : qv::ProfilePath(programFolder)) {
    screenSize = [] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->geometry().size() : QSize(1024, 768);
    };
    logonName = [] { return qv::logonUserName(); };
    buildControls();
    if (services_.shell) {
        openerSeen_ = services_.shell->lastOpenerStart();
        services_.shell->openerEnded = [this](int start, bool opened) {
            openerEnded(start, opened);
        };
    }
}

frmstudent::~frmstudent() {
    if (services_.shell) {
        services_.shell->openerEnded = nullptr; // an opener may end after the window
    }
    // The context may still deliver events while the controls go away; release it first.
    oRC_.reset();
    // And the tap, which would else see the events of the controls going away.
    delete talkKeyFilter_;
    talkKeyFilter_ = nullptr;
}

void frmstudent::buildControls() {
    setWindowTitle(QStringLiteral("Quorvel Student"));
    setObjectName(QStringLiteral("frmstudent"));
    // The window's design font, which every control without a font of its own takes; at the
    // toolkit's larger default the captions would not fit on the buttons.
    QFont design(QStringLiteral("MS Sans Serif"));
    design.setPointSizeF(8.25);
    setFont(design);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    menuBar = new QMenuBar(this);
    // The entries carry no action.
    mnufile = menuBar->addMenu(QStringLiteral("Wizard"));
    mnuAnimate = mnufile->addAction(QStringLiteral("Animate Character"));
    mnuhide = mnufile->addAction(QStringLiteral("Hide Oracle"));
    mnuspeech = menuBar->addMenu(QStringLiteral("&Speech")); // Alt+S: the keyboard starts listening
    mnuStartReco = mnuspeech->addAction(kStartRecognition);
    connect(mnuStartReco, &QAction::triggered, this, [this] { cmdStartReco_Click(); });
    mnuEngines = mnuspeech->addMenu(QStringLiteral("Recognizer"));
    engineChoice_ = new QActionGroup(mnuEngines); // one recognizer checked at a time
    mnuspeech->addSeparator();
    mnuPushToTalk = mnuspeech->addAction(QStringLiteral("Push to talk (hold Space)"));
    mnuPushToTalk->setCheckable(true);
    connect(mnuPushToTalk, &QAction::triggered, this, &frmstudent::mnuPushToTalk_Click);
    mnuspeech->addSeparator();
    mnuLearnVoice = mnuspeech->addAction(QStringLiteral("Learn my voice..."));
    connect(mnuLearnVoice, &QAction::triggered, this, &frmstudent::mnuLearnVoice_Click);
    mnuForgetVoice = mnuspeech->addAction(QStringLiteral("Forget my voice"));
    connect(mnuForgetVoice, &QAction::triggered, this, &frmstudent::mnuForgetVoice_Click);
    // What the pupil can do depends on the recognizer, listening and the voice file at that moment.
    connect(mnuspeech, &QMenu::aboutToShow, this, &frmstudent::updateSpeechMenu);
    layout->setMenuBar(menuBar);

    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setMinimumSize(qv::twipsToPixels(kClientWidth), qv::twipsToPixels(kClientHeight));
    layout->addWidget(client);
    client->installEventFilter(this);

    ceptab = new qv::TabStrip(client);
    ceptab->setObjectName(QStringLiteral("ceptab"));
    ceptab->setGeometry(qv::twipsRect(120, 840, 9135, 3735));
    connect(ceptab, &qv::TabStrip::currentChanged, this, [this] { ceptab_Click(); });

    cmdback = new QPushButton(QStringLiteral("<<"), client);
    cmdback->setObjectName(QStringLiteral("cmdback"));
    cmdback->setGeometry(qv::twipsRect(240, 1320, 375, 3135));
    connect(cmdback, &QPushButton::clicked, this, &frmstudent::cmdback_Click);

    cmdnext = new QPushButton(QStringLiteral(">>"), client);
    cmdnext->setObjectName(QStringLiteral("cmdnext"));
    cmdnext->setGeometry(qv::twipsRect(8760, 1320, 375, 3135));
    cmdnext->setEnabled(false);
    connect(cmdnext, &QPushButton::clicked, this, &frmstudent::cmdnext_Click);

    Label1 = new QLabel(QStringLiteral("QUORVEL"), client);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(qv::twipsRect(2760, 120, 3735, 615));
    Label1->setFont(QFont(QStringLiteral("Arial"), 24));
    Label1->setAlignment(Qt::AlignCenter);

    cmdStartReco = new QPushButton(kStartRecognition, client);
    cmdStartReco->setObjectName(QStringLiteral("cmdStartReco"));
    QFont bold(QStringLiteral("MS Sans Serif"));
    bold.setPointSizeF(8.25);
    bold.setBold(true);
    cmdStartReco->setFont(bold);
    cmdStartReco->setGeometry(qv::twipsRect(10080, 4080, 2055, 375));
    // Outside the visible window: the pointer reaches it once the window is widened, the
    // keyboard's focus never lands on a control the pupil cannot see.
    cmdStartReco->setFocusPolicy(Qt::NoFocus);
    connect(cmdStartReco, &QPushButton::clicked, this, &frmstudent::cmdStartReco_Click);

    cmbEngines = new QComboBox(client);
    cmbEngines->setObjectName(QStringLiteral("cmbEngines"));
    cmbEngines->setPlaceholderText(QStringLiteral("Combo1"));
    cmbEngines->setGeometry(qv::twipsRect(9720, 3000, 3255, 315));
    cmbEngines->setFocusPolicy(Qt::NoFocus);
    connect(cmbEngines, &QComboBox::activated, this, [this] { cmbEngines_Click(); });

    lblGrammar = new QLabel(client);
    lblGrammar->setObjectName(QStringLiteral("lblGrammar"));
    lblGrammar->setGeometry(qv::twipsRect(9600, 3720, 3615, 255));

    Image1 = new QLabel(QStringLiteral("Drop here..."), client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(qv::twipsRect(10680, 2400, 855, 855));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setWordWrap(true);
    Image1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Image1->setAcceptDrops(true);
    Image1->installEventFilter(this);

    imgicon = new qv::IconSurface(client);
    imgicon->setObjectName(QStringLiteral("imgicon"));
    imgicon->setGeometry(qv::twipsRect(10680, 4800, 615, 615));

    lblListening = new QLabel(client);
    lblListening->setObjectName(QStringLiteral("lblListening"));
    lblListening->setAlignment(Qt::AlignCenter);
    setListening(kNotListening);

    // Left of the title, where the window has room; large, for small hands and a mouse.
    cmdHoldToTalk = new QPushButton(QStringLiteral("Hold to talk"), client);
    cmdHoldToTalk->setObjectName(QStringLiteral("cmdHoldToTalk"));
    cmdHoldToTalk->setGeometry(qv::twipsRect(120, 120, 2520, 615));
    cmdHoldToTalk->setFont(bold);
    cmdHoldToTalk->setAccessibleDescription(
        QStringLiteral("Spoken commands are heard while this button or Space is held down"));
    cmdHoldToTalk->setFocusPolicy(Qt::NoFocus); // Space is the key; no focus stop of its own
    cmdHoldToTalk->setVisible(false);
    cmdHoldToTalk->setEnabled(false);
    connect(cmdHoldToTalk, &QPushButton::pressed, this, [this] { talk(talkKeys_.button(true)); });
    connect(cmdHoldToTalk, &QPushButton::released, this, [this] { talk(talkKeys_.button(false)); });

    cmdapplau = new qv::LaunchButtonArray(client, QRect(1080, 1440, 1335, 1095));
    cmdapplau->setKeysPress(true);
    connect(cmdapplau, &qv::LaunchButtonArray::MouseDown, this, &frmstudent::cmdapplau_MouseDown);

    launchWindow_ = std::make_unique<qv::LaunchWindow>();
    launchWindow_->window = this;
    launchWindow_->cmdapplau = cmdapplau;
    launchWindow_->imgicon = imgicon;
    launchWindow_->programFolder = programFolder_;
    launchWindow_->overlayShortcutIcons = true;
    launchWindow_->messages = &messages_;

    qv::PageView view;
    view.count = [this] {
        return qv::parseCount(qv::ReadKey(profilePath_, qv::tabSection(tabIndex()),
                                          qv::kNumberOfButtonsRead, messages_)
                                  .value_or(QString()));
    };
    view.item = [this](std::int16_t n) { return readItem(n); };
    view.unloadButtons = [this] { unloadButtons(); };
    view.loadButton = [this](int slot, const QString& item) {
        currentItem = item;
        firstFive = slot <= 5;
        LoadButton();
    };
    view.enableBack = [this](bool on) { cmdback->setEnabled(on); };
    view.enableNext = [this](bool on) { cmdnext->setEnabled(on); };
    view.unreadableCount = [this] {
        countNotice_.tell(shownMenu_, profilePath_, tabIndex(), messages_);
    };
    // "<<" always shows ten: the page before was full when ">>" left it.
    pager_ = std::make_unique<qv::Pager>(std::move(view), qv::PagerRules{true}, programFolder_);

    bar = new QStatusBar(client);
    bar->setObjectName(QStringLiteral("bar"));
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        barPanel[i] = new QLabel(bar);
        barPanel[i]->setObjectName(QStringLiteral("barPanel%1").arg(i + 1));
        barPanel[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        barPanel[i]->setMinimumWidth(qv::twipsToPixels(1440));
        barPanel[i]->setContentsMargins(4, 0, 4, 0);
    }
    bar->addWidget(barPanel[0]);
    bar->addWidget(barPanel[1], 1);
    bar->addPermanentWidget(barPanel[2]);

    // Panel 1 is the clock panel of the status bar: the program never writes it.
    talkRelease_ = new QTimer(this);
    talkRelease_->setSingleShot(true);
    talkRelease_->setInterval(40);
    connect(talkRelease_, &QTimer::timeout, this, [this] { talk(talkKeys_.key(false, false)); });

    clock_ = new QTimer(this);
    clock_->setSingleShot(true);
    connect(clock_, &QTimer::timeout, this, &frmstudent::updateClock);
    updateClock();

    resize(qv::twipsToPixels(kClientWidth),
           qv::twipsToPixels(kClientHeight) + menuBar->sizeHint().height());
}

void frmstudent::updateClock() {
    const QTime now = QTime::currentTime();
    barPanel[0]->setText(now.toString(QStringLiteral("HH:mm")));
    // Wake just after the next minute begins.
    clock_->start((60 - now.second()) * 1000 - now.msec() + 50);
}

QString frmstudent::panelText(int panel) const {
    if (panel < 1 || panel > 3) {
        return {};
    }
    return barPanel[panel - 1]->text();
}

void frmstudent::setPanel(int panel, const QString& text) {
    barPanel[panel - 1]->setText(text);
}

bool frmstudent::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client && event->type() == QEvent::Resize) {
        // The status bar keeps to the bottom edge of the client area.
        const int h = std::max(qv::twipsToPixels(kBarHeight), bar->sizeHint().height());
        bar->setGeometry(0, client->height() - h, client->width(), h);
        bar->raise();
    } else if (watched == Image1) {
        if (event->type() == QEvent::DragEnter) {
            auto* e = static_cast<QDragEnterEvent*>(event);
            e->acceptProposedAction();
            return true;
        }
        if (event->type() == QEvent::DragMove) {
            static_cast<QDragMoveEvent*>(event)->acceptProposedAction();
            return true;
        }
        if (event->type() == QEvent::Drop) {
            auto* e = static_cast<QDropEvent*>(event);
            e->acceptProposedAction();
            Image1_OLEDragDrop(e->mimeData());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool frmstudent::FileExists(const QString& path) const {
    return qv::canOpenForReading(path);
}

std::int16_t frmstudent::pageOffset() const {
    return pager_->pageOffset();
}

std::int16_t frmstudent::tabIndex() const {
    return clamp16(ceptab->currentIndex() + 1);
}

QString frmstudent::readItem(int button) const {
    return qv::ReadKey(profilePath_, qv::tabSection(tabIndex()), qv::buttonKey(button), messages_)
        .value_or(QString());
}

void frmstudent::Form_Load() {
    const qv::ShownInAction::Action action(messages_);
    setPushToTalk(qv::readPushToTalk(qv::launcherSettingsFiles()));
    // Recognizers in the service's order, none chosen: the list position picks the recognizer.
    cmbEngines->clear();
    if (services_.speech) {
        cmbEngines->addItems(services_.speech->recognizers());
    }
    cmbEngines->setCurrentIndex(-1);

    QString name = logonName ? logonName() : QString();
    const qsizetype nul = name.indexOf(QChar(0));
    if (nul >= 0) {
        name.truncate(nul);
    }
    userName = name.left(24);

    // From now on a change of the menu file is shown without a restart.
    if (!menuWatcher_) {
        menuWatcher_ = new qv::MenuWatcher(profilePath_, this);
        connect(menuWatcher_, &qv::MenuWatcher::changed, this, &frmstudent::reloadMenu);
    }
    shownMenu_ = qv::menuBytes(profilePath_);
    reportedMenu_ = shownMenu_; // what a message below is about

    menuMessage_ = menuProblem();
    if (!menuMessage_.isEmpty()) {
        if (!qv::ProfileTooLarge(profilePath_)) { // ReadKey has said why then
            qv::MsgBox(messages_, menuMessage_);
        }
        return;
    }

    // Without its data the character stays away; the launcher works the same without it.
    if (services_.character &&
        services_.character->Load(QStringLiteral("Merlin"), QStringLiteral("Merlin.acs"))) {
        character_ = services_.character;
        connect(character_, &qv::CharacterService::speakingChanged, this, [this](bool speaking) {
            // What the recognizer hears while the character speaks is the character itself.
            characterSpeaking_ = speaking;
            if (oRC_) {
                oRC_->setSuspended(speaking);
            }
        });
    }

    cmdback->setEnabled(false);
    fillTabStrip();
    pager_->showFirst();

    if (character_) {
        character_->Show();
    }
    cmdStartReco_Click();
    setPanel(3, cmbEngines->currentIndex() < 0 ? cmbEngines->placeholderText()
                                               : cmbEngines->currentText());
    if (character_) {
        const QSize screen = screenSize ? screenSize() : QSize();
        character_->MoveTo(clamp16(screen.width() - 130), clamp16(screen.height() - 170));
        character_->Speak(QStringLiteral("Welcome ") + userName);
    }
}

void frmstudent::fillTabStrip() {
    const QSignalBlocker block(ceptab);
    const qv::MenuCount again = qv::parseCount(
        qv::ReadKey(profilePath_, qv::kSettings, qv::kNumberOfTabs, messages_).value_or(""));
    tabNo = again.isNumber() ? again.value : std::int16_t{0};
    qv::fillTabStrip(*ceptab, profilePath_, tabNo, messages_);
    ceptab->setCurrentIndex(0);
}

void frmstudent::unloadButtons() {
    for (int i = 1; i <= loadedButtons; ++i) {
        cmdapplau->Unload(i);
    }
    loadedButtons = 0;
}

bool frmstudent::menuGone() {
    if (FileExists(profilePath_)) {
        return false;
    }
    // Said once, as the watcher says it; each read of the missing file would say it again.
    // The watcher shows the menu again when it comes back.
    if (menuMessage_ != kFileNotFound) {
        menuMessage_ = kFileNotFound;
        reportedMenu_ = qv::menuBytes(profilePath_);
        qv::MsgBox(messages_, kFileNotFound);
    }
    return true;
}

void frmstudent::ceptab_Click() {
    if (menuGone()) {
        return;
    }
    pager_->showFirst();
}

void frmstudent::keepFocusOnPage(QPushButton* was, bool hadFocus, QPushButton* other) {
    if (hadFocus && !was->isEnabled() && other->isEnabled()) {
        other->setFocus(Qt::OtherFocusReason);
    }
}

void frmstudent::cmdnext_Click() {
    if (menuGone()) {
        return;
    }
    const bool hadFocus = cmdnext->hasFocus();
    pager_->showNext();
    keepFocusOnPage(cmdnext, hadFocus, cmdback);
}

void frmstudent::cmdback_Click() {
    if (menuGone()) {
        return;
    }
    const bool hadFocus = cmdback->hasFocus();
    pager_->showBack();
    keepFocusOnPage(cmdback, hadFocus, cmdnext);
}

void frmstudent::LoadButton() {
    imgicon->clearPicture();
    if (!qv::add16(loadedButtons, 1)) {
        return;
    }
    show();
    qv::BuildLaunchButton(*launchWindow_, currentItem, loadedButtons, firstFive);
    imgicon->clearPicture();
    Image1->setVisible(true);
    imgicon->setVisible(false);
    currentItem.clear();
}

void frmstudent::cmdapplau_MouseDown(int index, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                     int x, int y) {
    Q_UNUSED(shift);
    Q_UNUSED(x);
    Q_UNUSED(y);
    if (button != Qt::LeftButton) {
        return;
    }
    const std::optional<std::int16_t> n = pager_->buttonNumber(index);
    if (!n || menuGone()) {
        return;
    }
    const QString item = readItem(*n);
    if (qv::refuseCutItem(profilePath_, tabIndex(), *n, item, messages_)) {
        return;
    }
    if (item == qv::kMyComputer) {
        const bool started = services_.shell && services_.shell->openComputer();
        announceStart(QStringLiteral("My Computer"), started, item);
    } else if (item == qv::kMyDocuments) {
        const bool started = services_.shell && services_.shell->openDocuments();
        announceStart(QStringLiteral("My Documents"), started, item);
    } else if (item.isEmpty()) {
        // A button without an item starts nothing, so there is nothing to announce.
        return;
    } else {
        const bool started = services_.shell && services_.shell->ShellExecute(item);
        QString name = qv::menuItem(item).caption;
        if (name.isEmpty()) {
            // A name of four characters or fewer would leave nothing to say.
            name = qv::FileNameFromPath(item, true);
        }
        announceStart(name, started, item);
    }
}

void frmstudent::announceStart(const QString& name, bool started, const QString& item) {
    const int opener = services_.shell ? services_.shell->lastOpenerStart() : 0;
    if (started && opener != openerSeen_) {
        // Handed to the opener: its result decides what is said. An opener that is still
        // running after a moment has found an application (some wait for it to close).
        openerSeen_ = opener;
        pendingOpeners_.insert(opener, {name, item, false});
        QTimer::singleShot(kOpenerPatienceMs, this, [this, opener] {
            const auto pending = pendingOpeners_.find(opener);
            if (pending != pendingOpeners_.end() && !pending->announced) {
                pending->announced = true;
                speakStart(pending->name, true, pending->item);
            }
        });
        return;
    }
    speakStart(name, started, item);
}

void frmstudent::openerEnded(int start, bool opened) {
    const auto pending = pendingOpeners_.find(start);
    if (pending == pendingOpeners_.end()) {
        return;
    }
    const PendingStart was = *pending;
    pendingOpeners_.erase(pending);
    if (!opened || !was.announced) {
        speakStart(was.name, opened, was.item);
    }
}

void frmstudent::speakStart(const QString& name, bool started, const QString& item) {
    // Announcing a start that did not happen would tell the pupil to wait for nothing.
    if (!started) {
        qWarning("quorvel-student: %s could not be started", qUtf8Printable(item));
    }
    if (character_) {
        character_->Speak(started ? QStringLiteral("Starting ") + name
                                  : name + QStringLiteral(" could not be started"));
    }
}

void frmstudent::Image1_OLEDragDrop(const QMimeData* data) {
    currentItem.clear();
    imgicon->clearPicture();
    droppedFile.clear();
    if (data && data->hasUrls() && !data->urls().isEmpty()) {
        droppedFile = data->urls().constFirst().toLocalFile();
    }
    if (droppedFile.isEmpty()) {
        qv::MsgBox(messages_, QStringLiteral("That item cannot be used!"));
        return;
    }
    droppedType = droppedFile.right(3);
    const qv::MenuItemKind kind = qv::menuItemKind(droppedFile);
    if (kind == qv::MenuItemKind::Other) {
        return; // only the icon of a usable item is previewed
    }
    Image1->setVisible(false);
    imgicon->setVisible(true);
    if (kind == qv::MenuItemKind::Shortcut) {
        qv::DrawFileIcon(*imgicon, qv::ResolveShortcutTarget(droppedFile, messages_));
    } else if (kind == qv::MenuItemKind::Program) {
        qv::DrawFileIcon(*imgicon, droppedFile);
    } else {
        qv::drawLinuxItemIcon(*imgicon, droppedFile);
    }
}

void frmstudent::showSpeechError(int number, const QString& description) {
    qv::MsgBox(messages_, speechErrorText(number, description), {}, qv::MsgIcon::Information);
}

void frmstudent::setListening(const QString& state) {
    lblListening->setText(state);
    lblListening->setAccessibleName(QStringLiteral("Spoken commands: ") + state);
    // Text and background of the badge: grey when off, green while listening, amber when the
    // last thing heard was not understood.
    QString colours = QStringLiteral("color: #0b5d1e; background: #e2f3e5; border-color: #7dbb8a");
    if (state == kNotListening || state == kHoldSpace) {
        colours = QStringLiteral("color: #555555; background: #f0f0f0; border-color: #c4c4c4");
    } else if (state == kNotUnderstood || state == kHeardNothing) {
        colours = QStringLiteral("color: #8a4200; background: #fcebd8; border-color: #d9a066");
    }
    lblListening->setStyleSheet(
        QStringLiteral("QLabel { %1; border-width: 1px; border-style: solid; border-radius: 9px; "
                       "padding: 0px 8px; }")
            .arg(colours));
    // The badge keeps to the right end of its place, as wide as its text.
    const QRect place = qv::twipsRect(6615, 465, 2640, 330);
    lblListening->ensurePolished();
    const int width = std::min(place.width(), lblListening->sizeHint().width());
    lblListening->setGeometry(place.right() + 1 - width, place.y(), width, place.height());
}

void frmstudent::cmbEngines_Click() {
    oRC_.reset();
    setListening(kNotListening);
    if (!services_.speech) {
        return;
    }
    // Without a microphone, or when the recognizer cannot be built, speech stays off and the
    // launcher goes on as before.
    if (services_.speech->audioInputs().isEmpty()) {
        grammarLoaded = false;
        lblGrammar->setText(kGrammarNone);
        qv::MsgBox(messages_,
                   QStringLiteral("No audio input device was found. Spoken commands are off."), {},
                   qv::MsgIcon::Information);
        cmbEngines->setEnabled(true);
        return;
    }
    services_.speech->setVoiceWarp(
        qv::readVoiceWarp(qv::pupilVoicePath(), cmbEngines->currentText()));
    buildRecognizer();
}

void frmstudent::buildRecognizer() {
    qv::SpeechError error;
    oRC_ = services_.speech->createContext(cmbEngines->currentIndex(), &error);
    if (!oRC_) {
        grammarLoaded = false;
        lblGrammar->setText(kGrammarNone);
        showSpeechError(error.number, error.description);
        // A recognizer whose model is damaged has left the service's list: the list shown
        // follows it, so that positions still pick the same recognizers and the broken one
        // cannot be chosen again.
        const QStringList recognizers = services_.speech->recognizers();
        if (recognizers.size() != cmbEngines->count()) {
            const QSignalBlocker block(cmbEngines);
            cmbEngines->clear();
            cmbEngines->addItems(recognizers);
            cmbEngines->setCurrentIndex(-1);
            setPanel(3, cmbEngines->placeholderText());
        }
        cmbEngines->setEnabled(true);
        return;
    }
    connect(oRC_.get(), &qv::RecognitionContext::Recognition, this, &frmstudent::oRC_Recognition);
    connect(oRC_.get(), &qv::RecognitionContext::FalseRecognition, this,
            &frmstudent::oRC_FalseRecognition);
    connect(oRC_.get(), &qv::RecognitionContext::InputTooLoud, this, &frmstudent::oRC_InputTooLoud);
    if (characterSpeaking_) {
        oRC_->setSuspended(true);
    }
    gateRecognizer();
    setPanel(3, cmbEngines->currentText());

    LoadGrammar();
    if (!unloadedOnce_) {
        cmbEngines->setEnabled(true);
    }
}

void frmstudent::LoadGrammar() {
    qv::SpeechError error;
    const QString file = QDir(programFolder_).filePath(kGrammarFile);
    if (!oRC_ || !oRC_->loadGrammar(file, &error) || !oRC_->setRulesActive(false, &error)) {
        lblGrammar->setText(kGrammarNone);
        grammarLoaded = false;
        showSpeechError(error.number, error.description);
        close();
        return;
    }
    lblGrammar->setText(kGrammarLoaded);
    grammarLoaded = true;
}

void frmstudent::cmdStartReco_Click() {
    if (character_) {
        character_->Listen(false);
    }
    if (!grammarLoaded || !oRC_) {
        return;
    }
    qv::SpeechError error;
    const bool ok = oRC_->setRulesActive(!recognitionActive, &error);
    if (!ok) {
        showSpeechError(error.number, error.description);
        qv::MsgBox(messages_, kActivateFailed);
        return;
    }
    if (recognitionActive) {
        recognitionActive = false;
        cmdStartReco->setText(kStartRecognition);
        cmbEngines->setEnabled(true);
    } else {
        recognitionActive = true;
        cmdStartReco->setText(kStopRecognition);
        // The recognizer cannot be changed while listening.
        cmbEngines->setEnabled(false);
    }
    // Held while not listening, it would promise an ear that is not there.
    cmdHoldToTalk->setEnabled(recognitionActive);
    setListening(listeningIdle());
}

QString frmstudent::listeningIdle() const {
    if (!recognitionActive) {
        return kNotListening;
    }
    return pushToTalk() && !talkKeys_.held() ? kHoldSpace : kListening;
}

void frmstudent::setPushToTalk(bool on) {
    mnuPushToTalk->setChecked(on);
    if (on == pushToTalk()) {
        return;
    }
    talkKeys_ = {};
    cmdHoldToTalk->setVisible(on);
    // Off, no event passes through here: everything is as without push to talk.
    delete talkKeyFilter_;
    talkKeyFilter_ = nullptr;
    if (on) {
        talkKeyFilter_ = new EventTap(
            this, [this](QObject* watched, QEvent* event) { return talkKeyEvent(watched, event); });
        QCoreApplication::instance()->installEventFilter(talkKeyFilter_);
    }
    if (oRC_) {
        oRC_->setGated(on);
    }
    setListening(listeningIdle());
}

void frmstudent::mnuPushToTalk_Click(bool checked) {
    setPushToTalk(checked);
    const QString settingsPath = qv::launcherSettingsPath();
    if (!qv::writePushToTalk(settingsPath, checked)) {
        tellNotSaved(messages_, settingsPath);
    }
}

bool frmstudent::talkKeyEvent(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == this && (type == QEvent::WindowDeactivate || type == QEvent::Hide)) {
        // The key's release will go to another window, or nowhere.
        talk(talkKeys_.focusLost());
        return false;
    }
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != this) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Space) {
        // Space is the talk key on every control: it starts, clicks and turns nothing.
        const bool down = type == QEvent::KeyPress;
        if (!down && !key->isAutoRepeat()) {
            talkRelease_->start(); // ends the command unless the key comes down again at once
        } else if (down && talkRelease_->isActive()) {
            talkRelease_->stop(); // the server's repeat of the held key
        } else {
            talk(talkKeys_.key(down, key->isAutoRepeat()));
        }
        return true;
    }
    // The page buttons lose Space, their only key: Return and Enter turn the pages instead,
    // as they start the launch buttons.
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    auto* page = qobject_cast<QPushButton*>(watched);
    if (enter && (page == cmdback || page == cmdnext)) {
        if (type == QEvent::KeyPress && !key->isAutoRepeat()) {
            page->click();
        }
        return true;
    }
    return false;
}

void frmstudent::talk(qv::TalkKeys::Change change) {
    if (change == qv::TalkKeys::Change::None) {
        return;
    }
    const bool held = change == qv::TalkKeys::Change::Listen;
    cmdHoldToTalk->setDown(held);
    if (oRC_) {
        oRC_->setGated(!held);
    }
    if (recognitionActive) {
        setListening(listeningIdle());
    }
}

void frmstudent::gateRecognizer() {
    if (oRC_ && pushToTalk()) {
        oRC_->setGated(!talkKeys_.held());
    }
}

void frmstudent::updateSpeechMenu() {
    if (services_.speech && cmbEngines->count() == 0 && !noRecognizerSaid_) {
        // Said once: the menu would otherwise only show an empty, greyed list.
        noRecognizerSaid_ = true;
        qv::MsgBox(messages_,
                   tr("No speech recognizer can be used on this computer (none is installed, or "
                      "each one's model is damaged). Spoken commands are off; the buttons work "
                      "as before."),
                   {}, qv::MsgIcon::Information);
    }
    const bool ready = grammarLoaded && oRC_;
    mnuStartReco->setText(cmdStartReco->text());
    mnuStartReco->setEnabled(ready);
    mnuEngines->clear();
    mnuEngines->setEnabled(cmbEngines->isEnabled() && cmbEngines->count() > 0);
    for (int position = 0; position < cmbEngines->count(); ++position) {
        QAction* engine = mnuEngines->addAction(cmbEngines->itemText(position));
        engine->setCheckable(true);
        engine->setChecked(position == cmbEngines->currentIndex());
        engineChoice_->addAction(engine);
        connect(engine, &QAction::triggered, this, [this, position] {
            cmbEngines->setCurrentIndex(position);
            cmbEngines_Click();
        });
    }

    mnuLearnVoice->setEnabled(ready);
    const QString path = qv::pupilVoicePath();
    const QString recognizer = cmbEngines->currentText();
    mnuForgetVoice->setEnabled(ready && qv::readVoiceWarp(path, recognizer) != 1.0);
}

void frmstudent::mnuLearnVoice_Click() {
    if (!grammarLoaded || !oRC_ || voiceWindow_) {
        return;
    }
    const bool wasListening = recognitionActive;
    if (!recognitionActive) {
        cmdStartReco_Click();
        if (!recognitionActive) {
            return; // the reason was shown
        }
    }
    // The pupil is asked for each command: the room is heard without a talk key meanwhile.
    oRC_->setGated(false);
    QStringList commands;
    for (const QString& phrase : kPhrases) {
        commands << phrase;
    }
    voiceWindow_ = new frmvoice(oRC_.get(), commands, this);
    voiceWindow_->setAttribute(Qt::WA_DeleteOnClose);
    connect(voiceWindow_, &QDialog::finished, this, [this, wasListening](int) {
        const double warp = voiceWindow_ ? voiceWindow_->chosenWarp() : 0.0;
        if (warp > 0) {
            useVoice(warp); // a new recognizer, gated as it should be
        } else {
            gateRecognizer(); // as before the window
        }
        if (!wasListening && recognitionActive) {
            cmdStartReco_Click();
        }
    });
    voiceWindow_->open();
}

void frmstudent::mnuForgetVoice_Click() {
    useVoice(1.0);
}

void frmstudent::useVoice(double warp) {
    const QString path = qv::pupilVoicePath();
    const QString recognizer = cmbEngines->currentText();
    if (!qv::writeVoiceWarp(path, recognizer, warp)) {
        tellNotSaved(messages_, path);
    }
    // The warp is part of how the recognizer hears: it is built anew with it.
    const bool wasListening = recognitionActive;
    if (wasListening) {
        cmdStartReco_Click();
    }
    oRC_.reset();
    services_.speech->setVoiceWarp(warp);
    buildRecognizer();
    if (wasListening) {
        cmdStartReco_Click();
    }
}

void frmstudent::oRC_Recognition(const QString& text) {
    lastPhrase = text;
    const QString phrase = trimBlanks(lastPhrase);
    if (phrase.isEmpty()) {
        return;
    }
    setPanel(2, phrase);
    setListening(kHeard.arg(phrase));
    for (int row = 0; row < qv::kPageSize; ++row) {
        const int number = row + 1;
        if (phrase == kPhrases[row] && number <= loadedButtons) {
            cmdapplau_MouseDown(number, Qt::LeftButton, Qt::NoModifier, 0, 0);
            return;
        }
    }
    setPanel(2, kButtonNotLoaded);
}

void frmstudent::oRC_FalseRecognition(const QString& text) {
    lblGrammar->setText(kCommandUnknown);
    setPanel(2, kCommandUnknown);
    // Noise without a word in it is told apart from words that are no command.
    setListening(trimBlanks(text).isEmpty() ? kHeardNothing : kNotUnderstood);
}

void frmstudent::oRC_InputTooLoud() {
    if (tooLoudShown_) {
        return;
    }
    tooLoudShown_ = true;
    // Over the panels for a while: the texts of the panels stay as they are.
    bar->showMessage(kTooLoud, 10000);
}

void frmstudent::Form_Unload() {
    if (unloadedOnce_) {
        return;
    }
    unloadedOnce_ = true;
    oRC_.reset();
    emit unloaded();
}

void frmstudent::closeEvent(QCloseEvent* event) {
    Form_Unload();
    QWidget::closeEvent(event);
}

QString frmstudent::menuProblem() const {
    if (!FileExists(profilePath_)) {
        return kFileNotFound;
    }
    const qv::MenuCount tabs = qv::parseCount(
        qv::ReadKey(profilePath_, qv::kSettings, qv::kNumberOfTabs, messages_).value_or(""));
    if (!tabs.isNumber() || tabs.value <= 0) {
        return kNoTabsFound;
    }
    return {};
}

void frmstudent::reloadMenu() {
    const qv::ShownInAction::Action action(messages_);
    // A message shown meanwhile runs its own event loop, in which the file may change again.
    if (reloading_) {
        reloadPending_ = true;
        return;
    }
    reloading_ = true;
    do {
        reloadPending_ = false;
        reloadOnce();
    } while (reloadPending_ && !unloadedOnce_);
    reloading_ = false;
}

void frmstudent::reloadOnce() {
    const QByteArray bytes = qv::menuBytes(profilePath_);
    if (bytes == shownMenu_ && menuMessage_.isEmpty()) {
        return;
    }
    // A damaged file that has not changed since it was reported: a change elsewhere in its
    // folder (a log, another program's file) is no reason to read it, or to say so, again.
    if (!menuMessage_.isEmpty() && bytes == reportedMenu_) {
        emit menuChecked(false);
        return;
    }
    const QString problem = menuProblem();
    if (!problem.isEmpty()) {
        // The menu on screen stays; the damage is reported once, not at every touch.
        const bool again = problem == menuMessage_;
        menuMessage_ = problem;
        reportedMenu_ = bytes;
        if (!again && !qv::ProfileTooLarge(profilePath_)) { // ReadKey has said why then
            qv::MsgBox(messages_, problem);
        }
        emit menuChecked(false);
        return;
    }
    if (bytes == shownMenu_) {
        menuMessage_.clear();
        emit menuChecked(false);
        return;
    }
    menuMessage_.clear();
    shownMenu_ = bytes;

    const int tab = ceptab->currentIndex();
    const QString caption = ceptab->tabText(tab);
    const std::int16_t offset = pager_->pageOffset();
    QWidget* focus = QApplication::focusWidget();
    int focusedSlot = 0;
    for (int i = 1; i <= loadedButtons; ++i) {
        if (focus && focus == cmdapplau->element(i)) {
            focusedSlot = i;
        }
    }

    fillTabStrip();
    // The pupil stays on their tab, found by its caption when tabs before it came or went.
    const int keep = tab < 0 ? -1 : qv::tabToKeep(ceptab->captions(), tab, caption);
    const bool sameTab = keep >= 0 && ceptab->tabText(keep) == caption;
    if (keep >= 0) {
        const QSignalBlocker block(ceptab);
        ceptab->setCurrentIndex(keep);
    }
    // The page is reached as ">>" reaches it from the page before.
    pager_->showAt(sameTab ? offset : std::int16_t(0));

    if (focusedSlot > 0 && loadedButtons > 0) {
        cmdapplau->element(std::min<int>(focusedSlot, loadedButtons))
            ->setFocus(Qt::OtherFocusReason);
    }
    emit menuChecked(true);
}
