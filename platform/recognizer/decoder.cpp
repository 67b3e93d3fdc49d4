// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/recognizer/decoder.h"

#include "platform/recognizer/modelcheck.h"
#include "speech/levels.h"

#include <QSet>

#include <sphinxbase/ckd_alloc.h>
#include <sphinxbase/fe.h>
#include <sphinxbase/feat.h>

#include <sphinxbase/ngram_model.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace qv {

const char* const grammarSearch = "qvgrammar";

namespace {

// The cepstra a front end makes of an utterance, one frame after another. A few frames at a
// time: the front end drops silence itself, and a whole utterance at once would skip that.
std::vector<mfcc_t> cepstraOf(fe_t* fe, const std::vector<qint16>& audio) {
    constexpr int32 chunk = 64;
    const int ceps = fe_get_output_size(fe);
    auto* buffer = static_cast<mfcc_t**>(ckd_calloc_2d(chunk, size_t(ceps), sizeof(mfcc_t)));
    std::vector<mfcc_t> cepstra;
    const int16* at = audio.data();
    size_t left = audio.size();
    fe_start_utt(fe);
    int32 made = 0;
    do {
        made = chunk;
        if (fe_process_frames(fe, &at, &left, buffer, &made, nullptr) < 0) {
            break;
        }
        cepstra.insert(cepstra.end(), buffer[0], buffer[0] + ptrdiff_t(made) * ceps);
    } while (left > 0 || made > 0);
    fe_end_utt(fe, buffer[0], &made);
    cepstra.insert(cepstra.end(), buffer[0], buffer[0] + ptrdiff_t(made) * ceps);
    ckd_free_2d(buffer);
    return cepstra;
}

// Whether a segment of a hypothesis is a word that was said, not a silence or a noise.
bool isSpokenWord(const char* word) {
    return word && word[0] != '<' && word[0] != '[' && word[0] != '+';
}

// The decoder's running mean, its sum and count, put back as they were when it goes.
class KeptRunningMean {
public:
    explicit KeptRunningMean(cmn_t* cmn)
        : cmn_(cmn), mean_(cmn->cmn_mean, cmn->cmn_mean + cmn->veclen),
          sum_(cmn->sum, cmn->sum + cmn->veclen), frames_(cmn->nframe) {}
    ~KeptRunningMean() {
        std::copy(mean_.begin(), mean_.end(), cmn_->cmn_mean);
        std::copy(sum_.begin(), sum_.end(), cmn_->sum);
        cmn_->nframe = frames_;
    }
    KeptRunningMean(const KeptRunningMean&) = delete;
    KeptRunningMean& operator=(const KeptRunningMean&) = delete;

private:
    cmn_t* cmn_;
    std::vector<mfcc_t> mean_;
    std::vector<mfcc_t> sum_;
    int32 frames_;
};

// An utterance of the grammar search, fed by feed, against the running mean as it is now; the
// mean's state is then put back so that the utterance counts once in it. The hypothesis, and
// its score in score.
template <typename Feed> QString decodeKeepingMean(ps_decoder_t* ps, int* score, const Feed& feed) {
    {
        const KeptRunningMean kept(ps_get_feat(ps)->cmn_struct);
        ps_set_search(ps, grammarSearch);
        ps_start_utt(ps);
        feed();
        ps_end_utt(ps);
    }
    int32 best = 0;
    const char* hypothesis = ps_get_hyp(ps, &best);
    if (score) {
        *score = best;
    }
    return hypothesis ? QString::fromUtf8(hypothesis) : QString();
}

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

bool fail(SpeechError* error, int number, const QString& text) {
    if (error) {
        *error = {number, text};
    }
    return false;
}

// How many phones must change to turn one pronunciation into the other.
int phoneDistance(const QStringList& a, const QStringList& b) {
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

} // namespace

double meanDistance(const std::vector<mfcc_t>& a, const std::vector<mfcc_t>& b) {
    double sum = 0;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        const double d = double(a[i]) - double(b[i]);
        sum += d * d;
    }
    return std::sqrt(sum);
}

Decoder::~Decoder() {
    if (undithered_) {
        fe_free(undithered_);
    }
    if (ps_) {
        ps_free(ps_);
    }
}

bool Decoder::build(const SpeechModel& model, const RecognizerOptions& options,
                    SpeechError* error) {
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
    if (options.voiceWarp != 1.0) {
        arguments << "-warp_type"
                  << "inverse_linear"
                  << "-warp_params" << QByteArray::number(options.voiceWarp, 'f', 3);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>("quorvel"));
    for (QByteArray& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    cmd_ln_t* config = cmd_ln_parse_r(nullptr, ps_args(), int(argv.size() - 1), argv.data(), FALSE);
    if (config) {
        ps_ = ps_init(config);
        cmd_ln_free_r(config);
    }
    if (ps_) {
        // The decoder's settings (its model's among them) with the dither off, for a while.
        cmd_ln_t* own = ps_get_config(ps_);
        const bool dither = cmd_ln_boolean_r(own, "-dither");
        cmd_ln_set_boolean_r(own, "-dither", FALSE);
        undithered_ = fe_init_auto_r(own);
        cmd_ln_set_boolean_r(own, "-dither", dither);
    }
    if (!ps_) {
        return fail(error, SpeechRecognizerBuild,
                    QStringLiteral("The recognizer \"%1\" cannot be built from %2")
                        .arg(model.description, model.acousticModel));
    }
    for (const auto& [word, phones] : options.pronunciations) {
        // Variants of words this dictionary does not have (another language) are skipped.
        const QString base = word.section(u'(', 0, 0);
        if (ps_lookup_word(ps_, base.toUtf8().constData()) == nullptr) {
            continue;
        }
        if (ps_add_word(ps_, word.toUtf8().constData(), phones.toUtf8().constData(), FALSE) < 0) {
            return fail(error, SpeechRecognizerBuild,
                        QStringLiteral("The pronunciation \"%1\" of \"%2\" is not valid")
                            .arg(phones, word));
        }
    }
    if (options.garbageWords > 0) {
        // Without a general language model the commands are still heard, but anything else that
        // a command's words can fill is taken for the nearest command.
        if (!model.languageModel.isEmpty()) {
            garbageWords_ = likelyWords(ps_, model.languageModel, options.garbageWords);
        }
        if (garbageWords_.isEmpty()) {
            qWarning("The recognizer \"%s\" has no language model: speech that is not a "
                     "command may be taken for the nearest command",
                     qPrintable(model.description));
        }
    }
    return true;
}

bool Decoder::setGrammar(const CommandGrammar& grammar, SpeechError* error) {
    QByteArray jsgf;
    QString message;
    if (!commandGrammarToJsgf(grammar, &jsgf, &message)) {
        return fail(error, SpeechGrammarFile, message);
    }
    const QStringList used = commandGrammarWords(grammar);
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
        // A loop of words beside the commands soaks up speech that is none of them; each of its
        // words costs the weight, so that a command wins where it fits.
        const QString weight = QStringLiteral("/%1/ ").arg(options_.garbageWordWeight, 0, 'e', 3);
        jsgf.replace("public <qvcommand> = ", "public <qvcommand> = <qvgarbage> | ");
        jsgf += QStringLiteral("<qvgarbage> = ( %1%2 )+;\n")
                    .arg(weight, garbageFor(used).join(QStringLiteral(" | ") + weight))
                    .toUtf8();
    }
    if (ps_set_jsgf_string(ps_, grammarSearch, jsgf.constData()) < 0 ||
        ps_set_search(ps_, grammarSearch) < 0) {
        return fail(error, SpeechGrammarFile, QStringLiteral("The recognizer refused the grammar"));
    }
    return true;
}

QString Decoder::decodeAgainUndithered(const std::vector<qint16>& audio, int* score) {
    if (!undithered_) {
        return decodeAgainLive(audio, score);
    }
    const int ceps = fe_get_output_size(undithered_);
    std::vector<mfcc_t> cepstra = cepstraOf(undithered_, audio);
    std::vector<mfcc_t*> rows;
    for (size_t at = 0; at + size_t(ceps) <= cepstra.size(); at += size_t(ceps)) {
        rows.push_back(cepstra.data() + at);
    }
    return decodeKeepingMean(ps_, score, [&] {
        // A block of frames at a time, as they come live.
        constexpr size_t block = 2;
        for (size_t at = 0; at < rows.size(); at += block) {
            ps_process_cep(ps_, rows.data() + at, int(std::min(block, rows.size() - at)), FALSE,
                           FALSE);
        }
    });
}

QString Decoder::decodeAgainLive(const std::vector<qint16>& audio, int* score) {
    return decodeKeepingMean(ps_, score, [&] {
        for (size_t at = 0; at < audio.size(); at += liveBlock) {
            ps_process_raw(ps_, audio.data() + at, std::min(liveBlock, audio.size() - at), FALSE,
                           FALSE);
        }
    });
}

QString Decoder::decodeWhole(const std::vector<qint16>& audio, int* score, int* frames) {
    ps_set_search(ps_, grammarSearch);
    ps_start_utt(ps_);
    ps_process_raw(ps_, audio.data(), audio.size(), FALSE, TRUE);
    ps_end_utt(ps_);
    int32 best = 0;
    const char* hypothesis = ps_get_hyp(ps_, &best);
    if (score) {
        *score = best;
    }
    if (frames) {
        *frames = ps_get_n_frames(ps_);
    }
    return hypothesis ? QString::fromUtf8(hypothesis) : QString();
}

std::vector<mfcc_t> Decoder::featureMean() const {
    const cmn_t* cmn = ps_get_feat(ps_)->cmn_struct;
    return {cmn->cmn_mean, cmn->cmn_mean + cmn->veclen};
}

void Decoder::setFeatureMean(const std::vector<mfcc_t>& mean) {
    cmn_t* cmn = ps_get_feat(ps_)->cmn_struct;
    std::copy_n(mean.begin(), std::min(mean.size(), size_t(cmn->veclen)), cmn->cmn_mean);
}

double Decoder::shortestFramesPerPhone() const {
    double shortest = 0;
    for (ps_seg_t* seg = ps_seg_iter(ps_); seg; seg = ps_seg_next(seg)) {
        const char* word = ps_seg_word(seg);
        if (!isSpokenWord(word)) {
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

std::vector<WordFrames> Decoder::wordFrames(int audioFrames) const {
    std::vector<WordFrames> words;
    // The segments count frames from the start of listening, and the library's detection of
    // speech leaves out silence at the start: the audio ends where the last segment does.
    int end = -1;
    for (ps_seg_t* seg = ps_seg_iter(ps_); seg; seg = ps_seg_next(seg)) {
        const char* word = ps_seg_word(seg);
        WordFrames w;
        ps_seg_frames(seg, &w.first, &w.last);
        end = std::max(end, w.last);
        if (isSpokenWord(word)) {
            words.push_back(w);
        }
    }
    const int start = end + 1 - audioFrames;
    for (WordFrames& w : words) {
        w.first -= start;
        w.last -= start;
    }
    return words;
}

void Decoder::measureRivals(Heard* heard, const QHash<QString, QString>& commands,
                            int maxPaths) const {
    const int frames = std::max(1, ps_get_n_frames(ps_));
    ps_nbest_t* paths = ps_nbest(ps_);
    // Paths come best first; the hypothesis of the search need not be the graph's best.
    std::optional<int32> own;
    std::optional<int32> otherCommand;
    std::optional<int32> noCommand;
    for (int n = 0; paths && n < maxPaths; ++n) {
        int32 score = 0;
        const char* words = ps_nbest_hyp(paths, &score);
        const QString text = words ? QString::fromUtf8(words) : QString();
        auto& best = text == heard->hypothesis ? own
                     : commands.contains(text) ? otherCommand
                                               : noCommand;
        if (!best) {
            best = score;
        }
        paths = ps_nbest_next(paths);
    }
    if (paths) {
        ps_nbest_free(paths);
    }
    auto gap = [&](const std::optional<int32>& rival) {
        if (!rival) {
            return noRival;
        }
        return own ? double(*own - *rival) / frames : -noRival;
    };
    heard->otherCommandGap = gap(otherCommand);
    heard->noCommandGap = gap(noCommand);
}

QStringList Decoder::garbageFor(const QStringList& commandWords) const {
    std::vector<QStringList> commandPhones;
    for (const QString& word : commandWords) {
        commandPhones.push_back(pronunciation(word));
    }
    QStringList garbage;
    for (const QString& word : garbageWords_) {
        const QStringList phones = pronunciation(word);
        // One long word could stand for a whole command ("political" for "button four"), a word
        // that sounds like a command's word for that word ("gotten", "won").
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
    // The commands' own words belong in it too: "button" alone, or with a number that is not in
    // the grammar, is then heard as garbage.
    if (options_.garbageWithCommandWords) {
        for (const QString& word : commandWords) {
            if (!garbage.contains(word)) {
                garbage << word;
            }
        }
    }
    return garbage;
}

QStringList Decoder::pronunciation(const QString& word) const {
    const char* phones = ps_lookup_word(ps_, word.toUtf8().constData());
    return phones ? QString::fromLatin1(phones).split(u' ', Qt::SkipEmptyParts) : QStringList{};
}

} // namespace qv
