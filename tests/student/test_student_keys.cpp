// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher window on an X display, driven by real key events sent through XTest: the keys
// that start a launch button, and where the keyboard focus goes.
#include "common/pushtotalk.h"
#include "tests/support/studentfixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

using studenttest::Launcher;
using studenttest::menuText;
using studenttest::programs;

namespace {

// Counts the program's auto-repeated key events; installed last, it sees them first.
struct RepeatCounter : QObject {
    int seen = 0;
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        const auto* key = dynamic_cast<QKeyEvent*>(event);
        seen += key && key->isAutoRepeat() ? 1 : 0;
        return false;
    }
};

class LauncherKeys : public ::testing::Test {
protected:
    void SetUp() override {
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr) << "needs an X display";
        ASSERT_TRUE(l.writeMenu(menuText({programs(12)})));
        w = &l.load();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        // With no window manager, nobody gives the new window the keyboard focus.
        XSetInputFocus(display, static_cast<Window>(w->winId()), RevertToParent, CurrentTime);
        XSync(display, False);
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([this] { return w->isActiveWindow(); }, 5000));
    }
    void TearDown() override {
        if (display) {
            XCloseDisplay(display);
        }
    }

    // Presses and releases the key, or only one of the two.
    void key(KeySym sym, bool down = true, bool up = true) {
        const KeyCode code = XKeysymToKeycode(display, sym);
        ASSERT_NE(code, 0);
        if (down) {
            XTestFakeKeyEvent(display, code, True, 0);
        }
        if (up) {
            XTestFakeKeyEvent(display, code, False, 0);
        }
        XSync(display, False);
    }
    void focus(QWidget* widget) {
        widget->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([widget] { return widget->hasFocus(); }));
    }

    // Tab, and the widget that then has the focus (nullptr when it did not move).
    QWidget* tab() {
        QWidget* before = QApplication::focusWidget();
        key(XK_Tab);
        const bool moved =
            QTest::qWaitFor([before] { return QApplication::focusWidget() != before; }, 5000);
        return moved ? QApplication::focusWidget() : nullptr;
    }

    bool shownInWindow(const QWidget* widget) const {
        return widget && widget->isVisible() &&
               w->client->rect().contains(
                   QRect(widget->mapTo(w->client, QPoint(0, 0)), widget->size()));
    }

    Launcher l;
    frmstudent* w = nullptr;
    Display* display = nullptr;
};

TEST_F(LauncherKeys, ReturnKeypadEnterAndSpaceEachStartTheButtonOnce) {
    focus(w->cmdapplau->element(1));
    for (const KeySym sym : {XK_Return, XK_KP_Enter, XK_space}) {
        const size_t before = l.shell.starts.size();
        key(sym);
        EXPECT_TRUE(QTest::qWaitFor([&] { return l.shell.starts.size() > before; }, 5000))
            << XKeysymToString(sym);
    }
    // Tab reaches the next button, whose start is the marker after which nothing more comes.
    ASSERT_EQ(tab(), w->cmdapplau->element(2));
    key(XK_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return l.shell.starts.size() >= 4; }, 5000));
    EXPECT_EQ(l.executed(), QStringList({"execute:/apps/Prog1.exe", "execute:/apps/Prog1.exe",
                                         "execute:/apps/Prog1.exe", "execute:/apps/Prog2.exe"}));
}

TEST_F(LauncherKeys, WithPushToTalkSpaceHeldOpensTheRecognizerAndStartsNoButton) {
    w->cmbEngines->setCurrentIndex(0);
    w->cmbEngines_Click();
    w->cmdStartReco_Click();
    w->mnuPushToTalk->trigger();
    // Stored in the launcher's settings under XDG_CONFIG_HOME, the test's folder.
    EXPECT_TRUE(qv::readPushToTalk(l.dir.filePath("quorvel/student.conf")));
    ASSERT_EQ(l.speech.contexts.size(), 1U);
    const qv::FakeRecognitionContext& context = *l.speech.contexts.back();
    EXPECT_EQ(context.calls.last(), "setGated 1");
    auto badge = [this](const char* text) {
        return QTest::qWaitFor([&] { return w->lblListening->text() == text; }, 5000);
    };
    EXPECT_TRUE(badge("Hold Space to talk"));
    EXPECT_TRUE(shownInWindow(w->cmdHoldToTalk));

    focus(w->cmdapplau->element(1));
    key(XK_space, true, false);
    EXPECT_TRUE(badge("Listening"));
    EXPECT_EQ(context.calls.last(), "setGated 0");
    // The server repeats the held key; the repeats leave the recognizer open.
    const qsizetype calls = context.calls.size();
    RepeatCounter repeats;
    qApp->installEventFilter(&repeats);
    EXPECT_TRUE(QTest::qWaitFor([&] { return repeats.seen >= 4; }, 5000));
    qApp->removeEventFilter(&repeats);
    EXPECT_EQ(context.calls.size(), calls);
    // So does a repeat that reaches the window as a plain release and press.
    QTest::keyRelease(w->cmdapplau->element(1), Qt::Key_Space);
    QTest::keyPress(w->cmdapplau->element(1), Qt::Key_Space);
    key(XK_space, false, true);
    EXPECT_TRUE(badge("Hold Space to talk"));
    EXPECT_EQ(context.calls.mid(calls), QStringList({"setGated 1"}));
    // Return still starts a button; its start is the marker that Space started none before.
    w->cmdapplau->element(2)->setFocus();
    key(XK_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return l.executed().contains("execute:/apps/Prog2.exe"); }));
    EXPECT_EQ(l.executed(), QStringList({"execute:/apps/Prog2.exe"}));

    w->cmdnext->setFocus(); // Space turned the page; now Return does
    key(XK_Return);
    EXPECT_TRUE(QTest::qWaitFor([this] { return w->pageOffset() == 10; }, 5000));

    QTest::mousePress(w->cmdHoldToTalk, Qt::LeftButton);
    EXPECT_EQ(w->lblListening->text(), "Listening");
    QTest::mouseRelease(w->cmdHoldToTalk, Qt::LeftButton);
    EXPECT_EQ(w->lblListening->text(), "Hold Space to talk");
}

TEST_F(LauncherKeys, AltSOpensTheSpeechMenuAndReturnStartsListening) {
    w->cmbEngines->setCurrentIndex(0);
    w->cmbEngines_Click();
    focus(w->cmdapplau->element(1));
    key(XK_Alt_L, true, false);
    key(XK_s);
    key(XK_Alt_L, false, true);
    ASSERT_TRUE(QTest::qWaitFor([this] { return w->mnuspeech->isVisible(); }, 5000));
    EXPECT_EQ(w->mnuspeech->activeAction(), w->mnuStartReco);
    key(XK_Return);
    EXPECT_TRUE(QTest::qWaitFor([this] { return w->lblListening->text() == "Listening"; }, 5000));
    EXPECT_TRUE(l.executed().isEmpty());
}

TEST_F(LauncherKeys, FocusGoesOnlyToControlsInsideTheVisibleWindow) {
    QList<QWidget*> seen;
    for (int i = 0; i < 16; ++i) {
        QWidget* focus = tab();
        ASSERT_NE(focus, nullptr) << "Tab " << i;
        EXPECT_TRUE(shownInWindow(focus)) << focus->objectName().toStdString();
        seen << focus;
    }
    // The chain holds ">>" and all ten launch buttons ("<<" is off on the first page).
    EXPECT_TRUE(seen.contains(w->cmdnext));
    for (int k = 1; k <= 10; ++k) {
        EXPECT_TRUE(seen.contains(w->cmdapplau->element(k))) << k;
    }

    // Space on ">>" reaches the last page, which disables ">>": the focus goes to "<<".
    focus(w->cmdnext);
    key(XK_space);
    ASSERT_TRUE(QTest::qWaitFor([this] { return w->pageOffset() == 10; }, 5000));
    EXPECT_FALSE(w->cmdnext->isEnabled());
    EXPECT_TRUE(QTest::qWaitFor([this] { return w->cmdback->hasFocus(); }, 5000));
    // And Space on "<<" back to the first page, which disables "<<": the focus goes to ">>".
    key(XK_space);
    ASSERT_TRUE(QTest::qWaitFor([this] { return w->pageOffset() == 0; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([this] { return w->cmdnext->hasFocus(); }, 5000));
}

} // namespace
