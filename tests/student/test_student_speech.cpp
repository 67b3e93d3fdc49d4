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
using studenttest::menuText;
using studenttest::programs;

namespace {

const char* const kActivateFailed = "Failed to activate the grammar. It is possible that your "
                                    "audio device is used by other application.";

// Loads a menu and picks the first recognizer.
class Speech : public ::testing::Test {
protected:
    frmstudent& loadAndChoose(int buttons, int tabs = 1) {
        QList<QStringList> menu;
        for (int t = 0; t < tabs; ++t) {
            menu << programs(buttons, 1 + 100 * t);
        }
        EXPECT_TRUE(l.writeMenu(menuText(menu)));
        frmstudent& w = l.load();
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

TEST_F(Speech, ChoosingARecognizerLoadsTheGrammarInactive) {
    frmstudent& w = loadAndChoose(3);
    ASSERT_EQ(l.speech.contexts.size(), 1U);
    EXPECT_EQ(w.oRC(), context());
    EXPECT_EQ(context()->calls,
              QStringList({"loadGrammar " + QDir(l.dir.path()).filePath("ordergrammar.xml"),
                           "setRulesActive 0"}));
    EXPECT_TRUE(w.grammarLoaded);
    EXPECT_FALSE(w.recognitionActive);
    EXPECT_EQ(w.lblGrammar->text(), "Current loaded Grammar: ordergrammar.xml");
    EXPECT_EQ(w.cmdStartReco->text(), "Start Recognition");
    EXPECT_TRUE(w.cmbEngines->isEnabled());
    EXPECT_EQ(w.panelText(3), "Fake recognizer");
    EXPECT_TRUE(l.box.fake.messages.empty());
}

TEST_F(Speech, StartAndStopToggleTheRulesAndTheCaption) {
    frmstudent& w = loadAndChoose(3);
    const qsizetype listens = l.character.calls.count("Listen 0");
    EXPECT_EQ(w.lblListening->text(), "Not listening");
    QTest::mouseClick(w.cmdStartReco, Qt::LeftButton);
    EXPECT_TRUE(w.recognitionActive);
    EXPECT_EQ(w.cmdStartReco->text(), "Stop Recognition");
    EXPECT_EQ(w.lblListening->text(), "Listening");
    EXPECT_EQ(w.lblListening->accessibleName(), "Spoken commands: Listening");
    // Inside the visible window, unlike the speech controls.
    EXPECT_TRUE(w.client->rect().contains(w.lblListening->geometry()));
    EXPECT_FALSE(w.cmbEngines->isEnabled());
    EXPECT_EQ(context()->calls.last(), "setRulesActive 1");
    QTest::mouseClick(w.cmdStartReco, Qt::LeftButton);
    EXPECT_FALSE(w.recognitionActive);
    EXPECT_EQ(w.cmdStartReco->text(), "Start Recognition");
    EXPECT_TRUE(w.cmbEngines->isEnabled());
    EXPECT_EQ(context()->calls.last(), "setRulesActive 0");
    EXPECT_EQ(w.lblListening->text(), "Not listening");
    // Each press first stops the character's own listening.
    EXPECT_EQ(l.character.calls.count("Listen 0"), listens + 2);
}

TEST_F(Speech, PhrasesPressTheButtonsOfThePage) {
    frmstudent& w = loadAndChoose(3);
    w.cmdStartReco_Click();
    context()->hear("button two");
    EXPECT_EQ(l.executed(), QStringList({"execute:/apps/Prog2.exe"}));
    EXPECT_EQ(w.panelText(2), "button two");
    EXPECT_EQ(w.lblListening->text(), "Heard: button two");
    EXPECT_EQ(l.character.calls.last(), "Speak Starting Prog2");
    EXPECT_EQ(w.lastPhrase, "button two");

    context()->hear("button five");
    EXPECT_EQ(w.panelText(2), "Button not loaded");
    EXPECT_EQ(l.shell.starts.size(), 1U);
}

TEST_F(Speech, PhraseTableIsTrimmedCaseSensitiveAndWhole) {
    struct Case {
        QString heard;
        QString start; // empty: nothing is pressed
        QString panel;
    };
    const Case cases[] = {
        {"button one", "execute:/apps/Prog1.exe", "button one"},
        {" button one ", "execute:/apps/Prog1.exe", "button one"},
        {"   button three", "execute:/apps/Prog3.exe", "button three"},
        {"Button One", "", "Button not loaded"},
        {"BUTTON TWO", "", "Button not loaded"},
        {"button  one", "", "Button not loaded"},
        {"button one please", "", "Button not loaded"},
        {"the button one", "", "Button not loaded"},
        {"button four", "", "Button not loaded"},
        {"button ten", "", "Button not loaded"},
        {"button 1", "", "Button not loaded"},
        {"\tbutton one", "", "Button not loaded"},
    };
    for (const Case& c : cases) {
        Launcher fresh;
        ASSERT_TRUE(fresh.writeMenu(menuText({programs(3)})));
        frmstudent& w = fresh.load();
        w.cmbEngines->setCurrentIndex(0);
        w.cmbEngines_Click();
        w.cmdStartReco_Click();
        fresh.speech.contexts.back()->hear(c.heard);
        const QStringList expected = c.start.isEmpty() ? QStringList() : QStringList({c.start});
        EXPECT_EQ(fresh.executed(), expected) << c.heard.toStdString();
        EXPECT_EQ(w.panelText(2), c.panel) << c.heard.toStdString();
        EXPECT_EQ(w.lastPhrase, c.heard);
    }
}

TEST_F(Speech, AllTenPhrasesOnAFullPage) {
    const char* const words[] = {"one", "two",   "three", "four", "five",
                                 "six", "seven", "eight", "nine", "ten"};
    frmstudent& w = loadAndChoose(10);
    w.cmdStartReco_Click();
    QStringList expected;
    for (int i = 0; i < 10; ++i) {
        context()->hear(QStringLiteral("button ") + words[i]);
        expected << QStringLiteral("execute:/apps/Prog%1.exe").arg(i + 1);
    }
    EXPECT_EQ(l.executed(), expected);
}

TEST_F(Speech, EmptyPhraseChangesNothing) {
    frmstudent& w = loadAndChoose(3);
    context()->hear("button one");
    context()->hear("   ");
    context()->hear("");
    EXPECT_EQ(w.panelText(2), "button one");
    EXPECT_EQ(l.shell.starts.size(), 1U);
}

TEST_F(Speech, OnTheSecondPageButtonOneStartsButtonEleven) {
    frmstudent& w = loadAndChoose(14);
    QTest::mouseClick(w.cmdnext, Qt::LeftButton);
    context()->hear("button one");
    context()->hear("button four");
    context()->hear("button five");
    EXPECT_EQ(l.executed(), QStringList({"execute:/apps/Prog11.exe", "execute:/apps/Prog14.exe"}));
    EXPECT_EQ(w.panelText(2), "Button not loaded");
}

TEST_F(Speech, SpecialItemsBySpeech) {
    ASSERT_TRUE(l.writeMenu(menuText({{"My Computer.lnk", "My Documents.lnk"}})));
    frmstudent& w = l.load();
    choose(0);
    w.cmdStartReco_Click();
    context()->hear("button two");
    context()->hear("button one");
    EXPECT_EQ(l.executed(), QStringList({"documents:", "computer:"}));
    EXPECT_EQ(l.character.calls.last(), "Speak Starting My Computer");
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

TEST_F(Speech, StartStopBeforeARecognizerWasChosenOnlyStopsTheCharactersListening) {
    ASSERT_TRUE(l.writeMenu(menuText({programs(3)})));
    frmstudent& w = l.load();
    const QStringList before = l.character.calls;
    QTest::mouseClick(w.cmdStartReco, Qt::LeftButton);
    QTest::mouseClick(w.cmdStartReco, Qt::LeftButton);
    EXPECT_EQ(l.character.calls, before + QStringList({"Listen 0", "Listen 0"}));
    EXPECT_EQ(w.cmdStartReco->text(), "Start Recognition");
    EXPECT_FALSE(w.recognitionActive);
    EXPECT_FALSE(w.grammarLoaded);
    EXPECT_TRUE(w.cmbEngines->isEnabled());
    EXPECT_TRUE(l.speech.contexts.empty());
    EXPECT_EQ(w.lblGrammar->text(), "");
    EXPECT_TRUE(l.box.fake.messages.empty());
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
    // Nothing is heard until listening starts again; then the new context presses.
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
    ASSERT_TRUE(l.writeMenu(menuText({programs(3)})));
    frmstudent& w = l.load();
    QSignalSpy unloaded(&w, &frmstudent::unloaded);
    w.show();
    choose(0);
    EXPECT_EQ(w.lblGrammar->text(), "Current loaded Grammar: None");
    EXPECT_FALSE(w.grammarLoaded);
    ASSERT_EQ(l.box.fake.messages.size(), 1U);
    EXPECT_EQ(l.box.fake.messages[0].text,
              "Error-No.: -2147200966\nThe grammar file cannot be read.");
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
    EXPECT_EQ(l.box.fake.messages[1].text, kActivateFailed);
    EXPECT_EQ(l.box.fake.messages[1].icon, qv::MsgIcon::None);
    EXPECT_FALSE(w.recognitionActive);
    EXPECT_EQ(w.cmdStartReco->text(), "Start Recognition");
    EXPECT_TRUE(w.cmbEngines->isEnabled());
    EXPECT_TRUE(w.isVisible() || !w.isWindow());
    // Once the device is free again, listening starts.
    context()->activationError = {};
    w.cmdStartReco_Click();
    EXPECT_TRUE(w.recognitionActive);
}

TEST_F(Speech, NoAudioInputLeavesSpeechOffAndTheLauncherWorking) {
    l.speech.inputNames.clear();
    frmstudent& w = loadAndChoose(3);
    EXPECT_EQ(w.oRC(), nullptr);
    EXPECT_FALSE(w.grammarLoaded);
    EXPECT_EQ(w.lblGrammar->text(), "Current loaded Grammar: None");
    ASSERT_EQ(l.box.fake.messages.size(), 1U);
    EXPECT_EQ(l.box.fake.messages[0].text,
              "No audio input device was found. Spoken commands are off.");
    EXPECT_TRUE(w.cmbEngines->isEnabled());
    w.cmdStartReco_Click();
    EXPECT_EQ(w.cmdStartReco->text(), "Start Recognition");
    w.cmdapplau_MouseDown(1, Qt::LeftButton, Qt::NoModifier, 0, 0);
    EXPECT_EQ(l.executed(), QStringList({"execute:/apps/Prog1.exe"}));
}

TEST_F(Speech, RecognizerThatCannotBeBuiltLeavesSpeechOff) {
    ASSERT_TRUE(l.writeMenu(menuText({programs(3)})));
    frmstudent& w = l.load();
    choose(-1); // nothing chosen: no recognizer at that position
    EXPECT_EQ(w.oRC(), nullptr);
    EXPECT_FALSE(w.grammarLoaded);
    ASSERT_EQ(l.box.fake.messages.size(), 1U);
    EXPECT_EQ(l.box.fake.messages[0].text, "Error-No.: 1\nNo recognizer at that position");
    EXPECT_TRUE(w.isVisible());
}

TEST_F(Speech, WithoutSpeechServiceTheControlsDoNothing) {
    l.services.speech = nullptr;
    ASSERT_TRUE(l.writeMenu(menuText({programs(3)})));
    frmstudent& w = l.load();
    EXPECT_EQ(w.cmbEngines->count(), 0);
    w.cmbEngines_Click();
    w.cmdStartReco_Click();
    EXPECT_EQ(w.oRC(), nullptr);
    EXPECT_TRUE(l.box.fake.messages.empty());
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
