// SPDX-License-Identifier: GPL-3.0-or-later
// Spoken commands in the launcher: the recognizer list, the grammar, start and stop, the phrase
// table and its presses, driven by a fake recognizer.
#include "common/pupilvoice.h"
#include "student/frmvoice.h"
#include "tests/support/studentfixture.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using studenttest::Launcher;
using studenttest::programs;

namespace {

const char* const kStart = "Start Recognition";
const char* const kStop = "Stop Recognition";

// Loads a menu and picks the first recognizer.
class Speech : public ::testing::Test {
protected:
    frmstudent& loadAndChoose(int buttons) {
        frmstudent& w = l.load({programs(buttons)});
        choose(0);
        return w;
    }
    void choose(int position) {
        l.window->cmbEngines->setCurrentIndex(position);
        l.window->cmbEngines_Click();
    }
    qv::FakeRecognitionContext* context() {
        return l.speech.contexts.empty() ? nullptr : l.speech.contexts.back();
    }

    Launcher l;
};

TEST_F(Speech, ChoosingARecognizerLoadsTheGrammarInactiveThenStartAndStopToggle) {
    l.speech.recognizerNames = {"Model A", "Model B"};
    frmstudent& w = loadAndChoose(3);
    ASSERT_EQ(l.speech.contexts.size(), 1U);
    EXPECT_EQ(context()->calls,
              QStringList({"loadGrammar " + QDir(l.dir.path()).filePath("ordergrammar.xml"),
                           "setRulesActive 0"}));
    EXPECT_EQ(w.lblGrammar->text(), "Current loaded Grammar: ordergrammar.xml");
    EXPECT_EQ(w.panelText(3), "Model A");

    // The speech menu mirrors the controls that lie outside the window.
    const auto openMenu = [&w] {
        emit w.mnuspeech->aboutToShow();
        QStringList engines;
        for (QAction* engine : w.mnuEngines->actions()) {
            engines << engine->text() + (engine->isChecked() ? "*" : "");
        }
        return engines;
    };
    for (int step = 0; step < 3; ++step) { // as loaded, started by the button, stopped by the menu
        const bool active = step == 1;
        if (step == 1) {
            QTest::mouseClick(w.cmdStartReco, Qt::LeftButton);
        } else if (step == 2) {
            w.mnuStartReco->trigger();
        }
        if (step > 0) {
            EXPECT_EQ(context()->calls.last(), active ? "setRulesActive 1" : "setRulesActive 0");
        }
        EXPECT_EQ(openMenu(), QStringList({"Model A*", "Model B"}));
        EXPECT_EQ(w.mnuStartReco->text(), active ? kStop : kStart);
        EXPECT_EQ(w.mnuEngines->isEnabled(), !active);
        const QString badge = active ? "Listening" : "Not listening";
        EXPECT_EQ(w.cmdStartReco->text(), active ? kStop : kStart);
        EXPECT_EQ(w.lblListening->text(), badge);
        EXPECT_EQ(w.lblListening->accessibleName(), "Spoken commands: " + badge);
        // The recognizer cannot be changed while listening.
        EXPECT_EQ(w.cmbEngines->isEnabled(), !active);
    }
    // Inside the visible window, unlike the speech controls.
    EXPECT_TRUE(w.client->rect().contains(w.lblListening->geometry()));

    // Another recognizer, chosen in the menu: its context is the one that presses once
    // listening starts again.
    w.mnuEngines->actions().at(1)->trigger();
    ASSERT_EQ(l.speech.contexts.size(), 2U);
    EXPECT_EQ(w.panelText(3), "Model B");
    EXPECT_EQ(openMenu(), QStringList({"Model A", "Model B*"}));
    w.mnuStartReco->trigger();
    EXPECT_EQ(context()->calls.last(), "setRulesActive 1");
    context()->hear("button three");
    EXPECT_EQ(l.executed(), QStringList({"execute:/apps/Prog3.exe"}));
    EXPECT_EQ(w.lblListening->text(), "Heard: button three");
}

// The phrases press the buttons of the page shown: trimmed of blanks, case-sensitive, whole.
TEST_F(Speech, PhraseTablePressesTheButtonsOfThePage) {
    frmstudent& w = loadAndChoose(14);
    w.cmdStartReco_Click();
    const char* const notLoaded = "Button not loaded";
    struct Row {
        QString heard;
        int starts; // the program started, 0: none
        QString panel;
    };
    std::vector<Row> rows;
    for (const char* n :
         {"one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten"}) {
        rows.push_back({QString("button ") + n, int(rows.size()) + 1, QString("button ") + n});
    }
    const Row more[] = {
        {" button one ", 1, "button one"},
        {"   ", 0, "button one"}, // nothing heard changes nothing
        {"Button One", 0, notLoaded},
        {"button  one", 0, notLoaded},
        {"button one please", 0, notLoaded},
        {"button 1", 0, notLoaded},
        {"\tbutton one", 0, notLoaded},
        {">>", 0, notLoaded}, // the second page: buttons 11 to 14
        {"button four", 14, "button four"},
        {"button five", 0, notLoaded},
    };
    rows.insert(rows.end(), std::begin(more), std::end(more));
    for (const auto& r : rows) {
        if (r.heard == ">>") {
            QTest::mouseClick(w.cmdnext, Qt::LeftButton);
            continue;
        }
        l.shell.starts.clear();
        context()->hear(r.heard);
        const QStringList expected =
            r.starts ? QStringList({QStringLiteral("execute:/apps/Prog%1.exe").arg(r.starts)})
                     : QStringList();
        EXPECT_EQ(l.executed(), expected) << r.heard.toStdString();
        EXPECT_EQ(w.panelText(2), r.panel) << r.heard.toStdString();
    }
    context()->mishear("open the door");
    EXPECT_EQ(w.lblGrammar->text(), "Command Unknown");
    EXPECT_EQ(w.panelText(2), "Command Unknown");
    EXPECT_EQ(w.lblListening->text(), "Not understood");
}

TEST_F(Speech, ActivationFailureShowsBothMessagesAndKeepsListeningOff) {
    frmstudent& w = loadAndChoose(3);
    context()->activationError = {-2147201021, "The audio device is busy."};
    w.cmdStartReco_Click();
    ASSERT_EQ(l.box.messages.size(), 2U);
    EXPECT_EQ(l.box.messages[0].text, "Error-No.: -2147201021\nThe audio device is busy.");
    EXPECT_EQ(l.box.messages[0].icon, qv::MsgIcon::Information);
    EXPECT_EQ(l.lastMessage(), "Failed to activate the grammar. It is possible that your audio "
                               "device is used by other application.");
    EXPECT_EQ(l.box.messages[1].icon, qv::MsgIcon::None);
    EXPECT_EQ(w.cmdStartReco->text(), kStart);
}

// A speech service whose contexts fail to load the grammar.
class BrokenGrammarService final : public qv::SpeechService {
public:
    QStringList recognizers() override { return {"Broken"}; }
    QStringList audioInputs() override { return {"Microphone"}; }
    std::unique_ptr<qv::RecognitionContext> createContext(int, qv::SpeechError*) override {
        auto c = std::make_unique<qv::FakeRecognitionContext>();
        c->grammarError = {-2147200966, "The grammar file cannot be read."};
        return c;
    }
    void setVoiceWarp(double) override {}
};

// Speech that cannot be used says why, once; start and stop then only stop the character's
// listening, and the launcher goes on, except when the grammar cannot be loaded: that ends it.
TEST(SpeechOff, EachReasonIsToldAndTheLauncherGoesOnOrEnds) {
    enum Service { Fake, NoService, NoMicrophone, Broken, Damaged };
    const struct {
        const char* name;
        Service service;
        int position;        // the recognizer chosen; -2: none
        const char* message; // empty: none
        const char* grammar;
    } rows[] = {
        {"not chosen", Fake, -2, "", ""},
        {"no service", NoService, 0, "", ""},
        {"no microphone", NoMicrophone, 0,
         "No audio input device was found. Spoken commands are off.",
         "Current loaded Grammar: None"},
        {"no recognizer there", Fake, -1, "Error-No.: 1\nNo recognizer at that position",
         "Current loaded Grammar: None"},
        {"grammar unreadable", Broken, 0,
         "Error-No.: -2147200966\nThe grammar file cannot be read.",
         "Current loaded Grammar: None"},
        {"model damaged", Damaged, 0, "Error-No.: 2\nFake recognizer is damaged",
         "Current loaded Grammar: None"},
    };
    for (const auto& r : rows) {
        Launcher l;
        BrokenGrammarService broken;
        if (r.service == Damaged) {
            l.speech.damagedRecognizers = l.speech.recognizerNames;
        } else if (r.service == NoMicrophone) {
            l.speech.inputNames.clear();
        } else if (r.service == NoService) {
            l.services.speech = nullptr;
        } else if (r.service == Broken) {
            l.services.speech = &broken;
        }
        frmstudent& w = l.load({programs(3)});
        QSignalSpy unloaded(&w, &frmstudent::unloaded);
        if (r.position != -2) {
            w.cmbEngines->setCurrentIndex(r.position);
            w.cmbEngines_Click();
        }
        // A damaged recognizer is no longer offered.
        EXPECT_EQ(w.cmbEngines->count(), r.service == NoService || r.service == Damaged ? 0 : 1)
            << r.name;
        EXPECT_EQ(w.oRC(), nullptr) << r.name;
        EXPECT_EQ(w.lblGrammar->text(), r.grammar) << r.name;
        EXPECT_EQ(l.lastMessage(), r.message) << r.name;
        ASSERT_LE(l.box.messages.size(), 1U) << r.name;
        if (*r.message) {
            EXPECT_EQ(l.box.messages[0].icon, qv::MsgIcon::Information) << r.name;
        }
        const bool ends = r.service == Broken;
        EXPECT_EQ(unloaded.count(), ends ? 1 : 0) << r.name;
        if (ends) {
            continue;
        }
        const QStringList before = l.character.calls;
        QTest::mouseClick(w.cmdStartReco, Qt::LeftButton);
        QTest::mouseClick(w.cmdStartReco, Qt::LeftButton);
        EXPECT_EQ(l.character.calls, before + QStringList({"Listen 0", "Listen 0"})) << r.name;
        EXPECT_EQ(w.cmdStartReco->text(), kStart) << r.name;
        l.press(1);
        EXPECT_EQ(l.executed(), QStringList({"execute:/apps/Prog1.exe"})) << r.name;
    }
}

// Without any recognizer the Speech menu says so once, not at every opening.
TEST_F(Speech, NoRecognizerAtAllIsSaidOnceWhenTheSpeechMenuOpens) {
    l.speech.recognizerNames.clear();
    frmstudent& w = l.load({programs(3)});
    EXPECT_TRUE(l.box.messages.empty());
    emit w.mnuspeech->aboutToShow();
    emit w.mnuspeech->aboutToShow();
    ASSERT_EQ(l.box.messages.size(), 1U);
    EXPECT_TRUE(l.lastMessage().startsWith("No speech recognizer can be used on this computer"));
    EXPECT_FALSE(w.mnuEngines->isEnabled());
}

TEST_F(Speech, RecognizerIgnoresWhatItHearsWhileTheCharacterSpeaks) {
    loadAndChoose(3);
    emit l.character.speakingChanged(true);
    EXPECT_EQ(context()->calls.last(), "setSuspended 1");
    emit l.character.speakingChanged(false);
    EXPECT_EQ(context()->calls.last(), "setSuspended 0");
    // A context built while the character speaks starts suspended.
    emit l.character.speakingChanged(true);
    choose(0);
    EXPECT_TRUE(context()->calls.contains("setSuspended 1"));
}

TEST_F(Speech, UnloadReleasesTheContext) {
    frmstudent& w = loadAndChoose(3);
    QSignalSpy unloaded(&w, &frmstudent::unloaded);
    QPointer<qv::RecognitionContext> ctx = w.oRC();
    ASSERT_TRUE(ctx);
    w.close();
    EXPECT_TRUE(ctx.isNull());
    EXPECT_EQ(unloaded.count(), 1);
}

// The stored choice holds from the start, also when IT stored it for the whole machine: the
// recognizer chosen then is closed until a talk key is held.
TEST_F(Speech, StoredPushToTalkHoldsFromTheStart) {
    ASSERT_TRUE(QDir().mkpath(l.dir.filePath("machine/quorvel")));
    ASSERT_TRUE(qvtest::writeAll(l.dir.filePath("machine/quorvel/student.conf"),
                                 "[Speech]\npush-to-talk=on\n"));
    frmstudent& w = loadAndChoose(3);
    EXPECT_TRUE(w.mnuPushToTalk->isChecked());
    EXPECT_FALSE(w.cmdHoldToTalk->isHidden());
    EXPECT_EQ(context()->calls.value(0), "setGated 1");
}

// A pupil's voice: asked for command by command (a sound without a word asks again), heard
// again by the context, kept for the recognizer it was found with and used by each recognizer
// built from then on, until it is forgotten. Cancelled, nothing changes.
TEST_F(Speech, LearntVoiceIsKeptForItsRecognizerAndUsedUntilForgotten) {
    frmstudent& w = loadAndChoose(3);
    const auto enabled = [&] {
        emit w.mnuspeech->aboutToShow();
        return std::pair{w.mnuLearnVoice->isEnabled(), w.mnuForgetVoice->isEnabled()};
    };
    EXPECT_EQ(enabled(), std::pair(true, false));
    const auto learn = [&] {
        w.mnuLearnVoice->trigger();
        return w.findChild<frmvoice*>();
    };
    // With push to talk the pupil is heard without a key while asked, and only with it after.
    w.setPushToTalk(true);
    frmvoice* cancelled = learn();
    ASSERT_TRUE(cancelled);
    emit context()->EnrolmentHeard(0, "button one");
    QTest::mouseClick(cancelled->cmdClose, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(l.speech.contexts.size(), 1U);
    EXPECT_FALSE(QFileInfo::exists(qv::pupilVoicePath()));
    EXPECT_EQ(context()->calls.mid(2),
              QStringList({"setGated 1", "setRulesActive 1", "setGated 0", "setEnrolling 1",
                           "setEnrolling 0", "setGated 1", "setRulesActive 0"}));
    w.setPushToTalk(false);

    frmvoice* dialog = learn();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->lblPrompt->text(), "Say \"button one\"");
    QStringList said;
    for (int i = 0, asked = 0; asked < 10; ++i) {
        const bool noise = i == 3;
        const QString command = QStringLiteral("button %1")
                                    .arg(QStringList{"one", "two", "three", "four", "five", "six",
                                                     "seven", "eight", "nine", "ten"}[asked]);
        emit context()->EnrolmentHeard(i, noise ? "" : "button eight");
        said << (noise ? "" : command);
        asked += noise ? 0 : 1;
        if (noise) {
            EXPECT_EQ(dialog->lblPrompt->text(), "Say \"" + command + "\"");
            EXPECT_EQ(dialog->lblStep->text(), QStringLiteral("Command %1 of 10").arg(asked + 1));
        }
    }
    EXPECT_EQ(context()->calls.mid(context()->calls.size() - 2),
              QStringList({"setEnrolling 0", "chooseVoice " + said.join(u',')}));
    emit context()->VoiceChosen(1.3, 4, 9, 10);
    EXPECT_EQ(dialog->lblStep->text(),
              "Of your 10 commands, 4 were heard right before and 9 are now.");
    QTest::mouseClick(dialog->cmdClose, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Built anew with the voice, and not listening, as before.
    EXPECT_EQ(qv::readVoiceWarp(qv::pupilVoicePath(), "Fake recognizer"), 1.3);
    ASSERT_EQ(l.speech.contexts.size(), 2U);
    EXPECT_EQ(l.speech.voiceWarps, std::vector<double>({1.0, 1.3}));
    EXPECT_EQ(context()->calls.last(), "setRulesActive 0");
    EXPECT_EQ(w.cmdStartReco->text(), kStart);
    EXPECT_EQ(enabled(), std::pair(true, true));
    choose(0);
    EXPECT_EQ(l.speech.voiceWarps.back(), 1.3);

    w.mnuForgetVoice->trigger();
    EXPECT_EQ(l.speech.voiceWarps.back(), 1.0);
    EXPECT_EQ(qv::readVoiceWarp(qv::pupilVoicePath(), "Fake recognizer"), 1.0);
    EXPECT_EQ(enabled(), std::pair(true, false));
}

} // namespace
