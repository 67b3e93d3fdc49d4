// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/recognizer/pocketsphinx.h"

#include <QFile>

#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace qv {

namespace {

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
        sampleFormat.rate = speechSampleRate;
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
            if (le16(f) != 1 || le16(f + 2) != 1 || le32(f + 4) != speechSampleRate ||
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
    if (!inSilence_ && position_ == 0) {
        fromFileStart_ = 0;
        fileSamples_ = queue_.front().samples.size();
    }
    const size_t blockAt = fromFileStart_;
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
            silenceLeft_ = size_t(trailingSilenceMs) * speechSampleRate / 1000;
            // With no silence to play the next file follows at once; a silence of no samples
            // would read as the end of the stream.
            inSilence_ = silenceLeft_ > 0;
            if (realTime) {
                // The callback stamps the moment the utterance was over, as a microphone has it.
                lock.unlock();
                const qint64 due =
                    startNs_ + (delivered_ + count) * 1000000000LL / speechSampleRate;
                std::this_thread::sleep_for(std::chrono::nanoseconds(due - nowNs()));
                lock.lock();
            }
            delivered_ += count;
            fromFileStart_ += size_t(count);
            lock.unlock();
            if (onBlock && count > 0) {
                onBlock(blockAt, fileSamples_);
            }
            if (onFileDelivered) {
                onFileDelivered(file);
            }
            return count == 0 ? read(samples, max) : count;
        }
    }
    if (realTime) {
        lock.unlock();
        const qint64 due = startNs_ + (delivered_ + count) * 1000000000LL / speechSampleRate;
        std::this_thread::sleep_for(std::chrono::nanoseconds(due - nowNs()));
    }
    delivered_ += count;
    fromFileStart_ += size_t(count);
    if (onBlock) {
        if (lock.owns_lock()) {
            lock.unlock();
        }
        onBlock(blockAt, fileSamples_);
    }
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

std::unique_ptr<AudioInput> createWavFilesInput(const QStringList& files) {
    return std::make_unique<EnvironmentWavInput>(files);
}

} // namespace qv
