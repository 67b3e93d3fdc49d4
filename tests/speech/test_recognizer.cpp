// SPDX-License-Identifier: GPL-3.0-or-later
// The PocketSphinx speech service: its recognizers and audio inputs, its errors, how a context
// delivers what it heard (on the user-interface thread, nothing while suspended), what it
// rejects, and the enrolment of a voice.
#include "bench/speech/speech_rooms.h"
#include "bench/speech/speech_runner.h"
#include "platform/recognizer/enrol.h"
#include "platform/recognizer/grammarfile.h"
#include "platform/recognizer/pocketsphinx.h"
#include "tests/support/testutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <QThread>
#include <gtest/gtest.h>

using namespace qv;

namespace {

void touch(const QString& path, const QByteArray& bytes = "x") {
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_TRUE(qvtest::writeAll(path, bytes)) << qPrintable(path);
}

// The phrases said in one command voice (the first unless named).
std::vector<qvspeech::Utterance> say(const QStringList& phrases, const QString& voice = {}) {
    const std::vector<qvspeech::Voice> voices = qvspeech::commandVoices();
    const auto v = std::find_if(voices.begin(), voices.end(), [&](const qvspeech::Voice& v) {
        return voice.isEmpty() || v.id == voice;
    });
    std::vector<qvspeech::Utterance> clips;
    QString error;
    EXPECT_TRUE(v != voices.end() && qvspeech::synthesize(phrases, {*v}, "cmd", &clips, &error))
        << qPrintable(error);
    return clips;
}

// An input whose device is missing.
class MissingDevice final : public AudioInput {
public:
    QString name() const override { return QStringLiteral("Missing"); }
    bool open(SpeechError* error) override {
        *error = {SpeechNoAudioInput, QStringLiteral("No such device")};
        return false;
    }
    int read(qint16*, int) override { return -1; }
    void close() override {}
};

} // namespace

TEST(SpeechService, TheInstalledModelIsARecognizer) {
    auto service = createPocketSphinxService({});
    const QStringList names = service->recognizers();
    EXPECT_TRUE(names.contains("PocketSphinx en-us (acoustic model en-us, cmudict-en-us.dict)"))
        << "pocketsphinx-en-us is not installed? " << qPrintable(names.join(", "));
    EXPECT_EQ(service->audioInputs().value(0), QStringLiteral("Default capture device"));
}

// Each reason why no context can be made gives its own error number and a text that names it.
TEST(SpeechService, NoContextWithoutModelRecognizerOrDeviceIsAClearError) {
    QTemporaryDir root;
    const QString am = root.filePath("en-us/en-us/");
    const QDir installed(QStringLiteral("/usr/share/pocketsphinx/model/en-us/en-us"));
    const struct {
        std::function<void(SpeechServiceOptions&)> setup;
        int number;
        QString description; // the whole text, or its end after "..."
    } rows[] = {
        {[](SpeechServiceOptions&) {}, SpeechNoRecognizer, "No recognizer at position 0 of 0"},
        {[&](SpeechServiceOptions&) {
             touch(am + "mdef", "not a model definition\n");
             touch(am + "feat.params", "-feat 1s_c_d_dd\n");
             touch(root.filePath("en-us/cmudict-en-us.dict"), "button B AH T AH N\n");
         },
         SpeechRecognizerBuild,
         "The recognizer \"PocketSphinx en-us (acoustic model en-us, cmudict-en-us.dict)\" cannot "
         "be built: " +
             am + "mdef is damaged: its version is not 0.3"},
        {[&](SpeechServiceOptions&) {
             QDir(am).removeRecursively();
             for (const QString& name : installed.entryList(QDir::Files)) {
                 if (name != QLatin1String("variances")) {
                     touch(am + name, qvtest::readAll(installed.filePath(name)));
                 }
             }
         },
         SpeechRecognizerBuild, "..." + am + "variances is missing"},
        {[](SpeechServiceOptions& o) {
             o.modelRoot = defaultSpeechModelRoot();
             o.audioInput = [] { return std::make_unique<MissingDevice>(); };
             o.audioInputName = QStringLiteral("Missing");
         },
         SpeechNoAudioInput, "No such device"},
    };
    for (const auto& row : rows) {
        SpeechServiceOptions options;
        options.modelRoot = root.path();
        options.audioInput = [] { return std::make_unique<WavFileInput>(); };
        row.setup(options);
        SpeechError error;
        EXPECT_EQ(createPocketSphinxService(options)->createContext(0, &error), nullptr);
        EXPECT_EQ(error.number, row.number) << qPrintable(row.description);
        EXPECT_TRUE(row.description.startsWith("...")
                        ? error.description.endsWith(row.description.mid(3))
                        : error.description == row.description)
            << qPrintable(error.description);
    }
}

// One context of the real recognizer on a WAV input, shared by the tests below (building the
// decoder takes most of a second).
class SpeechContext : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        clips = say({"button three", "what time is it"});
        SpeechServiceOptions options;
        options.audioInput = [] {
            auto input = std::make_unique<WavFileInput>();
            wav = input.get();
            return input;
        };
        service = createPocketSphinxService(options).release();
        SpeechError speechError;
        context = service->createContext(0, &speechError).release();
        ASSERT_NE(context, nullptr) << qPrintable(speechError.description);
    }
    static void TearDownTestSuite() {
        delete context;
        delete service;
    }
    void SetUp() override { ASSERT_EQ(clips.size(), 2U); }

    // Runs act (by default: queues the file) and collects the events raised until everything
    // queued has been decoded.
    static QStringList play(const QString& file, const std::function<void()>& act = {}) {
        QStringList events;
        auto a = QObject::connect(context, &RecognitionContext::Recognition, [&](const QString& t) {
            events << "Recognition " + t;
            EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
        });
        auto b = QObject::connect(context, &RecognitionContext::FalseRecognition,
                                  [&](const QString& t) { events << "FalseRecognition " + t; });
        if (act) {
            act();
        } else {
            EXPECT_TRUE(wav->enqueue(file));
        }
        EXPECT_TRUE(qvtest::waitUntil([] { return wav->drained(); }, 30000));
        QCoreApplication::processEvents();
        QObject::disconnect(a);
        QObject::disconnect(b);
        return events;
    }
    // Loads our grammar and starts listening.
    static void listen() {
        SpeechError error;
        ASSERT_TRUE(context->loadGrammar(qvspeech::grammarFile(), &error) &&
                    context->setRulesActive(true, &error))
            << qPrintable(error.description);
    }

    static inline SpeechService* service = nullptr;
    static inline RecognitionContext* context = nullptr;
    static inline WavFileInput* wav = nullptr;
    static inline std::vector<qvspeech::Utterance> clips;
    SpeechError error;
};

TEST_F(SpeechContext, GrammarErrors) {
    QTemporaryDir dir;
    EXPECT_FALSE(context->setRulesActive(true, &error)); // nothing loaded yet
    EXPECT_EQ(error.number, SpeechNoGrammar);

    EXPECT_FALSE(context->loadGrammar(dir.filePath("ordergrammar.xml"), &error));
    EXPECT_EQ(error.number, SpeechGrammarFile);
    EXPECT_TRUE(error.description.contains("ordergrammar.xml")) << qPrintable(error.description);

    const QString unknown = dir.filePath("unknown.xml");
    qvtest::writeAll(unknown,
                     "<GRAMMAR><RULE NAME='a' TOPLEVEL='ACTIVE'>button qzxqzx</RULE></GRAMMAR>");
    EXPECT_FALSE(context->loadGrammar(unknown, &error));
    EXPECT_EQ(error.number, SpeechGrammarWords);
    EXPECT_EQ(error.description, QStringLiteral("The recognizer does not know the words: qzxqzx"));
    EXPECT_FALSE(context->setRulesActive(true, &error));
}

TEST_F(SpeechContext, HeardOnTheUserInterfaceThreadOnlyWhileActiveAndNotSuspended) {
    listen();
    EXPECT_EQ(play(clips[0].wav), QStringList{"Recognition button three"});
    context->setSuspended(true);
    EXPECT_TRUE(play(clips[0].wav).isEmpty());
    context->setSuspended(false);
    EXPECT_EQ(play(clips[0].wav), QStringList{"Recognition button three"});
    // Other speech raises one event too (which one is the rejection's business, measured by the
    // end-to-end test).
    EXPECT_EQ(play(clips[1].wav).size(), 1);

    // Not listening: the decoding thread is gone, since one left reading would still wait on
    // the queue it drained; a clip queued now is heard once listening resumes.
    ASSERT_TRUE(context->setRulesActive(false, &error));
    EXPECT_FALSE(wav->drained());
    ASSERT_TRUE(wav->enqueue(clips[0].wav));
    EXPECT_EQ(play({}, [&] { ASSERT_TRUE(context->setRulesActive(true, &error)); }),
              QStringList{"Recognition button three"});
    ASSERT_TRUE(context->setRulesActive(false, &error));
}

TEST_F(SpeechContext, PushToTalkHearsOnlyWhileHeldAndTheReleaseEndsTheUtterance) {
    listen();
    context->setGated(true);
    EXPECT_TRUE(play(clips[0].wav).isEmpty());
    // Held, with no silence after the words: nothing ends the utterance but the release.
    context->setGated(false);
    wav->trailingSilenceMs = 0;
    EXPECT_TRUE(play(clips[0].wav).isEmpty());
    context->setGated(true);
    // The next audio wakes the decoder: its first 0.3 s end the held words, which are judged;
    // the rest is dropped.
    EXPECT_EQ(play(clips[1].wav), QStringList{"Recognition button three"});
    wav->trailingSilenceMs = 800;
    context->setGated(false);
    ASSERT_TRUE(context->setRulesActive(false, &error));
}

// Pupils let go of the key before the last word is over: the words going on are still heard
// to their end, a quarter of a second after the release here.
TEST_F(SpeechContext, PushToTalkHearsTheLastWordToItsEndAfterAnEarlyRelease) {
    context->setGated(true);
    listen();
    wav->onBlock = [](size_t at, size_t fileSamples) {
        context->setGated(at >= fileSamples - size_t(speechSampleRate) / 4);
    };
    EXPECT_EQ(play(clips[0].wav), QStringList{"Recognition button three"});
    wav->onBlock = {};
    context->setGated(false);
    ASSERT_TRUE(context->setRulesActive(false, &error));
}

// A fresh recognizer judges its first utterance against the model's stored feature mean, far
// from this voice's: decoded once, "button one" is heard as other words, so it is decoded again
// against the mean it moved and then is the command. The same clip once more moves the mean
// little and is decoded once.
TEST(SpeechRejection, TheFirstUtteranceIsHeardAgainAgainstTheMeanItMoved) {
    std::vector<qvspeech::Utterance> clips = say({"button one"});
    ASSERT_EQ(clips.size(), 1U);
    clips.push_back(clips.front());
    const SpeechServiceOptions options;
    std::vector<qvspeech::Outcome> outcomes;
    QString error;
    ASSERT_TRUE(qvspeech::recognizeAll(clips, options, &outcomes, &error)) << qPrintable(error);
    const double bound = options.recognizer.redecodeMeanShift;
    for (size_t i = 0; i < 2; ++i) {
        ASSERT_EQ(outcomes[i].reports.size(), 1U);
        const UtteranceReport& report = outcomes[i].reports[0];
        EXPECT_EQ(report.meanShift > bound, i == 0) << report.meanShift;
        EXPECT_EQ(report.decodedAgain, i == 0);
        EXPECT_EQ(outcomes[i].recognitions, QStringList{"button one"});
    }
}

// The garbage loop of likely words rejects other speech and "button" said too quickly (the
// duration check, here in a second voice, which says it quickly); how the recognizer copes
// without the language model the loop comes from or with pronunciations it cannot use.
TEST(SpeechRejection, GarbageLoopLanguageModelAndPronunciations) {
    std::vector<qvspeech::Utterance> clips =
        say({"button three", "good morning everyone", "press the button"});
    for (qvspeech::Utterance& clip : say({"button"}, "f-slt")) {
        clips.push_back(clip);
    }
    ASSERT_EQ(clips.size(), 4U);
    // A model folder like the installed one but without its general language model.
    QTemporaryDir noLm;
    const QDir installed(defaultSpeechModelRoot() + QStringLiteral("/en-us"));
    ASSERT_TRUE(QDir().mkpath(noLm.filePath("en-us")));
    ASSERT_TRUE(QFile::link(installed.filePath("en-us"), noLm.filePath("en-us/en-us")));
    ASSERT_TRUE(
        QFile::link(installed.filePath("cmudict-en-us.dict"), noLm.filePath("en-us/cmudict.dict")));

    const struct {
        const char* name;
        std::function<void(SpeechServiceOptions&)> change;
        // What the clips raised, "R" Recognition, "F" FalseRecognition, "?" either.
        const char* heard;
    } cases[] = {
        {"default", [](SpeechServiceOptions&) {}, "RFFF"},
        // A model without a language model has no loop to reject with, but it still hears the
        // commands; only speech that a command's words cannot fill is sure to be refused.
        {"no language model", [&](SpeechServiceOptions& o) { o.modelRoot = noLm.path(); }, "RF??"},
    };
    QString error;
    for (const auto& c : cases) {
        SpeechServiceOptions options;
        c.change(options);
        std::vector<qvspeech::Outcome> outcomes;
        ASSERT_TRUE(qvspeech::recognizeAll(clips, options, &outcomes, &error))
            << c.name << ": " << qPrintable(error);
        QString heard;
        for (const qvspeech::Outcome& outcome : outcomes) {
            heard += c.heard[heard.size()] == '?' ? u'?'
                     : outcome.recognitions.isEmpty()
                         ? (outcome.falseRecognitions.isEmpty() ? u'-' : u'F')
                         : u'R';
        }
        EXPECT_EQ(heard.toStdString(), c.heard) << c.name;
        EXPECT_EQ(outcomes[0].recognitions, QStringList{"button three"}) << c.name;
    }

    SpeechServiceOptions broken;
    broken.recognizer.pronunciations = {{QStringLiteral("button(5)"), QStringLiteral("QQ")}};
    std::vector<qvspeech::Outcome> outcomes;
    EXPECT_FALSE(qvspeech::recognizeAll(clips, broken, &outcomes, &error));
    EXPECT_TRUE(error.contains("The pronunciation \"QQ\" of \"button(5)\" is not valid"))
        << qPrintable(error);
}

// A too-loud microphone cuts the peaks off flat, and the commands of this voice are then heard
// as "button eight" or as no command; drawn round again they are heard as themselves, and the
// window is told the input is too loud.
TEST(SpeechRejection, ClippedCommandsAreHeardAsThemselves) {
    std::vector<qvspeech::Utterance> clipped;
    QString error;
    qvspeech::Condition loud;
    loud.id = QStringLiteral("clipped");
    loud.clipPeak = 4;
    ASSERT_TRUE(qvspeech::underCondition(
        loud, say({"button one", "button four", "button seven", "button ten"}), &clipped, &error))
        << qPrintable(error);
    SpeechServiceOptions options;
    std::vector<qvspeech::Outcome> outcomes;
    ASSERT_TRUE(qvspeech::recognizeAll(clipped, options, &outcomes, &error)) << qPrintable(error);
    for (const qvspeech::Outcome& outcome : outcomes) {
        EXPECT_TRUE(outcome.correct()) << qPrintable(outcome.utterance.text) << " heard as "
                                       << qPrintable(outcome.falseRecognitions.join(u'|'));
        ASSERT_EQ(outcome.reports.size(), 1U) << qPrintable(outcome.utterance.text);
        EXPECT_TRUE(outcome.reports[0].clipped) << qPrintable(outcome.utterance.text);
    }
}

// While enrolling, each utterance is kept and reported by its index instead of as a command, and
// enrolling anew starts again from index 0. The kept ones are heard again with each warp; one
// left out counts for nothing, and one said as another command is heard right by no warp.
TEST_F(SpeechContext, EnrolmentKeepsEachUtteranceAndHearsItAgain) {
    listen();
    QStringList heard;
    auto kept = QObject::connect(context, &RecognitionContext::EnrolmentHeard,
                                 [&](int i, const QString& t) { heard << QString::number(i) + t; });
    context->setEnrolling(true);
    for (const QString& file : {clips[0].wav, clips[1].wav, clips[0].wav}) {
        EXPECT_TRUE(play(file).isEmpty());
    }
    ASSERT_EQ(heard.size(), 3);
    EXPECT_EQ(heard[0], "0button three");
    EXPECT_EQ(heard[2], "2button three");
    std::vector<double> chosen;
    auto result =
        QObject::connect(context, &RecognitionContext::VoiceChosen,
                         [&](double warp, int before, int after, int commands) {
                             chosen = {warp, double(before), double(after), double(commands)};
                         });
    context->chooseVoice({"button three", "", "button four"});
    EXPECT_TRUE(qvtest::waitUntil(
        [&] {
            QCoreApplication::processEvents();
            return !chosen.empty();
        },
        60000));
    EXPECT_EQ(chosen, std::vector<double>({1.0, 1, 1, 2}));

    context->setEnrolling(false);
    EXPECT_EQ(play(clips[0].wav), QStringList{"Recognition button three"});
    context->setEnrolling(true);
    EXPECT_TRUE(play(clips[0].wav).isEmpty());
    EXPECT_EQ(heard.last(), "0button three");
    context->setEnrolling(false);
    QObject::disconnect(kept);
    QObject::disconnect(result);
    ASSERT_TRUE(context->setRulesActive(false, &error));
}

// A voice raised as a child's is heard better with a warp well above 1, and that warp is chosen;
// the same voice as it is keeps no warp.
TEST(SpeechEnrolment, ARaisedVoiceGetsAWarpAndAnAdultVoiceNone) {
    const std::vector<SpeechModel> models = findSpeechModels(defaultSpeechModelRoot());
    CommandGrammar grammar;
    QString error;
    ASSERT_FALSE(models.empty());
    ASSERT_TRUE(readCommandGrammarFile(qvspeech::grammarFile(), &grammar, &error));
    const std::vector<qvspeech::Utterance> clean = say(qvspeech::commandPhrases(), "e1");
    std::vector<qvspeech::Utterance> raised;
    qvspeech::Condition child;
    child.id = QStringLiteral("raised-4-semitones");
    child.soxEffects = {"pitch", "400"};
    ASSERT_TRUE(qvspeech::underCondition(child, clean, &raised, &error)) << qPrintable(error);
    RecognizerOptions commandsAlone;
    commandsAlone.garbageWords = 0;
    for (const bool isRaised : {true, false}) {
        std::vector<EnrolmentUtterance> enrolment;
        for (const qvspeech::Utterance& u : isRaised ? raised : clean) {
            EnrolmentUtterance e{u.text, {}};
            ASSERT_TRUE(readWav16kMono(u.wav, &e.audio, &error)) << qPrintable(error);
            enrolment.push_back(std::move(e));
        }
        std::vector<WarpTrial> trials;
        SpeechError speechError;
        ASSERT_TRUE(
            tryVoiceWarps(models[0], commandsAlone, grammar, enrolment, &trials, &speechError))
            << qPrintable(speechError.description);
        const VoiceChoice choice = pickVoice(trials);
        if (isRaised) {
            EXPECT_GE(choice.warp, 1.2);
            EXPECT_GE(choice.rightAfter, choice.rightBefore + 2) << choice.rightBefore;
        } else {
            EXPECT_EQ(choice.warp, 1.0) << "right without a warp " << choice.rightBefore;
        }
    }
}
