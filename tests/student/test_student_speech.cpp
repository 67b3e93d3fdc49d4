// Spoken commands in the launcher: the recognizer list, the grammar, start and stop, the phrase
// table and its presses, driven by a fake recognizer.
#include "tests/student/studentfixture.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using studenttest::Launcher;
using studenttest::programs;

namespace {

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
    QString lastMessage() const {
        return l.box.fake.messages.empty() ? QString() : l.box.fake.messages.back().text;
    }

    Launcher l;
};

TEST_F(Speech, ChoosingARecognizerLoadsTheGrammarInactiveThenStartAndStopToggle) {
    frmstudent& w = loadAndChoose(3);
    ASSERT_EQ(l.speech.contexts.size(), 1U);
    EXPECT_EQ(w.oRC(), context());
    EXPECT_EQ(context()->calls,
              QStringList({"loadGrammar " + QDir(l.dir.path()).filePath("ordergrammar.xml"),
                           "setRulesActive 0"}));
    EXPECT_TRUE(w.grammarLoaded);
    EXPECT_EQ(w.lblGrammar->text(), "Current loaded Grammar: ordergrammar.xml");
    EXPECT_EQ(w.panelText(3), "Fake recognizer");
    EXPECT_TRUE(l.box.fake.messages.empty());

    const qsizetype listens = l.character.calls.count("Listen 0");
    const struct {
        bool active;
        const char* caption;
        const char* badge;
    } steps[] = {{false, "Start Recognition", "Not listening"},
                 {true, "Stop Recognition", "Listening"},
                 {false, "Start Recognition", "Not listening"}};
    for (const auto& s : steps) {
        if (&s != steps) {
            QTest::mouseClick(w.cmdStartReco, Qt::LeftButton);
            EXPECT_EQ(context()->calls.last(), s.active ? "setRulesActive 1" : "setRulesActive 0");
        }
        EXPECT_EQ(w.recognitionActive, s.active);
        EXPECT_EQ(w.cmdStartReco->text(), s.caption);
        EXPECT_EQ(w.lblListening->text(), s.badge);
        EXPECT_EQ(w.lblListening->accessibleName(), QString("Spoken commands: ") + s.badge);
        // The recognizer cannot be changed while listening.
        EXPECT_EQ(w.cmbEngines->isEnabled(), !s.active);
    }
    // Inside the visible window, unlike the speech controls.
    EXPECT_TRUE(w.client->rect().contains(w.lblListening->geometry()));
    // Each press first stops the character's own listening.
    EXPECT_EQ(l.character.calls.count("Listen 0"), listens + 2);
}

// The phrases press the buttons of the page shown: trimmed of blanks, case-sensitive, whole.
TEST_F(Speech, PhraseTablePressesTheButtonsOfThePage) {
    frmstudent& w = loadAndChoose(14);
    w.cmdStartReco_Click();
    const char* const notLoaded = "Button not loaded";
    const struct {
        bool nextPage; // ">>" first
        QString heard;
        int starts; // the program started, 0: none
        QString panel;
    } rows[] = {
        {false, "button one", 1, "button one"},
        {false, "button two", 2, "button two"},
        {false, "button three", 3, "button three"},
        {false, "button four", 4, "button four"},
        {false, "button five", 5, "button five"},
        {false, "button six", 6, "button six"},
        {false, "button seven", 7, "button seven"},
        {false, "button eight", 8, "button eight"},
        {false, "button nine", 9, "button nine"},
        {false, "button ten", 10, "button ten"},
        {false, " button one ", 1, "button one"},
        {false, "   button three", 3, "button three"},
        {false, "   ", 0, "button three"}, // nothing heard changes nothing
        {false, "", 0, "button three"},
        {false, "Button One", 0, notLoaded},
        {false, "BUTTON TWO", 0, notLoaded},
        {false, "button  one", 0, notLoaded},
        {false, "button one please", 0, notLoaded},
        {false, "the button one", 0, notLoaded},
        {false, "button 1", 0, notLoaded},
        {false, "\tbutton one", 0, notLoaded},
        {true, "button one", 11, "button one"},
        {false, "button four", 14, "button four"},
        {false, "button five", 0, notLoaded},
    };
    for (const auto& r : rows) {
        if (r.nextPage) {
            QTest::mouseClick(w.cmdnext, Qt::LeftButton);
        }
        l.shell.starts.clear();
        context()->hear(r.heard);
        const QStringList expected =
            r.starts ? QStringList({QStringLiteral("execute:/apps/Prog%1.exe").arg(r.starts)})
                     : QStringList();
        EXPECT_EQ(l.executed(), expected) << r.heard.toStdString();
        EXPECT_EQ(w.panelText(2), r.panel) << r.heard.toStdString();
        EXPECT_EQ(w.lastPhrase, r.heard);
        if (r.starts && r.heard == r.panel) {
            EXPECT_EQ(w.lblListening->text(), "Heard: " + r.heard);
            EXPECT_EQ(l.character.calls.last(),
                      QStringLiteral("Speak Starting Prog%1").arg(r.starts));
        }
    }
}

TEST_F(Speech, FalseRecognitionSaysCommandUnknown) {
    frmstudent& w = loadAndChoose(3);
    w.cmdStartReco_Click();
    context()->mishear("open the door");
    EXPECT_EQ(w.lblGrammar->text(), "Command Unknown");
    EXPECT_EQ(w.panelText(2), "Command Unknown");
    EXPECT_EQ(w.lblListening->text(), "Not understood");
    EXPECT_TRUE(l.shell.starts.empty());
    EXPECT_TRUE(w.recognitionActive);
}

// Before a recognizer is chosen, or without a speech service, start and stop only stop the
// character's listening.
TEST_F(Speech, StartStopWithoutARecognizerDoesNothingElse) {
    for (const bool service : {true, false}) {
        Launcher fresh;
        if (!service) {
            fresh.services.speech = nullptr;
        }
        frmstudent& w = fresh.load({programs(3)});
        EXPECT_EQ(w.cmbEngines->count(), service ? 1 : 0);
        if (!service) {
            w.cmbEngines_Click();
        }
        const QStringList before = fresh.character.calls;
        QTest::mouseClick(w.cmdStartReco, Qt::LeftButton);
        QTest::mouseClick(w.cmdStartReco, Qt::LeftButton);
        EXPECT_EQ(fresh.character.calls, before + QStringList({"Listen 0", "Listen 0"}));
        EXPECT_EQ(w.cmdStartReco->text(), "Start Recognition");
        EXPECT_FALSE(w.recognitionActive);
        EXPECT_FALSE(w.grammarLoaded);
        EXPECT_TRUE(w.cmbEngines->isEnabled());
        EXPECT_EQ(w.oRC(), nullptr);
        EXPECT_EQ(w.lblGrammar->text(), "");
        EXPECT_TRUE(fresh.box.fake.messages.empty());
    }
}

TEST_F(Speech, AfterARecognizerChangeListeningIsOff) {
    l.speech.recognizerNames = {"Model A", "Model B"};
    frmstudent& w = loadAndChoose(3);
    w.cmdStartReco_Click();
    w.cmdStartReco_Click();
    choose(1);
    ASSERT_EQ(l.speech.contexts.size(), 2U);
    EXPECT_EQ(w.oRC(), l.speech.contexts[1]);
    EXPECT_EQ(w.cmdStartReco->text(), "Start Recognition");
    EXPECT_FALSE(w.recognitionActive);
    EXPECT_TRUE(w.grammarLoaded);
    EXPECT_EQ(context()->calls.last(), "setRulesActive 0");
    EXPECT_EQ(w.panelText(3), "Model B");
    // The new context is the one that presses once listening starts again.
    w.cmdStartReco_Click();
    EXPECT_EQ(context()->calls.last(), "setRulesActive 1");
    context()->hear("button three");
    EXPECT_EQ(l.executed(), QStringList({"execute:/apps/Prog3.exe"}));
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
};

TEST_F(Speech, GrammarThatCannotBeLoadedEndsTheProgram) {
    BrokenGrammarService broken;
    l.services.speech = &broken;
    frmstudent& w = l.load({programs(3)});
    QSignalSpy unloaded(&w, &frmstudent::unloaded);
    choose(0);
    EXPECT_EQ(w.lblGrammar->text(), "Current loaded Grammar: None");
    EXPECT_FALSE(w.grammarLoaded);
    ASSERT_EQ(l.box.fake.messages.size(), 1U);
    EXPECT_EQ(lastMessage(), "Error-No.: -2147200966\nThe grammar file cannot be read.");
    EXPECT_EQ(l.box.fake.messages[0].icon, qv::MsgIcon::Information);
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.oRC(), nullptr);
}

TEST_F(Speech, ActivationFailureShowsBothMessagesAndKeepsTheFlags) {
    frmstudent& w = loadAndChoose(3);
    context()->activationError = {-2147201021, "The audio device is busy."};
    w.cmdStartReco_Click();
    ASSERT_EQ(l.box.fake.messages.size(), 2U);
    EXPECT_EQ(l.box.fake.messages[0].text, "Error-No.: -2147201021\nThe audio device is busy.");
    EXPECT_EQ(l.box.fake.messages[0].icon, qv::MsgIcon::Information);
    EXPECT_EQ(lastMessage(), "Failed to activate the grammar. It is possible that your audio "
                             "device is used by other application.");
    EXPECT_EQ(l.box.fake.messages[1].icon, qv::MsgIcon::None);
    EXPECT_FALSE(w.recognitionActive);
    EXPECT_EQ(w.cmdStartReco->text(), "Start Recognition");
    EXPECT_TRUE(w.cmbEngines->isEnabled());
    // Once the device is free again, listening starts.
    context()->activationError = {};
    w.cmdStartReco_Click();
    EXPECT_TRUE(w.recognitionActive);
}

// Without a microphone, or without a recognizer at the chosen place, speech stays off.
TEST_F(Speech, NoAudioInputOrNoRecognizerLeavesSpeechOffAndTheLauncherWorking) {
    const struct {
        bool microphone;
        int position;
        const char* message;
    } rows[] = {{false, 0, "No audio input device was found. Spoken commands are off."},
                {true, -1, "Error-No.: 1\nNo recognizer at that position"}};
    for (const auto& r : rows) {
        Launcher fresh;
        if (!r.microphone) {
            fresh.speech.inputNames.clear();
        }
        frmstudent& w = fresh.load({programs(3)});
        w.cmbEngines->setCurrentIndex(r.position);
        w.cmbEngines_Click();
        EXPECT_EQ(w.oRC(), nullptr);
        EXPECT_FALSE(w.grammarLoaded);
        EXPECT_EQ(w.lblGrammar->text(), "Current loaded Grammar: None");
        ASSERT_EQ(fresh.box.fake.messages.size(), 1U);
        EXPECT_EQ(fresh.box.fake.messages[0].text, r.message);
        EXPECT_TRUE(w.cmbEngines->isEnabled());
        EXPECT_TRUE(w.isVisible());
        fresh.press(1);
        EXPECT_EQ(fresh.executed(), QStringList({"execute:/apps/Prog1.exe"}));
    }
}

TEST_F(Speech, RecognizerIgnoresWhatItHearsWhileTheCharacterSpeaks) {
    frmstudent& w = loadAndChoose(3);
    emit l.character.speakingChanged(true);
    EXPECT_EQ(context()->calls.last(), "setSuspended 1");
    emit l.character.speakingChanged(false);
    EXPECT_EQ(context()->calls.last(), "setSuspended 0");
    // A context built while the character speaks starts suspended.
    emit l.character.speakingChanged(true);
    choose(0);
    EXPECT_TRUE(context()->calls.contains("setSuspended 1"));
    EXPECT_EQ(w.oRC(), context());
}

TEST_F(Speech, UnloadReleasesTheContext) {
    frmstudent& w = loadAndChoose(3);
    QSignalSpy unloaded(&w, &frmstudent::unloaded);
    QPointer<qv::RecognitionContext> ctx = w.oRC();
    ASSERT_TRUE(ctx);
    w.close();
    EXPECT_EQ(w.oRC(), nullptr);
    EXPECT_TRUE(ctx.isNull());
    EXPECT_EQ(unloaded.count(), 1);
}

TEST_F(Speech, RecognitionAfterFailedStartupPressesNothing) {
    frmstudent& w = l.load(); // no qv.ini
    choose(0);
    context()->hear("button one");
    EXPECT_EQ(w.panelText(2), "Button not loaded");
    EXPECT_TRUE(l.shell.starts.empty());
    EXPECT_TRUE(l.character.calls.isEmpty());
}

} // namespace
