// The PocketSphinx speech service: its recognizers and audio inputs, its errors, and how a
// context delivers what it heard (on the user-interface thread, nothing while suspended).
#include "bench/speech/speech_corpus.h"
#include "bench/speech/speech_rooms.h"
#include "bench/speech/speech_runner.h"
#include "platform/speech_pocketsphinx.h"
#include "tests/support/testutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>

using namespace qv;

namespace {

void touch(const QString& path, const QByteArray& bytes = "x") {
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_TRUE(qvtest::writeAll(path, bytes)) << qPrintable(path);
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

// A 16 kHz mono WAV file with the given format fields.
QByteArray wav(quint16 format, quint16 channels, quint32 rate, quint16 bits, int samples) {
    auto u32 = [](quint32 v) {
        return QByteArray(1, char(v)) + char(v >> 8) + char(v >> 16) + char(v >> 24);
    };
    auto u16 = [](quint16 v) { return QByteArray(1, char(v)) + char(v >> 8); };
    const QByteArray data(qsizetype(samples) * 2, '\1');
    QByteArray fmt = u16(format) + u16(channels) + u32(rate) + u32(rate * channels * bits / 8) +
                     u16(quint16(channels * bits / 8)) + u16(bits);
    QByteArray body = "WAVE" + QByteArray("fmt ") + u32(quint32(fmt.size())) + fmt + "data" +
                      u32(quint32(data.size())) + data;
    return "RIFF" + u32(quint32(body.size())) + body;
}

} // namespace

TEST(SpeechModels, EveryAcousticModelWithEveryDictionaryInAFixedOrder) {
    QTemporaryDir root;
    touch(root.filePath("en-us/en-us/mdef"));
    touch(root.filePath("en-us/adapted/mdef"));
    touch(root.filePath("en-us/notamodel/readme"));
    touch(root.filePath("en-us/cmudict-en-us.dict"));
    touch(root.filePath("en-us/school.dict"));
    touch(root.filePath("en-us/en-us.lm.bin"));
    touch(root.filePath("de/de/mdef"));
    touch(root.filePath("de/de.dict"));
    touch(root.filePath("fr/fr/mdef")); // no dictionary: no recognizer
    const std::vector<SpeechModel> models = findSpeechModels(root.path());
    ASSERT_EQ(models.size(), 5u);
    QStringList names;
    for (const SpeechModel& model : models) {
        names << model.description;
    }
    EXPECT_EQ(names, (QStringList{
                         "PocketSphinx de (acoustic model de, de.dict)",
                         "PocketSphinx en-us (acoustic model adapted, cmudict-en-us.dict)",
                         "PocketSphinx en-us (acoustic model adapted, school.dict)",
                         "PocketSphinx en-us (acoustic model en-us, cmudict-en-us.dict)",
                         "PocketSphinx en-us (acoustic model en-us, school.dict)",
                     }));
    EXPECT_EQ(models[0].languageModel, QString());
    EXPECT_EQ(models[3].acousticModel, root.filePath("en-us/en-us"));
    EXPECT_EQ(models[3].dictionary, root.filePath("en-us/cmudict-en-us.dict"));
    EXPECT_EQ(models[3].languageModel, root.filePath("en-us/en-us.lm.bin"));
}

TEST(SpeechService, TheInstalledModelIsARecognizer) {
    auto service = createSpeechService();
    const QStringList names = service->recognizers();
    ASSERT_FALSE(names.isEmpty()) << "pocketsphinx-en-us is not installed";
    EXPECT_TRUE(names.contains("PocketSphinx en-us (acoustic model en-us, cmudict-en-us.dict)"))
        << qPrintable(names.join(", "));
    EXPECT_EQ(service->audioInputs().value(0), QStringLiteral("Default capture device"));
}

// Each reason why no context can be made gives its own error number and a text that names it.
TEST(SpeechService, NoContextWithoutModelRecognizerOrDeviceIsAClearError) {
    QTemporaryDir root;
    const QString am = root.filePath("en-us/en-us/");
    const QDir installed(QStringLiteral("/usr/share/pocketsphinx/model/en-us/en-us"));
    struct Row {
        const char* name;
        std::function<void(SpeechServiceOptions&)> setup;
        int number;
        QString description; // the whole text, or its end after "..."
    };
    const Row rows[] = {
        {"no models", [](SpeechServiceOptions&) {}, SpeechNoRecognizer,
         "No recognizer at position 0 of 0"},
        {"damaged model",
         [&](SpeechServiceOptions&) {
             touch(am + "mdef", "not a model definition\n");
             touch(am + "feat.params", "-feat 1s_c_d_dd\n");
             touch(root.filePath("en-us/cmudict-en-us.dict"), "button B AH T AH N\n");
         },
         SpeechRecognizerBuild,
         "The recognizer \"PocketSphinx en-us (acoustic model en-us, cmudict-en-us.dict)\" cannot "
         "be built: " +
             am + "mdef is damaged"},
        {"model with a file missing",
         [&](SpeechServiceOptions&) {
             QDir(am).removeRecursively();
             for (const QString& name : installed.entryList(QDir::Files)) {
                 if (name != QLatin1String("variances")) {
                     touch(am + name, qvtest::readAll(installed.filePath(name)));
                 }
             }
         },
         SpeechRecognizerBuild, "..." + am + "variances is missing"},
        {"missing audio device",
         [](SpeechServiceOptions& o) {
             o.modelRoot = defaultSpeechModelRoot();
             o.audioInput = [] { return std::make_unique<MissingDevice>(); };
             o.audioInputName = QStringLiteral("Missing");
         },
         SpeechNoAudioInput, "No such device"},
    };
    for (const Row& row : rows) {
        SpeechServiceOptions options;
        options.modelRoot = root.path();
        options.audioInput = [] { return std::make_unique<WavFileInput>(); };
        row.setup(options);
        auto service = createPocketSphinxService(options);
        SpeechError error;
        EXPECT_EQ(service->createContext(0, &error), nullptr) << row.name;
        EXPECT_EQ(error.number, row.number) << row.name;
        if (row.description.startsWith("...")) {
            EXPECT_TRUE(error.description.endsWith(row.description.mid(3))) << row.name;
        } else {
            EXPECT_EQ(error.description, row.description) << row.name;
        }
    }
}

TEST(SpeechWav, OnlySixteenKilohertzSixteenBitMono) {
    QTemporaryDir dir;
    struct Case {
        const char* name;
        QByteArray bytes;
        bool ok;
    };
    const Case cases[] = {
        {"good.wav", wav(1, 1, 16000, 16, 100), true},
        {"stereo.wav", wav(1, 2, 16000, 16, 100), false},
        {"rate.wav", wav(1, 1, 22050, 16, 100), false},
        {"bits.wav", wav(1, 1, 16000, 8, 100), false},
        {"float.wav", wav(3, 1, 16000, 16, 100), false},
        {"cut.wav", wav(1, 1, 16000, 16, 100).left(100), false},
        {"text.wav", "hello", false},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(c.name);
        ASSERT_TRUE(qvtest::writeAll(path, c.bytes));
        std::vector<qint16> samples;
        QString error;
        EXPECT_EQ(readWav16kMono(path, &samples, &error), c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(samples.size(), 100u);
            EXPECT_EQ(samples[0], 0x0101);
        } else {
            EXPECT_TRUE(error.contains(c.name)) << qPrintable(error);
        }
    }
}

// One context of the real recognizer on a WAV input, shared by the tests below (building the
// decoder takes most of a second).
class SpeechContext : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        QString error;
        if (!qvspeech::synthesize({"button three", "what time is it"},
                                  {qvspeech::commandVoices()[0]}, QStringLiteral("cmd"), &clips,
                                  &error)) {
            FAIL() << qPrintable(error);
        }
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
        context = nullptr;
        service = nullptr;
    }

    // Runs act (by default: queues the file) and collects the events raised until everything
    // queued has been decoded.
    QStringList play(const QString& file, const std::function<void()>& act = {}) {
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

    static inline SpeechService* service = nullptr;
    static inline RecognitionContext* context = nullptr;
    static inline WavFileInput* wav = nullptr;
    static inline std::vector<qvspeech::Utterance> clips;
};

TEST_F(SpeechContext, GrammarErrors) {
    QTemporaryDir dir;
    SpeechError error;
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
    SpeechError error;
    ASSERT_TRUE(context->loadGrammar(qvspeech::grammarFile(), &error))
        << qPrintable(error.description);
    ASSERT_TRUE(context->setRulesActive(true, &error)) << qPrintable(error.description);
    EXPECT_EQ(play(clips[0].wav).join(u'|'), QStringLiteral("Recognition button three"));

    context->setSuspended(true);
    EXPECT_EQ(play(clips[0].wav).join(u'|'), QString());
    context->setSuspended(false);
    EXPECT_EQ(play(clips[0].wav).join(u'|'), QStringLiteral("Recognition button three"));

    // Other speech raises one event too (which one is the rejection's business, measured by the
    // end-to-end test).
    EXPECT_EQ(play(clips[1].wav).size(), 1);

    // Not listening: the decoding thread is gone, since one left reading would still wait on
    // the queue it drained; a clip queued now is heard once listening resumes.
    ASSERT_TRUE(context->setRulesActive(false, &error));
    EXPECT_FALSE(wav->drained());
    ASSERT_TRUE(wav->enqueue(clips[0].wav));
    EXPECT_EQ(play({}, [&] { ASSERT_TRUE(context->setRulesActive(true, &error)); }).join(u'|'),
              QStringLiteral("Recognition button three"));
    ASSERT_TRUE(context->setRulesActive(false, &error));
}

TEST_F(SpeechContext, PushToTalkHearsOnlyWhileHeldAndTheReleaseEndsTheUtterance) {
    SpeechError error;
    ASSERT_TRUE(context->loadGrammar(qvspeech::grammarFile(), &error));
    ASSERT_TRUE(context->setRulesActive(true, &error));
    context->setGated(true);
    EXPECT_EQ(play(clips[0].wav).join(u'|'), QString());
    // Held, with no silence after the words: nothing ends the utterance but the release.
    context->setGated(false);
    wav->trailingSilenceMs = 0;
    EXPECT_EQ(play(clips[0].wav).join(u'|'), QString());
    context->setGated(true);
    // The next audio wakes the decoder; it is dropped, the held words are judged.
    EXPECT_EQ(play(clips[1].wav).join(u'|'), QStringLiteral("Recognition button three"));
    wav->trailingSilenceMs = 800;
    context->setGated(false);
    ASSERT_TRUE(context->setRulesActive(false, &error));
}

// A fresh recognizer judges its first utterance against the model's stored feature mean, far
// from this voice's: decoded once, "button one" is heard as other words, so it is decoded again
// against the mean it moved and then is the command. The same clip once more moves the mean
// little and is decoded once.
TEST(SpeechRejection, TheFirstUtteranceIsHeardAgainAgainstTheMeanItMoved) {
    std::vector<qvspeech::Utterance> clips;
    QString error;
    ASSERT_TRUE(qvspeech::synthesize({"button one"}, {qvspeech::commandVoices()[0]},
                                     QStringLiteral("cmd"), &clips, &error))
        << qPrintable(error);
    clips.push_back(clips.front());
    SpeechServiceOptions options;
    std::vector<UtteranceReport> reports;
    options.report = [&reports](const UtteranceReport& report) { reports.push_back(report); };
    std::vector<qvspeech::Outcome> outcomes;
    ASSERT_TRUE(qvspeech::recognizeAll(clips, options, &outcomes, &error)) << qPrintable(error);
    ASSERT_EQ(reports.size(), 2U);
    EXPECT_GT(reports[0].meanShift, options.recognizer.redecodeMeanShift);
    EXPECT_TRUE(reports[0].decodedAgain);
    EXPECT_LT(reports[1].meanShift, options.recognizer.redecodeMeanShift);
    EXPECT_FALSE(reports[1].decodedAgain);
    for (const qvspeech::Outcome& outcome : outcomes) {
        EXPECT_EQ(outcome.recognitions, QStringList{"button one"});
    }
}

// The garbage loop of likely words rejects other speech and "button" said too quickly (the
// duration check); how the recognizer copes without the language model the loop comes from or
// with pronunciations it cannot use.
TEST(SpeechRejection, GarbageLoopLanguageModelAndPronunciations) {
    std::vector<qvspeech::Utterance> clips;
    QString error;
    ASSERT_TRUE(qvspeech::synthesize({"button three", "good morning everyone", "press the button"},
                                     {qvspeech::commandVoices()[0]}, QStringLiteral("cmd"), &clips,
                                     &error))
        << qPrintable(error);
    // "button" alone in a second voice, which says it quickly.
    const auto voices = qvspeech::commandVoices();
    const auto slt = std::find_if(voices.begin(), voices.end(),
                                  [](const qvspeech::Voice& v) { return v.id == "f-slt"; });
    ASSERT_NE(slt, voices.end());
    ASSERT_TRUE(qvspeech::synthesize({"button"}, {*slt}, QStringLiteral("cmd"), &clips, &error))
        << qPrintable(error);
    // A model folder like the installed one but without its general language model.
    QTemporaryDir noLm;
    const QDir installed(defaultSpeechModelRoot() + QStringLiteral("/en-us"));
    ASSERT_TRUE(QDir().mkpath(noLm.filePath("en-us")));
    ASSERT_TRUE(QFile::link(installed.filePath("en-us"), noLm.filePath("en-us/en-us")));
    ASSERT_TRUE(
        QFile::link(installed.filePath("cmudict-en-us.dict"), noLm.filePath("en-us/cmudict.dict")));

    struct Case {
        const char* name;
        std::function<void(SpeechServiceOptions&)> change;
        const char* heard; // what the three clips raised, "R" Recognition, "F" FalseRecognition
    };
    const Case cases[] = {
        {"default", [](SpeechServiceOptions&) {}, "RFFF"},
        // A model without a language model cannot reject, but it still hears the commands.
        {"no language model", [&](SpeechServiceOptions& o) { o.modelRoot = noLm.path(); }, "RRRR"},
        {"variant of a word the dictionary lacks",
         [](SpeechServiceOptions& o) {
             o.recognizer.pronunciations = {{QStringLiteral("qzxqzx(2)"), QStringLiteral("B AH")}};
         },
         "RFFF"},
    };
    for (const Case& c : cases) {
        SpeechServiceOptions options;
        c.change(options);
        std::vector<qvspeech::Outcome> outcomes;
        ASSERT_TRUE(qvspeech::recognizeAll(clips, options, &outcomes, &error))
            << c.name << ": " << qPrintable(error);
        QString heard;
        for (const qvspeech::Outcome& outcome : outcomes) {
            heard += outcome.recognitions.isEmpty()
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
    std::vector<qvspeech::Utterance> clean;
    std::vector<qvspeech::Utterance> clipped;
    QString error;
    qvspeech::Condition loud;
    loud.id = QStringLiteral("clipped");
    loud.clipPeak = 4;
    ASSERT_TRUE(qvspeech::synthesize({"button one", "button four", "button seven", "button ten"},
                                     {qvspeech::commandVoices()[0]}, QStringLiteral("cmd"), &clean,
                                     &error))
        << qPrintable(error);
    ASSERT_TRUE(qvspeech::underCondition(loud, clean, &clipped, &error)) << qPrintable(error);
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
