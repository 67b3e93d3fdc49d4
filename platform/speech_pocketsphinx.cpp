#include "platform/speech_pocketsphinx.h"

#include "platform/speech_grammar.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMetaObject>
#include <QPointer>
#include <QSet>

#include <pocketsphinx.h>
#include <pulse/error.h>
#include <pulse/simple.h>
#include <sphinxbase/ngram_model.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>

namespace qv {

QString defaultSpeechModelRoot() {
    QString fromEnvironment = qEnvironmentVariable("QV_SPEECH_MODELS");
    if (!fromEnvironment.isEmpty()) {
        return fromEnvironment;
    }
    return QStringLiteral("/usr/share/pocketsphinx/model");
}

std::vector<SpeechModel> findSpeechModels(const QString& root) {
    std::vector<SpeechModel> models;
    const QDir rootDir(root);
    const QStringList languages = rootDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& language : languages) {
        const QDir languageDir(rootDir.filePath(language));
        const QStringList dictionaries =
            languageDir.entryList({QStringLiteral("*.dict")}, QDir::Files, QDir::Name);
        if (dictionaries.isEmpty()) {
            continue;
        }
        const QString lm = languageDir.filePath(language + QStringLiteral(".lm.bin"));
        const QStringList acoustic =
            languageDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& am : acoustic) {
            const QDir amDir(languageDir.filePath(am));
            if (!amDir.exists(QStringLiteral("mdef"))) {
                continue;
            }
            for (const QString& dict : dictionaries) {
                SpeechModel model;
                model.acousticModel = amDir.path();
                model.dictionary = languageDir.filePath(dict);
                model.languageModel = QFileInfo::exists(lm) ? lm : QString();
                model.description = QStringLiteral("PocketSphinx %1 (acoustic model %2, %3)")
                                        .arg(language, am, dict);
                models.push_back(model);
            }
        }
    }
    return models;
}

// ---------------------------------------------------------------------------------------------
// Audio inputs

namespace {

constexpr int sampleRate = 16000;
// Samples handed to the decoder at a time while listening (20 ms).
constexpr size_t liveBlock = 320;

qint64 nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

quint32 le32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return quint32(u[0]) | quint32(u[1]) << 8 | quint32(u[2]) << 16 | quint32(u[3]) << 24;
}
quint16 le16(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return quint16(u[0] | u[1] << 8);
}

class PulseAudioInput final : public AudioInput {
public:
    ~PulseAudioInput() override { close(); }
    QString name() const override { return QStringLiteral("Default capture device"); }
    bool open(SpeechError* error) override {
        close();
        pa_sample_spec sampleFormat{};
        sampleFormat.format = PA_SAMPLE_S16LE;
        sampleFormat.rate = sampleRate;
        sampleFormat.channels = 1;
        pa_buffer_attr attributes{};
        attributes.maxlength = quint32(-1);
        attributes.fragsize = 640; // 20 ms: a short wait when listening stops
        int code = 0;
        stream_ = pa_simple_new(nullptr, "Quorvel Student", PA_STREAM_RECORD, nullptr,
                                "Spoken commands", &sampleFormat, nullptr, &attributes, &code);
        if (!stream_) {
            if (error) {
                *error = {SpeechNoAudioInput, QStringLiteral("The audio input cannot be opened: %1")
                                                  .arg(QString::fromUtf8(pa_strerror(code)))};
            }
            return false;
        }
        return true;
    }
    int read(qint16* samples, int max) override {
        if (!stream_) {
            return -1;
        }
        const int count = std::min(max, 320);
        int code = 0;
        if (pa_simple_read(stream_, samples, size_t(count) * sizeof(qint16), &code) < 0) {
            return -1;
        }
        return count;
    }
    void close() override {
        if (stream_) {
            pa_simple_free(stream_);
            stream_ = nullptr;
        }
    }

private:
    pa_simple* stream_ = nullptr;
};

} // namespace

std::unique_ptr<AudioInput> createPulseAudioInput() {
    return std::make_unique<PulseAudioInput>();
}

bool readWav16kMono(const QString& file, std::vector<qint16>* samples, QString* error) {
    auto fail = [&](const QString& what) {
        if (error) {
            *error = QStringLiteral("WAV file %1: %2").arg(file, what);
        }
        return false;
    };
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        return fail(in.errorString());
    }
    if (in.size() > qint64(64) * 1024 * 1024) {
        return fail(QStringLiteral("too large"));
    }
    const QByteArray bytes = in.readAll();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        return fail(QStringLiteral("not a WAV file"));
    }
    qsizetype at = 12;
    bool haveFormat = false;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = le32(bytes.constData() + at + 4);
        const qsizetype body = at + 8;
        if (size > bytes.size() - body) {
            return fail(QStringLiteral("chunk %1 runs past the end").arg(QString::fromLatin1(id)));
        }
        if (id == "fmt ") {
            if (size < 16) {
                return fail(QStringLiteral("short format chunk"));
            }
            const char* f = bytes.constData() + body;
            if (le16(f) != 1 || le16(f + 2) != 1 || le32(f + 4) != sampleRate ||
                le16(f + 14) != 16) {
                return fail(QStringLiteral("not 16 kHz 16-bit PCM mono"));
            }
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) {
                return fail(QStringLiteral("data before format"));
            }
            samples->resize(size_t(size / 2));
            const char* d = bytes.constData() + body;
            for (size_t i = 0; i < samples->size(); ++i) {
                (*samples)[i] = qint16(le16(d + 2 * i));
            }
            return true;
        }
        at = body + size + (size & 1);
    }
    return fail(QStringLiteral("no data chunk"));
}

bool WavFileInput::open(SpeechError*) {
    std::lock_guard lock(mutex_);
    interrupted_ = false;
    startNs_ = nowNs();
    delivered_ = 0;
    return true;
}

bool WavFileInput::enqueue(const QString& file, QString* error) {
    Clip clip;
    clip.file = file;
    if (!readWav16kMono(file, &clip.samples, error)) {
        return false;
    }
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(clip));
        waiting_ = false;
    }
    wake_.notify_all();
    return true;
}

int WavFileInput::read(qint16* samples, int max) {
    std::unique_lock lock(mutex_);
    max = std::min(max, 320);
    if (!inSilence_) {
        if (queue_.empty()) {
            waiting_ = true;
        }
        wake_.wait(lock, [&] { return interrupted_ || !queue_.empty() || endWhenEmpty; });
        waiting_ = false;
        if (interrupted_ || queue_.empty()) {
            return 0;
        }
    }
    int count = 0;
    if (inSilence_) {
        count = int(std::min<size_t>(size_t(max), silenceLeft_));
        std::memset(samples, 0, size_t(count) * sizeof(qint16));
        silenceLeft_ -= size_t(count);
        if (silenceLeft_ == 0) {
            inSilence_ = false;
        }
    } else {
        Clip& clip = queue_.front();
        count = int(std::min<size_t>(size_t(max), clip.samples.size() - position_));
        std::memcpy(samples, clip.samples.data() + position_, size_t(count) * sizeof(qint16));
        position_ += size_t(count);
        if (position_ >= clip.samples.size()) {
            const QString file = clip.file;
            queue_.pop_front();
            position_ = 0;
            inSilence_ = true;
            silenceLeft_ = size_t(trailingSilenceMs) * sampleRate / 1000;
            if (realTime) {
                // The callback stamps the moment the utterance was over, as a microphone has it.
                lock.unlock();
                const qint64 due = startNs_ + (delivered_ + count) * 1000000000LL / sampleRate;
                std::this_thread::sleep_for(std::chrono::nanoseconds(due - nowNs()));
                lock.lock();
            }
            delivered_ += count;
            if (onFileDelivered) {
                lock.unlock();
                onFileDelivered(file);
            }
            return count == 0 ? read(samples, max) : count;
        }
    }
    if (realTime) {
        lock.unlock();
        const qint64 due = startNs_ + (delivered_ + count) * 1000000000LL / sampleRate;
        std::this_thread::sleep_for(std::chrono::nanoseconds(due - nowNs()));
    }
    delivered_ += count;
    return count;
}

void WavFileInput::interrupt() {
    {
        std::lock_guard lock(mutex_);
        interrupted_ = true;
    }
    wake_.notify_all();
}

void WavFileInput::close() {
    interrupt();
}

// ---------------------------------------------------------------------------------------------
// The decoder

namespace {

const char* const grammarSearch = "qvgrammar";
const char* const lmSearch = "qvlm";
const char* const phoneSearch = "qvphones";

// Single-phone words of the garbage loop (CMU phone set of the US English model).
const char* const garbagePhones[] = {"AA", "AE", "AH", "AO", "AW", "AY", "B",  "CH", "D",  "DH",
                                     "EH", "ER", "EY", "F",  "G",  "HH", "IH", "IY", "JH", "K",
                                     "L",  "M",  "N",  "NG", "OW", "OY", "P",  "R",  "S",  "SH",
                                     "T",  "TH", "UH", "UW", "V",  "W",  "Y",  "Z",  "ZH"};

// The count most likely single words of a language model that the decoder can say, each a
// plain lower-case word (JSGF keywords left out), most likely first.
QStringList likelyWords(ps_decoder_t* ps, const QString& languageModel, int count) {
    logmath_t* logmath = logmath_init(1.0001, 0, 0);
    ngram_model_t* model =
        ngram_model_read(nullptr, languageModel.toLocal8Bit().constData(), NGRAM_AUTO, logmath);
    QStringList out;
    if (model) {
        std::vector<std::pair<int32, int32>> ranked;
        const uint32* counts = ngram_model_get_counts(model);
        for (uint32 wid = 0; wid < counts[0]; ++wid) {
            int32 used = 0;
            ranked.emplace_back(-ngram_ng_prob(model, int32(wid), nullptr, 0, &used), int32(wid));
        }
        std::sort(ranked.begin(), ranked.end());
        static const QSet<QString> keywords{QStringLiteral("public"), QStringLiteral("import"),
                                            QStringLiteral("grammar")};
        for (const auto& [score, wid] : ranked) {
            if (out.size() >= count) {
                break;
            }
            const QString word = QString::fromUtf8(ngram_word(model, wid));
            const bool plain =
                !word.isEmpty() && std::all_of(word.begin(), word.end(),
                                               [](QChar c) { return c >= u'a' && c <= u'z'; });
            if (plain && !keywords.contains(word) &&
                ps_lookup_word(ps, word.toUtf8().constData()) != nullptr) {
                out << word;
            }
        }
        ngram_model_free(model);
    }
    logmath_free(logmath);
    return out;
}

// Words of the language-model pass that stand for a number word of the grammar.
bool soundsLike(const QString& heard, const QString& number, bool homophones) {
    if (heard == number) {
        return true;
    }
    if (!homophones) {
        return false;
    }
    static const QHash<QString, QStringList> alike{
        {QStringLiteral("one"), {QStringLiteral("won"), QStringLiteral("wan")}},
        {QStringLiteral("two"), {QStringLiteral("to"), QStringLiteral("too")}},
        {QStringLiteral("four"), {QStringLiteral("for"), QStringLiteral("fore")}},
        {QStringLiteral("eight"), {QStringLiteral("ate")}},
    };
    return alike.value(number).contains(heard);
}

// How far apart two feature means are: the root of the squared differences.
double distance(const std::vector<mfcc_t>& a, const std::vector<mfcc_t>& b) {
    double sum = 0;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        const double d = double(a[i]) - double(b[i]);
        sum += d * d;
    }
    return std::sqrt(sum);
}

// PocketSphinx ends the whole process on some damaged model files, so the files are looked at
// first: each must be there, and the binary ones must start as the library expects.
bool checkModelFiles(const SpeechModel& model, QString* problem) {
    const QDir dir(model.acousticModel);
    auto starts = [&](const QString& name, const QList<QByteArray>& magics) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            *problem = QStringLiteral("%1 is missing").arg(file.fileName());
            return false;
        }
        const QByteArray head = file.read(8);
        for (const QByteArray& magic : magics) {
            if (head.startsWith(magic)) {
                return true;
            }
        }
        *problem = QStringLiteral("%1 is damaged").arg(file.fileName());
        return false;
    };
    if (!starts(QStringLiteral("mdef"), {"BMDF", "0.3\n"}) ||
        !starts(QStringLiteral("means"), {"s3\n"}) ||
        !starts(QStringLiteral("variances"), {"s3\n"}) ||
        !starts(QStringLiteral("transition_matrices"), {"s3\n"}) ||
        !starts(QStringLiteral("feat.params"), {"-"})) {
        return false;
    }
    if (!dir.exists(QStringLiteral("sendump")) && !dir.exists(QStringLiteral("mixture_weights"))) {
        *problem = QStringLiteral("%1 has no mixture weights").arg(dir.path());
        return false;
    }
    if (!QFileInfo(model.dictionary).isReadable()) {
        *problem = QStringLiteral("%1 cannot be read").arg(model.dictionary);
        return false;
    }
    return true;
}

class Decoder {
public:
    ~Decoder() {
        if (ps_) {
            ps_free(ps_);
        }
    }

    bool build(const SpeechModel& model, const RecognizerOptions& options, SpeechError* error) {
        options_ = options;
        QString problem;
        if (!checkModelFiles(model, &problem)) {
            return fail(error, SpeechRecognizerBuild,
                        QStringLiteral("The recognizer \"%1\" cannot be built: %2")
                            .arg(model.description, problem));
        }
        QList<QByteArray> arguments{"-hmm",      model.acousticModel.toLocal8Bit(),
                                    "-dict",     model.dictionary.toLocal8Bit(),
                                    "-samprate", "16000",
                                    "-logfn",    "/dev/null"};
        for (const QString& argument : options.decoderArguments) {
            arguments << argument.toLocal8Bit();
        }
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>("quorvel"));
        for (QByteArray& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        cmd_ln_t* config =
            cmd_ln_parse_r(nullptr, ps_args(), int(argv.size() - 1), argv.data(), FALSE);
        if (config) {
            ps_ = ps_init(config);
            cmd_ln_free_r(config);
        }
        if (!ps_) {
            return fail(error, SpeechRecognizerBuild,
                        QStringLiteral("The recognizer \"%1\" cannot be built from %2")
                            .arg(model.description, model.acousticModel));
        }
        if (options.confirmWithLanguageModel) {
            if (model.languageModel.isEmpty() ||
                ps_set_lm_file(ps_, lmSearch, model.languageModel.toLocal8Bit().constData()) < 0) {
                return fail(error, SpeechRecognizerBuild,
                            QStringLiteral("The language model of \"%1\" cannot be loaded")
                                .arg(model.description));
            }
        }
        if (options.phoneLoopConfidence) {
            const QString phoneLm =
                QFileInfo(model.languageModel).dir().filePath(QStringLiteral("en-us-phone.lm.bin"));
            if (ps_set_allphone_file(ps_, phoneSearch, phoneLm.toLocal8Bit().constData()) < 0) {
                return fail(error, SpeechRecognizerBuild,
                            QStringLiteral("The phone model of \"%1\" cannot be loaded")
                                .arg(model.description));
            }
        }
        for (const auto& [word, phones] : options.pronunciations) {
            // Variants of words this dictionary does not have (another language) are skipped.
            const QString base = word.section(u'(', 0, 0);
            if (ps_lookup_word(ps_, base.toUtf8().constData()) == nullptr) {
                continue;
            }
            if (ps_add_word(ps_, word.toUtf8().constData(), phones.toUtf8().constData(), FALSE) <
                0) {
                return fail(error, SpeechRecognizerBuild,
                            QStringLiteral("The pronunciation \"%1\" of \"%2\" is not valid")
                                .arg(phones, word));
            }
        }
        if (options.garbageWords > 0) {
            // Without a general language model the commands are still heard, but anything
            // else is taken for the nearest command.
            if (!model.languageModel.isEmpty()) {
                garbageWords_ = likelyWords(ps_, model.languageModel, options.garbageWords);
            }
            if (garbageWords_.isEmpty()) {
                qWarning("The recognizer \"%s\" has no language model: speech that is not a "
                         "command will not be rejected",
                         qPrintable(model.description));
            }
        } else if (options.garbageLoop) {
            for (const char* phone : garbagePhones) {
                const QByteArray word = QByteArray("qvg_") + QByteArray(phone).toLower();
                if (ps_add_word(ps_, word.constData(), phone, FALSE) >= 0) {
                    garbageWords_ << QString::fromLatin1(word);
                }
            }
        }
        return true;
    }

    bool setGrammar(const CommandGrammar& grammar, SpeechError* error) {
        QByteArray jsgf;
        QString message;
        if (!commandGrammarToJsgf(grammar, &jsgf, &message)) {
            return fail(error, SpeechGrammarFile, message);
        }
        QStringList used;
        for (const GrammarRule& rule : grammar.rules) {
            collectWords(rule.body, &used);
        }
        QStringList missing;
        for (const QString& word : used) {
            if (pronunciation(word).isEmpty()) {
                missing << word;
            }
        }
        if (!missing.isEmpty()) {
            return fail(error, SpeechGrammarWords,
                        QStringLiteral("The recognizer does not know the words: %1")
                            .arg(missing.join(QStringLiteral(", "))));
        }
        if (!garbageWords_.isEmpty()) {
            // A loop of phones or words beside the commands soaks up speech that is none of
            // them; each of its words costs the weight, so that a command wins where it fits.
            const double each =
                options_.garbageWords > 0 ? options_.garbageWordWeight : options_.garbageWeight;
            const QString weight = QStringLiteral("/%1/ ").arg(each, 0, 'e', 3);
            jsgf.replace("public <qvcommand> = ", "public <qvcommand> = <qvgarbage> | ");
            jsgf += QStringLiteral("<qvgarbage> = ( %1%2 )+;\n")
                        .arg(weight, garbageFor(used).join(QStringLiteral(" | ") + weight))
                        .toUtf8();
        }
        if (ps_set_jsgf_string(ps_, grammarSearch, jsgf.constData()) < 0 ||
            ps_set_search(ps_, grammarSearch) < 0) {
            return fail(error, SpeechGrammarFile,
                        QStringLiteral("The recognizer refused the grammar"));
        }
        return true;
    }

    ps_decoder_t* handle() const { return ps_; }
    const RecognizerOptions& options() const { return options_; }

    // Decodes a whole utterance with one search; the hypothesis and its score.
    // Decodes audio with the given search, as a whole utterance, or block by block as it was
    // heard live and against the running mean as it is now; the mean's state is then put back
    // so that the utterance counts once in it.
    QString decodeWith(const char* search, const std::vector<qint16>& audio, int* score,
                       bool asHeardLive = false) {
        cmn_t* cmn = ps_get_feat(ps_)->cmn_struct;
        const std::vector<mfcc_t> mean(cmn->cmn_mean, cmn->cmn_mean + cmn->veclen);
        const std::vector<mfcc_t> sum(cmn->sum, cmn->sum + cmn->veclen);
        const int32 frames = cmn->nframe;
        ps_set_search(ps_, search);
        ps_start_utt(ps_);
        if (asHeardLive) {
            for (size_t at = 0; at < audio.size(); at += liveBlock) {
                ps_process_raw(ps_, audio.data() + at, std::min(liveBlock, audio.size() - at),
                               FALSE, FALSE);
            }
        } else {
            ps_process_raw(ps_, audio.data(), audio.size(), FALSE, TRUE);
        }
        ps_end_utt(ps_);
        if (asHeardLive) {
            std::copy(mean.begin(), mean.end(), cmn->cmn_mean);
            std::copy(sum.begin(), sum.end(), cmn->sum);
            cmn->nframe = frames;
        }
        int32 best = 0;
        const char* hypothesis = ps_get_hyp(ps_, &best);
        if (score) {
            *score = best;
        }
        ps_set_search(ps_, grammarSearch);
        return hypothesis ? QString::fromUtf8(hypothesis) : QString();
    }

    // The running mean the features are judged against.
    std::vector<mfcc_t> featureMean() const {
        const cmn_t* cmn = ps_get_feat(ps_)->cmn_struct;
        return {cmn->cmn_mean, cmn->cmn_mean + cmn->veclen};
    }

    // Of the words of the last hypothesis (silences and noises left out), the fewest frames
    // per phone of the pronunciation that was heard; 0 when there are none.
    double shortestFramesPerPhone() const {
        double shortest = 0;
        for (ps_seg_t* seg = ps_seg_iter(ps_); seg; seg = ps_seg_next(seg)) {
            const char* word = ps_seg_word(seg);
            if (!word || word[0] == '<' || word[0] == '[' || word[0] == '+') {
                continue;
            }
            const qsizetype phones = pronunciation(QString::fromUtf8(word)).size();
            int first = 0;
            int last = 0;
            ps_seg_frames(seg, &first, &last);
            if (phones > 0) {
                const double each = double(last - first + 1) / double(phones);
                shortest = shortest == 0 ? each : std::min(shortest, each);
            }
        }
        return shortest;
    }

private:
    static bool fail(SpeechError* error, int number, const QString& text) {
        if (error) {
            *error = {number, text};
        }
        return false;
    }

    // The garbage words for a grammar with these words.
    QStringList garbageFor(const QStringList& commandWords) const {
        if (options_.garbageWords <= 0) {
            return garbageWords_; // the phone loop
        }
        std::vector<QStringList> commandPhones;
        for (const QString& word : commandWords) {
            commandPhones.push_back(pronunciation(word));
        }
        QStringList garbage;
        for (const QString& word : garbageWords_) {
            const QStringList phones = pronunciation(word);
            // One long word could stand for a whole command ("political" for "button four"),
            // a word that sounds like a command's word for that word ("gotten", "won").
            const bool tooLong =
                options_.garbageMaxPhones > 0 && phones.size() > options_.garbageMaxPhones;
            bool alike = false;
            for (size_t i = 0; i < commandPhones.size() && !alike; ++i) {
                alike = commandWords[qsizetype(i)] != word &&
                        phoneDistance(commandPhones[i], phones) <= options_.garbageSoundAlike;
            }
            if (!tooLong && !alike) {
                garbage << word;
            }
        }
        // The commands' own words belong in it too: "button" alone, or with a number that is
        // not in the grammar, is then heard as garbage.
        if (options_.garbageWithCommandWords) {
            for (const QString& word : commandWords) {
                if (!garbage.contains(word)) {
                    garbage << word;
                }
            }
        }
        return garbage;
    }

    QStringList pronunciation(const QString& word) const {
        const char* phones = ps_lookup_word(ps_, word.toUtf8().constData());
        return phones ? QString::fromLatin1(phones).split(u' ', Qt::SkipEmptyParts) : QStringList{};
    }

    static int phoneDistance(const QStringList& a, const QStringList& b) {
        std::vector<int> row(size_t(b.size()) + 1);
        for (size_t j = 0; j < row.size(); ++j) {
            row[j] = int(j);
        }
        for (qsizetype i = 1; i <= a.size(); ++i) {
            int diagonal = row[0];
            row[0] = int(i);
            for (qsizetype j = 1; j <= b.size(); ++j) {
                const int up = row[size_t(j)];
                row[size_t(j)] = std::min(
                    {up + 1, row[size_t(j) - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
                diagonal = up;
            }
        }
        return row.back();
    }

    static void collectWords(const GrammarNode& node, QStringList* words) {
        for (const QString& word : node.words) {
            if (!words->contains(word)) {
                *words << word;
            }
        }
        for (const GrammarNode& child : node.children) {
            collectWords(child, words);
        }
    }

    ps_decoder_t* ps_ = nullptr;
    RecognizerOptions options_;
    QStringList garbageWords_;
};

// ---------------------------------------------------------------------------------------------
// The recognition context

class PocketSphinxContext final : public RecognitionContext {
public:
    PocketSphinxContext(std::unique_ptr<Decoder> decoder, std::unique_ptr<AudioInput> input,
                        std::function<void(const UtteranceReport&)> report)
        : decoder_(std::move(decoder)), input_(std::move(input)), report_(std::move(report)) {}

    ~PocketSphinxContext() override { stopListening(); }

    bool loadGrammar(const QString& file, SpeechError* error) override {
        CommandGrammar grammar;
        QString message;
        if (!readCommandGrammarFile(file, &grammar, &message)) {
            if (error) {
                *error = {SpeechGrammarFile, message};
            }
            return false;
        }
        const bool wasListening = listening_;
        stopListening();
        if (!decoder_->setGrammar(grammar, error)) {
            grammarLoaded_ = false;
            return false;
        }
        // The texts the grammar gives, by their lower-case words: the decoder hears lower case.
        spelling_.clear();
        for (const QString& phrase : commandGrammarPhrases(grammar)) {
            spelling_.insert(phrase.toLower(), phrase);
        }
        grammarLoaded_ = true;
        // A newly loaded grammar starts with its rules inactive.
        Q_UNUSED(wasListening);
        return true;
    }

    bool setRulesActive(bool active, SpeechError* error) override {
        if (!active) {
            stopListening();
            return true;
        }
        if (!grammarLoaded_) {
            if (error) {
                *error = {SpeechNoGrammar, QStringLiteral("No grammar is loaded")};
            }
            return false;
        }
        if (listening_) {
            return true;
        }
        if (!input_->open(error)) {
            return false;
        }
        stop_ = false;
        listening_ = true;
        worker_ = std::thread([this] { run(); });
        return true;
    }

    void setSuspended(bool suspended) override { suspended_ = suspended; }

private:
    void stopListening() {
        if (!listening_) {
            return;
        }
        stop_ = true;
        input_->interrupt();
        worker_.join();
        input_->close();
        listening_ = false;
    }

    // The decoding thread: the grammar search runs live, its voice activity detection cuts the
    // audio into utterances, and each finished utterance is judged and reported.
    void run() {
        ps_decoder_t* ps = decoder_->handle();
        std::vector<qint16> chunk(liveBlock);
        std::vector<qint16> utterance;
        const size_t preRoll = sampleRate / 2;
        const size_t maxUtterance = size_t(sampleRate) * 10;
        bool inUtterance = false;
        ps_set_search(ps, grammarSearch);
        ps_start_utt(ps);
        while (!stop_) {
            const int count = input_->read(chunk.data(), int(chunk.size()));
            if (count <= 0) {
                break;
            }
            if (suspended_) {
                // What is heard while the character speaks is dropped, half-heard words too.
                if (inUtterance || !utterance.empty()) {
                    ps_end_utt(ps);
                    ps_start_utt(ps);
                    utterance.clear();
                    inUtterance = false;
                }
                continue;
            }
            ps_process_raw(ps, chunk.data(), size_t(count), FALSE, FALSE);
            utterance.insert(utterance.end(), chunk.begin(), chunk.begin() + count);
            const bool speech = ps_get_in_speech(ps);
            if (speech) {
                inUtterance = true;
            } else if (!inUtterance && utterance.size() > preRoll) {
                utterance.erase(utterance.begin(),
                                utterance.begin() + std::ptrdiff_t(utterance.size() - preRoll));
            }
            if (inUtterance && (!speech || utterance.size() > maxUtterance)) {
                finishUtterance(utterance);
                utterance.clear();
                inUtterance = false;
                ps_start_utt(ps);
            }
        }
        if (inUtterance && !stop_) {
            finishUtterance(utterance);
        } else {
            ps_end_utt(ps);
        }
    }

    void finishUtterance(const std::vector<qint16>& audio) {
        QElapsedTimer timer;
        timer.start();
        ps_decoder_t* ps = decoder_->handle();
        const std::vector<mfcc_t> meanBefore = decoder_->featureMean();
        ps_end_utt(ps);
        const RecognizerOptions& options = decoder_->options();
        UtteranceReport report;
        report.audioSeconds = double(audio.size()) / sampleRate;
        int32 score = 0;
        const char* hypothesis = ps_get_hyp(ps, &score);
        report.grammarHypothesis = hypothesis ? QString::fromUtf8(hypothesis) : QString();
        report.meanShift = distance(meanBefore, decoder_->featureMean());
        if (options.wholeUtterance) {
            report.grammarHypothesis = decoder_->decodeWith(grammarSearch, audio, &score);
        } else if (options.redecodeMeanShift > 0 && report.meanShift > options.redecodeMeanShift) {
            report.grammarHypothesis = decoder_->decodeWith(grammarSearch, audio, &score, true);
            report.decodedAgain = true;
        }
        // Of the hypothesis that is judged, after the second pass when there is one.
        report.shortestFramesPerPhone = decoder_->shortestFramesPerPhone();
        report.grammarScore = score;
        report.frames = ps_get_n_frames(ps);
        const QStringList heard = report.grammarHypothesis.split(u' ', Qt::SkipEmptyParts);
        // Only a whole text of the grammar is a command; a garbage path may give any words.
        bool accepted = spelling_.contains(report.grammarHypothesis);
        if (accepted && report.shortestFramesPerPhone < options.minFramesPerPhone) {
            accepted = false;
        }
        if (accepted && options.phoneLoopConfidence) {
            int grammarScore = 0;
            int phoneScore = 0;
            decoder_->decodeWith(grammarSearch, audio, &grammarScore);
            decoder_->decodeWith(phoneSearch, audio, &phoneScore);
            report.grammarScore = grammarScore;
            report.phoneLoopScore = phoneScore;
            const int frames = std::max(1, ps_get_n_frames(ps));
            if (double(grammarScore - phoneScore) / frames < options.phoneLoopThreshold) {
                accepted = false;
            }
        }
        if (accepted && options.confirmWithLanguageModel) {
            report.languageModelHypothesis = decoder_->decodeWith(lmSearch, audio, nullptr);
            const QStringList general =
                report.languageModelHypothesis.split(u' ', Qt::SkipEmptyParts);
            const QString& number = heard.last();
            bool confirmed = false;
            for (qsizetype i = 0; i < general.size() && !confirmed; ++i) {
                if (soundsLike(general[i], number, options.confirmHomophones)) {
                    confirmed = !options.confirmButton ||
                                (i > 0 && general[i - 1] == QLatin1String("button"));
                }
            }
            accepted = confirmed;
        }
        report.accepted = accepted;
        report.decodeSeconds = timer.nsecsElapsed() / 1e9;
        if (report_) {
            report_(report);
        }
        const QString text = spelling_.value(report.grammarHypothesis, report.grammarHypothesis);
        QPointer<PocketSphinxContext> self(this);
        QMetaObject::invokeMethod(
            this,
            [self, accepted, text] {
                if (!self) {
                    return;
                }
                if (accepted) {
                    emit self->Recognition(text);
                } else {
                    emit self->FalseRecognition(text);
                }
            },
            Qt::QueuedConnection);
    }

    std::unique_ptr<Decoder> decoder_;
    std::unique_ptr<AudioInput> input_;
    std::function<void(const UtteranceReport&)> report_;
    QHash<QString, QString> spelling_;
    bool grammarLoaded_ = false;
    bool listening_ = false;
    std::atomic<bool> stop_{false};
    std::atomic<bool> suspended_{false};
    std::thread worker_;
};

class EnvironmentWavInput final : public AudioInput {
public:
    explicit EnvironmentWavInput(QStringList files) : files_(std::move(files)) {}
    QString name() const override { return QStringLiteral("WAV files: ") + files_.join(u' '); }
    bool open(SpeechError* error) override {
        wav_ = std::make_unique<WavFileInput>();
        wav_->endWhenEmpty = true;
        wav_->realTime = true;
        for (const QString& file : files_) {
            QString message;
            if (!wav_->enqueue(file, &message)) {
                if (error) {
                    *error = {SpeechNoAudioInput, message};
                }
                return false;
            }
        }
        return wav_->open(error);
    }
    int read(qint16* samples, int max) override { return wav_ ? wav_->read(samples, max) : -1; }
    void interrupt() override {
        if (wav_) {
            wav_->interrupt();
        }
    }
    void close() override { wav_.reset(); }

private:
    QStringList files_;
    std::unique_ptr<WavFileInput> wav_;
};

class PocketSphinxService final : public SpeechService {
public:
    explicit PocketSphinxService(SpeechServiceOptions options)
        : options_(std::move(options)), models_(findSpeechModels(options_.modelRoot)) {}

    QStringList recognizers() override {
        QStringList names;
        for (const SpeechModel& model : models_) {
            names << model.description;
        }
        return names;
    }

    QStringList audioInputs() override {
        if (options_.audioInput) {
            return {options_.audioInputName};
        }
        return {makeInput()->name()};
    }

    std::unique_ptr<RecognitionContext> createContext(int recognizer, SpeechError* error) override {
        if (recognizer < 0 || recognizer >= int(models_.size())) {
            if (error) {
                *error = {SpeechNoRecognizer, QStringLiteral("No recognizer at position %1 of %2")
                                                  .arg(recognizer)
                                                  .arg(models_.size())};
            }
            return nullptr;
        }
        // The device is tried once now, so that a missing one is reported when the recognizer
        // is chosen rather than at the first start.
        std::unique_ptr<AudioInput> input = makeInput();
        if (!input->open(error)) {
            return nullptr;
        }
        input->close();
        auto decoder = std::make_unique<Decoder>();
        if (!decoder->build(models_[size_t(recognizer)], options_.recognizer, error)) {
            return nullptr;
        }
        return std::make_unique<PocketSphinxContext>(std::move(decoder), std::move(input),
                                                     options_.report);
    }

private:
    std::unique_ptr<AudioInput> makeInput() const {
        if (options_.audioInput) {
            return options_.audioInput();
        }
        const QString files = qEnvironmentVariable("QV_SPEECH_WAV");
        if (!files.isEmpty()) {
            return std::make_unique<EnvironmentWavInput>(files.split(u':', Qt::SkipEmptyParts));
        }
        return createPulseAudioInput();
    }

    SpeechServiceOptions options_;
    std::vector<SpeechModel> models_;
};

} // namespace

std::unique_ptr<SpeechService> createPocketSphinxService(const SpeechServiceOptions& options) {
    return std::make_unique<PocketSphinxService>(options);
}

std::unique_ptr<SpeechService> createSpeechService() {
    return createPocketSphinxService(SpeechServiceOptions{});
}

} // namespace qv
