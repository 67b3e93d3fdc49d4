// SPDX-License-Identifier: GPL-3.0-or-later
#include "student/frmstudent.h"

#include "character/character.h"
#include "common/GetFileName.h"
#include "common/menuitem.h"
#include "common/menulayout.h"
#include "common/modini.h"
#include "common/pager.h"
#include "common/pushtotalk.h"
#include "common/ui/Arrays.h"
#include "common/ui/cmdapplau.h"
#include "common/ui/droparea.h"
#include "common/ui/fittext.h"
#include "common/ui/imgicon.h"
#include "common/ui/tabpages.h"
#include "common/ui/twips.h"
#include "platform/dialogs/messagebox.h"
#include "platform/files/filetest.h"
#include "platform/session/username.h"
#include "platform/shell/shell.h"
#include "speech/service.h"
#include "student/listeningbadge.h"
#include "student/menufollower.h"
#include "student/startannouncer.h"
#include "student/statusclock.h"
#include "student/talkcontrol.h"
#include "student/voicelearning.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <limits>

namespace {

// Design size of the client area, in twips.
constexpr int kClientWidth = 9330;
constexpr int kClientHeight = 4860;
constexpr int kBarHeight = 255;

std::int16_t clamp16(int value) {
    return static_cast<std::int16_t>(std::clamp<int>(
        value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
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
    announcer_ = new qv::StartAnnouncer(
        services_.shell, [this] { return character_; }, this);
    menu_ = new qv::MenuFollower(
        profilePath_, messages_, [this] { showMenuAgain(); }, this);
    connect(menu_, &qv::MenuFollower::checked, this, &frmstudent::menuChecked);
    setUpSpeech();
}

frmstudent::~frmstudent() {
    // The context may still deliver events while the controls go away; release it first.
    oRC_.reset();
    // And push to talk's tap, which would else see the events of the controls going away.
    delete talk_;
    talk_ = nullptr;
}

void frmstudent::buildControls() {
    setWindowTitle(tr("Quorvel Student"));
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
    mnufile = menuBar->addMenu(tr("Wizard"));
    mnuAnimate = mnufile->addAction(tr("Animate Character"));
    mnuhide = mnufile->addAction(tr("Hide Oracle"));
    buildSpeechMenu();
    layout->setMenuBar(menuBar);

    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setMinimumSize(qv::twipsToPixels(kClientWidth), qv::twipsToPixels(kClientHeight));
    layout->addWidget(client);
    client->installEventFilter(this);

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
    view.unreadableCount = [this] {
        countNotice_.tell(menu_->shownMenu(), profilePath_, tabIndex(), messages_);
    };
    // "<<" always shows ten: the page before was full when ">>" left it.
    pages_ = new qv::TabPages(client,
                              {QRect(120, 840, 9135, 3735), QRect(240, 1320, 375, 3135),
                               QRect(8760, 1320, 375, 3135), QRect(1080, 1440, 1335, 1095)},
                              std::move(view), qv::PagerRules{true}, programFolder_);
    ceptab = pages_->ceptab;
    cmdback = pages_->cmdback;
    cmdnext = pages_->cmdnext;
    cmdapplau = pages_->cmdapplau;
    cmdapplau->setKeysPress(true);
    connect(pages_, &qv::TabPages::tabClicked, this, &frmstudent::ceptab_Click);
    connect(pages_, &qv::TabPages::backClicked, this, &frmstudent::cmdback_Click);
    connect(pages_, &qv::TabPages::nextClicked, this, &frmstudent::cmdnext_Click);
    connect(cmdapplau, &qv::LaunchButtonArray::MouseDown, this, &frmstudent::cmdapplau_MouseDown);

    Label1 = new QLabel(QStringLiteral("QUORVEL"), client);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(qv::twipsRect(2760, 120, 3735, 615));
    Label1->setFont(QFont(QStringLiteral("Arial"), 24));
    Label1->setAlignment(Qt::AlignCenter);

    buildSpeechControls();

    Image1 = new QLabel(client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(qv::twipsRect(10680, 2400, 855, 855));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setWordWrap(true);
    Image1->setFrameStyle(QFrame::Box | QFrame::Plain);
    //: In a small square: two short lines of about 8 letters each.
    qv::setFittedText(*Image1, tr("Drop here..."));
    new qv::DropArea(Image1, [this](const QMimeData* data) { Image1_OLEDragDrop(data); });

    imgicon = new qv::IconSurface(client);
    imgicon->setObjectName(QStringLiteral("imgicon"));
    imgicon->setGeometry(qv::twipsRect(10680, 4800, 615, 615));

    badge_ = new qv::ListeningBadge(client);
    lblListening = badge_->label;

    // Left of the title, where the window has room; large, for small hands and a mouse.
    cmdHoldToTalk = new QPushButton(client);
    cmdHoldToTalk->setObjectName(QStringLiteral("cmdHoldToTalk"));
    cmdHoldToTalk->setGeometry(qv::twipsRect(120, 120, 2520, 615));
    QFont bold(QStringLiteral("MS Sans Serif"));
    bold.setPointSizeF(8.25);
    bold.setBold(true);
    cmdHoldToTalk->setFont(bold);
    //: Button held down while speaking; room for about 20 letters.
    qv::setFittedText(*cmdHoldToTalk, tr("Hold to talk"));
    cmdHoldToTalk->setAccessibleDescription(
        tr("Spoken commands are heard while this button or Space is held down"));
    cmdHoldToTalk->setFocusPolicy(Qt::NoFocus); // Space is the key; no focus stop of its own
    cmdHoldToTalk->setVisible(false);
    cmdHoldToTalk->setEnabled(false);

    launchWindow_ = std::make_unique<qv::LaunchWindow>();
    launchWindow_->window = this;
    launchWindow_->cmdapplau = cmdapplau;
    launchWindow_->imgicon = imgicon;
    launchWindow_->programFolder = programFolder_;
    launchWindow_->overlayShortcutIcons = true;
    launchWindow_->messages = &messages_;

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
    new qv::StatusClock(barPanel[0]);

    resize(qv::twipsToPixels(kClientWidth),
           qv::twipsToPixels(kClientHeight) + menuBar->sizeHint().height());
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
    }
    return QWidget::eventFilter(watched, event);
}

bool frmstudent::FileExists(const QString& path) const {
    return qv::canOpenForReading(path);
}

std::int16_t frmstudent::pageOffset() const {
    return pages_->pager().pageOffset();
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
    if (const QString problem = menu_->load(); !problem.isEmpty()) {
        if (!qv::ProfileTooLarge(profilePath_)) { // ReadKey has said why then
            qv::MsgBox(messages_, problem);
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
    pages_->pager().showFirst();

    if (character_) {
        character_->Show();
    }
    cmdStartReco_Click();
    setPanel(3, cmbEngines->currentIndex() < 0 ? cmbEngines->placeholderText()
                                               : cmbEngines->currentText());
    if (character_) {
        const QSize screen = screenSize ? screenSize() : QSize();
        character_->MoveTo(clamp16(screen.width() - 130), clamp16(screen.height() - 170));
        //: Said by the character at start, followed by the pupil's name (keep the space).
        character_->Speak(tr("Welcome ") + userName);
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

void frmstudent::ceptab_Click() {
    if (menu_->gone()) {
        return;
    }
    pages_->pager().showFirst();
}

void frmstudent::keepFocusOnPage(QPushButton* was, bool hadFocus, QPushButton* other) {
    if (hadFocus && !was->isEnabled() && other->isEnabled()) {
        other->setFocus(Qt::OtherFocusReason);
    }
}

void frmstudent::cmdnext_Click() {
    if (menu_->gone()) {
        return;
    }
    const bool hadFocus = cmdnext->hasFocus();
    pages_->pager().showNext();
    keepFocusOnPage(cmdnext, hadFocus, cmdback);
}

void frmstudent::cmdback_Click() {
    if (menu_->gone()) {
        return;
    }
    const bool hadFocus = cmdback->hasFocus();
    pages_->pager().showBack();
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
    const std::optional<std::int16_t> n = pages_->pager().buttonNumber(index);
    if (!n || menu_->gone()) {
        return;
    }
    const QString item = readItem(*n);
    if (qv::refuseCutItem(profilePath_, tabIndex(), *n, item, messages_)) {
        return;
    }
    if (item == qv::kMyComputer) {
        const bool started = services_.shell && services_.shell->openComputer();
        announcer_->announce(QStringLiteral("My Computer"), started, item);
    } else if (item == qv::kMyDocuments) {
        const bool started = services_.shell && services_.shell->openDocuments();
        announcer_->announce(QStringLiteral("My Documents"), started, item);
    } else if (item.isEmpty()) {
        // A button without an item starts nothing, so there is nothing to announce.
        return;
    } else {
        const qv::MenuItem pressed = qv::menuItem(item);
        const bool started = services_.shell && services_.shell->ShellExecute(item, pressed.kind);
        QString name = pressed.caption;
        if (name.isEmpty()) {
            // A name of four characters or fewer would leave nothing to say.
            name = qv::FileNameFromPath(item, true);
        }
        announcer_->announce(name, started, item);
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
        qv::MsgBox(messages_, tr("That item cannot be used!"));
        return;
    }
    const qv::MenuItem dropped = qv::menuItem(droppedFile);
    if (dropped.kind == qv::MenuItemKind::Other) {
        return; // only the icon of a usable item is previewed
    }
    Image1->setVisible(false);
    imgicon->setVisible(true);
    qv::drawItemIcon(*imgicon, dropped, messages_);
}

void frmstudent::Form_Unload() {
    if (unloadedOnce_) {
        return;
    }
    unloadedOnce_ = true;
    menu_->stop();
    oRC_.reset();
    emit unloaded();
}

void frmstudent::closeEvent(QCloseEvent* event) {
    Form_Unload();
    QWidget::closeEvent(event);
}

void frmstudent::showMenuAgain() {
    const int tab = ceptab->currentIndex();
    const QString caption = ceptab->tabText(tab);
    const std::int16_t offset = pages_->pager().pageOffset();
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
    pages_->pager().showAt(sameTab ? offset : std::int16_t(0));

    if (focusedSlot > 0 && loadedButtons > 0) {
        cmdapplau->element(std::min<int>(focusedSlot, loadedButtons))
            ->setFocus(Qt::OtherFocusReason);
    }
}
