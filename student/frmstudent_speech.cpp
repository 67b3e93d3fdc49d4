// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher window's spoken commands: the recognizer list, the grammar, start and stop of
// listening, the recognition events that press the launch buttons, and the Speech menu that
// reaches the same commands from inside the visible window.
#include "character/character.h"
#include "common/pager.h"
#include "common/pupilvoice.h"
#include "common/pushtotalk.h"
#include "common/ui/cmdapplau.h"
#include "common/ui/fittext.h"
#include "common/ui/twips.h"
#include "platform/dialogs/messagebox.h"
#include "speech/service.h"
#include "student/frmstudent.h"
#include "student/listeningbadge.h"
#include "student/talkcontrol.h"
#include "student/voicelearning.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

namespace {

//: Button and menu item; room for about 18 letters on the button.
const char* const kStartRecognition = QT_TRANSLATE_NOOP("frmstudent", "Start Recognition");
const char* const kStopRecognition = QT_TRANSLATE_NOOP("frmstudent", "Stop Recognition");
//: Beside the recognizer list, seen only in a widened window. The file name stays as it is.
const char* const kGrammarLoaded =
    QT_TRANSLATE_NOOP("frmstudent", "Current loaded Grammar: ordergrammar.xml");
const char* const kGrammarNone = QT_TRANSLATE_NOOP("frmstudent", "Current loaded Grammar: None");
const char* const kCommandUnknown = QT_TRANSLATE_NOOP("frmstudent", "Command Unknown");
const char* const kButtonNotLoaded = QT_TRANSLATE_NOOP("frmstudent", "Button not loaded");
const QString kActivateFailed =
    QStringLiteral("Failed to activate the grammar. It is possible that your audio device is "
                   "used by other application.");
const QString kGrammarFile = QStringLiteral("ordergrammar.xml");
const char* const kTooLoud = QT_TRANSLATE_NOOP("frmstudent", "Microphone too loud - turn it down");

// The spoken commands, in table order; row i presses button i + 1.
const QString kPhrases[] = {QStringLiteral("button one"),   QStringLiteral("button two"),
                            QStringLiteral("button three"), QStringLiteral("button four"),
                            QStringLiteral("button five"),  QStringLiteral("button six"),
                            QStringLiteral("button seven"), QStringLiteral("button eight"),
                            QStringLiteral("button nine"),  QStringLiteral("button ten")};

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
               QCoreApplication::translate("frmstudent",
                                           "The choice could not be saved in %1; it holds until "
                                           "Quorvel Student is closed.")
                   .arg(path),
               {}, qv::MsgIcon::Information);
}

QString speechErrorText(int number, const QString& description) {
    // A line break between number and description, as the platform's message box shows it.
    return QCoreApplication::translate("frmstudent", "Error-No.: %1\n%2")
        .arg(number)
        .arg(description);
}

} // namespace

void frmstudent::buildSpeechMenu() {
    mnuspeech = menuBar->addMenu(tr("&Speech")); // Alt+S: the keyboard starts listening
    mnuStartReco = mnuspeech->addAction(tr(kStartRecognition));
    connect(mnuStartReco, &QAction::triggered, this, [this] { cmdStartReco_Click(); });
    mnuEngines = mnuspeech->addMenu(tr("Recognizer"));
    engineChoice_ = new QActionGroup(mnuEngines); // one recognizer checked at a time
    mnuspeech->addSeparator();
    mnuPushToTalk = mnuspeech->addAction(tr("Push to talk (hold Space)"));
    mnuPushToTalk->setCheckable(true);
    connect(mnuPushToTalk, &QAction::triggered, this, &frmstudent::mnuPushToTalk_Click);
    mnuspeech->addSeparator();
    mnuLearnVoice = mnuspeech->addAction(tr("Learn my voice..."));
    connect(mnuLearnVoice, &QAction::triggered, this, &frmstudent::mnuLearnVoice_Click);
    mnuForgetVoice = mnuspeech->addAction(tr("Forget my voice"));
    connect(mnuForgetVoice, &QAction::triggered, this, &frmstudent::mnuForgetVoice_Click);
    // What the pupil can do depends on the recognizer, listening and the voice file at that moment.
    connect(mnuspeech, &QMenu::aboutToShow, this, &frmstudent::updateSpeechMenu);
}

void frmstudent::buildSpeechControls() {
    cmdStartReco = new QPushButton(client);
    cmdStartReco->setObjectName(QStringLiteral("cmdStartReco"));
    QFont bold(QStringLiteral("MS Sans Serif"));
    bold.setPointSizeF(8.25);
    bold.setBold(true);
    cmdStartReco->setFont(bold);
    cmdStartReco->setGeometry(qv::twipsRect(10080, 4080, 2055, 375));
    qv::setFittedText(*cmdStartReco, tr(kStartRecognition));
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

    // Not fitted like the captions: it lies outside the window as shown, and its English text is
    // longer than its place in some fonts already; what the window reads back stays the text.
    lblGrammar = new QLabel(client);
    lblGrammar->setObjectName(QStringLiteral("lblGrammar"));
    lblGrammar->setGeometry(qv::twipsRect(9600, 3720, 3615, 255));
}

void frmstudent::setUpSpeech() {
    talk_ =
        new qv::TalkControl(this, cmdHoldToTalk, cmdback, cmdnext, [this] { return oRC_.get(); });
    connect(talk_, &qv::TalkControl::heldChanged, this, [this] {
        if (recognitionActive) {
            badge_->show(listeningIdle());
        }
    });
    QStringList commands;
    for (const QString& phrase : kPhrases) {
        commands << phrase;
    }
    qv::VoiceHost host;
    host.recognizer = [this] { return grammarLoaded ? oRC_.get() : nullptr; };
    host.listening = [this] { return recognitionActive; };
    host.toggleListening = [this] { cmdStartReco_Click(); };
    host.recognizerName = [this] { return cmbEngines->currentText(); };
    host.rebuild = [this](double warp) {
        oRC_.reset();
        services_.speech->setVoiceWarp(warp);
        buildRecognizer();
    };
    host.gate = [this] { talk_->gate(); };
    host.notSaved = [this](const QString& path) { tellNotSaved(messages_, path); };
    voice_ = new qv::VoiceLearning(this, std::move(host), commands);
}

void frmstudent::showSpeechError(int number, const QString& description) {
    qv::MsgBox(messages_, speechErrorText(number, description), {}, qv::MsgIcon::Information);
}

void frmstudent::cmbEngines_Click() {
    oRC_.reset();
    badge_->show(qv::Hearing::NotListening);
    if (!services_.speech) {
        return;
    }
    // Without a microphone, or when the recognizer cannot be built, speech stays off and the
    // launcher goes on as before.
    if (services_.speech->audioInputs().isEmpty()) {
        grammarLoaded = false;
        lblGrammar->setText(tr(kGrammarNone));
        qv::MsgBox(messages_, tr("No audio input device was found. Spoken commands are off."), {},
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
        lblGrammar->setText(tr(kGrammarNone));
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
    talk_->gate();
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
        lblGrammar->setText(tr(kGrammarNone));
        grammarLoaded = false;
        showSpeechError(error.number, error.description);
        close();
        return;
    }
    lblGrammar->setText(tr(kGrammarLoaded));
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
        qv::setFittedText(*cmdStartReco, tr(kStartRecognition));
        cmbEngines->setEnabled(true);
    } else {
        recognitionActive = true;
        qv::setFittedText(*cmdStartReco, tr(kStopRecognition));
        // The recognizer cannot be changed while listening.
        cmbEngines->setEnabled(false);
    }
    // Held while not listening, it would promise an ear that is not there.
    cmdHoldToTalk->setEnabled(recognitionActive);
    badge_->show(listeningIdle());
}

qv::Hearing frmstudent::listeningIdle() const {
    if (!recognitionActive) {
        return qv::Hearing::NotListening;
    }
    return talk_->on() && !talk_->held() ? qv::Hearing::HoldSpace : qv::Hearing::Listening;
}

void frmstudent::setPushToTalk(bool on) {
    mnuPushToTalk->setChecked(on);
    if (on == talk_->on()) {
        return;
    }
    talk_->setOn(on);
    badge_->show(listeningIdle());
}

void frmstudent::mnuPushToTalk_Click(bool checked) {
    setPushToTalk(checked);
    const QString settingsPath = qv::launcherSettingsPath();
    if (!qv::writePushToTalk(settingsPath, checked)) {
        tellNotSaved(messages_, settingsPath);
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
    mnuForgetVoice->setEnabled(ready && voice_->canForget());
}

void frmstudent::mnuLearnVoice_Click() {
    voice_->learn();
}

void frmstudent::mnuForgetVoice_Click() {
    voice_->forget();
}

void frmstudent::oRC_Recognition(const QString& text) {
    lastPhrase = text;
    const QString phrase = trimBlanks(lastPhrase);
    if (phrase.isEmpty()) {
        return;
    }
    setPanel(2, phrase);
    badge_->show(qv::Hearing::Heard, phrase);
    for (int row = 0; row < qv::kPageSize; ++row) {
        const int number = row + 1;
        if (phrase == kPhrases[row] && number <= loadedButtons) {
            cmdapplau_MouseDown(number, Qt::LeftButton, Qt::NoModifier, 0, 0);
            return;
        }
    }
    setPanel(2, tr(kButtonNotLoaded));
}

void frmstudent::oRC_FalseRecognition(const QString& text) {
    lblGrammar->setText(tr(kCommandUnknown));
    setPanel(2, tr(kCommandUnknown));
    // Noise without a word in it is told apart from words that are no command.
    badge_->show(trimBlanks(text).isEmpty() ? qv::Hearing::HeardNothing
                                            : qv::Hearing::NotUnderstood);
}

void frmstudent::oRC_InputTooLoud() {
    if (tooLoudShown_) {
        return;
    }
    tooLoudShown_ = true;
    // Over the panels for a while: the texts of the panels stay as they are.
    bar->showMessage(tr(kTooLoud), 10000);
}
