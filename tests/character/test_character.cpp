// SPDX-License-Identifier: GPL-3.0-or-later
#include "character/window.h"
#include "tests/support/testutil.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <condition_variable>
#include <mutex>

using namespace qv::character;

// Readable failure messages for Qt texts.
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

QString shippedFolder() {
    return qvtest::binDir() + QStringLiteral("/character");
}

// What a sink saw, shared between the worker thread and the test. With hold, write() blocks
// until the test releases it.
struct SinkLog {
    std::mutex lock;
    std::condition_variable released;
    bool open = true; // whether open() succeeds
    bool hold = false;
    bool holding = false;
    int rate = 0;
    int opens = 0;
    std::vector<std::int16_t> samples;
    void release() {
        {
            std::lock_guard g(lock);
            hold = false;
        }
        released.notify_all();
    }
};

class RecordingSink final : public AudioSink {
public:
    explicit RecordingSink(std::shared_ptr<SinkLog> log) : log_(std::move(log)) {}
    bool open(int sampleRate) override {
        std::lock_guard g(log_->lock);
        ++log_->opens;
        log_->rate = sampleRate;
        return log_->open;
    }
    bool write(const std::int16_t* s, std::size_t n) override {
        std::unique_lock g(log_->lock);
        log_->holding = log_->hold;
        log_->released.wait(g, [this] { return !log_->hold; });
        log_->holding = false;
        log_->samples.insert(log_->samples.end(), s, s + n);
        return true;
    }
    void drain() override {}

private:
    std::shared_ptr<SinkLog> log_;
};

// Merlin on quick timings, speaking with espeak-ng linked in (the module is tested in
// test_module) into a recording sink unless given one, loaded from dir and
// shown unless told not to; its speakingChanged signals and the balloon text at each start are
// recorded.
struct Merlin {
    explicit Merlin(bool load = true, const QString& dir = shippedFolder(), CharacterOptions o = {})
        : c([&] {
              o.dataDir = dir;
              if (!o.sinks) {
                  o.sinks = [log = log] { return std::make_unique<RecordingSink>(log); };
              }
              if (!o.voice) {
                  o.voice = [] { return &espeakVoice(); };
              }
              o.silentBaseMs = 5;
              o.silentPerCharMs = 0;
              o.lingerMs = 0;
              return o;
          }()) {
        QObject::connect(&c, &qv::CharacterService::speakingChanged, &c, [this](bool on) {
            changes << on;
            if (on) {
                shown << c.balloonText();
            }
        });
        if (load) {
            EXPECT_TRUE(c.Load(QStringLiteral("Merlin"), QStringLiteral("Merlin.acs")))
                << c.loadError().toStdString();
            c.Show();
        }
    }
    int ended() const { return static_cast<int>(changes.count(false)); }

    std::shared_ptr<SinkLog> log = std::make_shared<SinkLog>();
    AnimatedCharacter c;
    QList<bool> changes;
    QStringList shown;
};

// A copy of the shipped data with one file damaged: removed when from is null, written whole
// as to when from is empty, else with from replaced by to.
bool damagedCopy(const QString& dir, const char* file, const QByteArray& from,
                 const QByteArray& to) {
    const QDir shipped(shippedFolder());
    for (const QString& n : shipped.entryList(QDir::Files)) {
        if (!QFile::copy(shipped.filePath(n), dir + QLatin1Char('/') + n)) {
            return false;
        }
    }
    const QString path = dir + QLatin1Char('/') + QString::fromLatin1(file);
    if (from.isNull()) {
        return QFile::remove(path);
    }
    QByteArray text = qvtest::readAll(path);
    if (!from.isEmpty() && !text.contains(from)) {
        return false;
    }
    return qvtest::writeAll(path, from.isEmpty() ? to : text.replace(from, to));
}

} // namespace

TEST(CharacterData, DamagedDataIsRefusedAndLaterCallsDoNothing) {
    const struct {
        const char* name;
        const char* file;
        QByteArray from, to;
        const char* id = "Merlin";
    } rows[] = {
        {"ManifestMissing", "Merlin.acs", {}, {}},
        {"ManifestBinary", "Merlin.acs", "id = Merlin", QByteArray("id = Merlin\0", 12)},
        {"ManifestHuge", "Merlin.acs", "id = Merlin", "id = Merlin\n#" + QByteArray(70000, '#')},
        {"UnknownFormat", "Merlin.acs", "quorvel-character 1", "quorvel-character 9"},
        {"OtherId", "Merlin.acs", "id", "id", "Genie"},
        {"SpeakingMissing", "Merlin.acs", "speaking =", "# speaking ="},
        {"LineWithoutEquals", "Merlin.acs", "id = Merlin", "id Merlin"},
        {"KeyTwice", "Merlin.acs", "id = Merlin", "id = Merlin\nid = Merlin"},
        {"AnimationEmpty", "Merlin.acs", "idle = merlin", "idle =\nx = merlin"},
        {"FrameOutsideFolder", "Merlin.acs", "greeting = merlin", "greeting = ../merlin"},
        {"FrameTimeTooShort", "Merlin.acs", "merlin-talk1.svg:150", "merlin-talk1.svg:1"},
        {"FrameMissing", "merlin-talk2.svg", {}, {}},
        {"FrameNotSvg", "merlin-wave1.svg", "", "<svg oops"},
    };
    for (const auto& r : rows) {
        QTemporaryDir dir;
        ASSERT_TRUE(damagedCopy(dir.path(), r.file, r.from, r.to)) << r.name;
        Merlin m(false, dir.path());
        EXPECT_FALSE(m.c.Load(QString::fromLatin1(r.id), QStringLiteral("Merlin.acs"))) << r.name;
        EXPECT_FALSE(m.c.isLoaded()) << r.name;
        EXPECT_FALSE(m.c.loadError().isEmpty()) << r.name;
        m.c.Show();
        m.c.MoveTo(10, 20);
        m.c.Speak(QStringLiteral("Hello"));
        m.c.Listen(false);
        QCoreApplication::processEvents();
        EXPECT_EQ(m.c.window(), nullptr) << r.name;
        EXPECT_TRUE(m.changes.isEmpty()) << r.name;
        EXPECT_EQ(m.log->opens, 0) << r.name;
    }
}

// Left alone, the idle animation plays its rounds and the window then rests with no timer
// running; a greeting wakes it, and the idle rounds start again after it.
TEST(CharacterWindow, TheIdleAnimationRestsAfterItsRounds) {
    CharacterData data;
    data.id = QStringLiteral("Test");
    const Animation idle{{QStringLiteral("a.svg"), 20}, {QStringLiteral("b.svg"), 20}};
    const Animation greeting{{QStringLiteral("c.svg"), 20}};
    CharacterWindow w(&data);
    w.setBase(&idle, 2);
    EXPECT_TRUE(w.animating());
    ASSERT_TRUE(qvtest::waitUntil([&] { return !w.animating(); }, 5000));
    EXPECT_EQ(w.playing(), &idle);
    w.playOnce(&greeting);
    EXPECT_TRUE(w.animating());
    ASSERT_TRUE(qvtest::waitUntil([&] { return w.playing() == &idle; }, 5000));
    EXPECT_TRUE(w.animating());
    EXPECT_TRUE(qvtest::waitUntil([&] { return !w.animating(); }, 5000));
}

// How it looks, the desktop around the figure, is checked on the X server.
TEST(Character, LoadsByKeyOrPathIntoAWindowShownWhereMoved) {
    auto factory = qv::createCharacterService();
    EXPECT_TRUE(
        factory->Load(QStringLiteral("Merlin"), shippedFolder() + QStringLiteral("/Merlin.acs")));
    Merlin m(false);
    m.c.MoveTo(400, 300); // before the load: kept
    ASSERT_TRUE(m.c.Load(QStringLiteral("Merlin"), QStringLiteral("Merlin.acs")));
    QWidget* w = m.c.window();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->isVisible()); // only Show shows it
    m.c.Show();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->geometry(), QRect(400, 300, 128, 128));
}

TEST(Character, SpeakQueuesInOrderWithBalloonAndSignalPairs) {
    Merlin m;
    m.log->open = false;
    m.c.MoveTo(600, 400);
    const QStringList texts{QStringLiteral("Welcome ann"), QStringLiteral("Starting My Computer"),
                            QStringLiteral("Starting xterm")};
    for (const QString& t : texts) {
        m.c.Speak(t);
        m.c.Speak(QStringLiteral("   ")); // empty texts are not spoken
    }
    ASSERT_TRUE(qvtest::waitUntil([&] { return m.ended() == 3; }));
    EXPECT_EQ(m.shown, texts);
    EXPECT_EQ(m.changes, (QList<bool>{true, false, true, false, true, false}));
    EXPECT_FALSE(m.c.isSpeaking());
    EXPECT_FALSE(m.c.balloon()->isVisible());
    EXPECT_EQ(m.log->opens, 3); // each text tried the sound device, found none
}

TEST(Character, BalloonShowsTheTextWhileSpeaking) {
    Merlin m;
    m.log->hold = true;
    m.c.MoveTo(700, 500);
    m.c.Speak(QStringLiteral("Starting Calculator"));
    EXPECT_TRUE(m.c.isSpeaking());
    EXPECT_TRUE(m.c.balloon()->isVisible());
    EXPECT_EQ(m.c.balloonText(), QStringLiteral("Starting Calculator"));
    // The balloon sits beside the character, fully on the screen.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_TRUE(screen.contains(m.c.balloon()->geometry()));
    EXPECT_LT(m.c.balloon()->geometry().top(), m.c.window()->geometry().top());
    // Without room above, below.
    static_cast<SpeechBalloon*>(m.c.balloon())->placeFor(QPoint(300, 0));
    EXPECT_GT(m.c.balloon()->geometry().top(), 60);
    m.log->release();
    ASSERT_TRUE(qvtest::waitUntil([&] { return !m.c.isSpeaking(); }));
    EXPECT_EQ(m.c.balloonText(), QString());
}

// Speak returns while the voice is stuck on the first text; of a burst only the newest wait.
TEST(Character, SpeakNeverWaitsAndABurstKeepsOnlyTheNewestWaiting) {
    CharacterOptions o;
    o.maxWaiting = 2;
    Merlin m(true, shippedFolder(), o);
    m.log->hold = true;
    for (const char* t : {"t1", "t2", "t3", "t4", "t5"}) {
        m.c.Speak(QString::fromLatin1(t));
    }
    ASSERT_TRUE(qvtest::waitUntil([&] {
        std::lock_guard g(m.log->lock);
        return m.log->holding;
    }));
    EXPECT_EQ(m.c.waiting(), 2);
    EXPECT_EQ(m.changes, QList<bool>{true});
    m.log->release();
    ASSERT_TRUE(qvtest::waitUntil([&] { return m.ended() == 3; }));
    EXPECT_EQ(m.shown, (QStringList{"t1", "t4", "t5"}));
}

// The greeting's voice, and the opening of the voice's engine, wait until the character has
// been painted: the launcher's first page does not share the machine with them.
TEST(Character, TheVoiceWaitsForTheCharacterOnTheScreen) {
    std::atomic<int> step{0};
    std::atomic<int> paintedAt{0};
    std::atomic<int> askedAt{0};
    CharacterOptions o;
    o.voice = [&] {
        askedAt = ++step;
        return &espeakVoice();
    };
    Merlin m(true, shippedFolder(), o);
    struct PaintSeen : QObject {
        std::atomic<int>* step;
        std::atomic<int>* at;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint && *at == 0) {
                *at = ++*step;
            }
            return false;
        }
    } seen;
    seen.step = &step;
    seen.at = &paintedAt;
    m.c.window()->installEventFilter(&seen);
    m.c.Speak(QStringLiteral("Welcome Ann"));
    ASSERT_TRUE(qvtest::waitUntil([&] { return m.ended() == 1; }));
    EXPECT_GT(paintedAt, 0);
    EXPECT_GT(askedAt, paintedAt);
}

// The spoken text reaches the sink as audible samples at 22050 Hz.
TEST(Character, VoiceGoesToTheSinkAt22050Hz) {
    Merlin m;
    m.c.Speak(QStringLiteral("Starting My Computer"));
    ASSERT_TRUE(qvtest::waitUntil([&] { return m.ended() == 1; }));
    std::lock_guard g(m.log->lock);
    EXPECT_EQ(m.log->rate, 22050);
    ASSERT_GT(m.log->samples.size(), 22050u / 2); // more than half a second of voice
    int peak = 0;
    for (std::int16_t s : m.log->samples) {
        peak = std::max(peak, std::abs(int(s)));
    }
    EXPECT_GT(peak, 3000);
}

TEST(Character, WorksWithoutAnySoundServer) {
    // The real PulseAudio sink, pointed at a server that is not there.
    qputenv("PULSE_SERVER", "unix:/nonexistent/quorvel-test-no-pulse");
    CharacterOptions o;
    o.sinks = [] { return createPulseSink(); };
    Merlin m(true, shippedFolder(), o);
    m.c.Speak(QStringLiteral("Starting My Documents"));
    EXPECT_EQ(m.c.balloonText(), QStringLiteral("Starting My Documents"));
    ASSERT_TRUE(qvtest::waitUntil([&] { return m.ended() == 1; }));
    EXPECT_EQ(m.changes, (QList<bool>{true, false}));
    qunsetenv("PULSE_SERVER");
}

TEST(Voice, CancelStopsSynthesisEarly) {
    const QString longText =
        QString(QStringLiteral("The wizard reads a very long spell. ")).repeated(20);
    const std::atomic<bool> cancelled{true};
    const auto full = synthesize(longText);
    const auto cut = synthesize(longText, &cancelled);
    ASSERT_TRUE(full && cut);
    EXPECT_LT(cut->samples.size() * 4, full->samples.size());
}
