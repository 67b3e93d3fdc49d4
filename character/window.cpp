// SPDX-License-Identifier: GPL-3.0-or-later
#include "character/window.h"

#include "platform/opacity/opacity.h"
#include "platform/session/startup.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QSvgRenderer>

#include <utility>

namespace qv::character {

namespace {

constexpr Qt::WindowFlags kFloatingFlags =
    Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus;

void makeFloating(QWidget* w) {
    w->setWindowFlags(kFloatingFlags);
    w->setAttribute(Qt::WA_TranslucentBackground);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
}

// Headless platforms cannot raise windows and say so on every call.
void raiseWindow(QWidget* w) {
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        w->raise();
    }
}

// Balloon geometry in pixels.
constexpr int kShadow = 4;
constexpr int kPadding = 12;
constexpr int kTail = 16;
constexpr int kRadius = 14;
constexpr int kTextWidth = 230;

QFont balloonFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    return font;
}

// The idle animation (a blink every few seconds) plays this many rounds after the character last
// greeted or spoke, about 20 s; then the character rests.
constexpr int kIdleRounds = 4;

} // namespace

// --- the character window ---------------------------------------------------------------

CharacterWindow::CharacterWindow(const CharacterData* data) : data_(data) {
    makeFloating(this);
    setWindowTitle(data->id);
    setFixedSize(kSize, kSize);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &CharacterWindow::advance);
}

void CharacterWindow::setBase(const Animation* animation, int rounds) {
    base_ = animation;
    baseRounds_ = rounds;
    // A greeting in progress plays to its end; the new base follows it.
    if (!once_) {
        start(animation, false);
    }
}

void CharacterWindow::playOnce(const Animation* animation) {
    start(animation, true);
}

void CharacterWindow::start(const Animation* animation, bool once) {
    if (!animation || animation->isEmpty()) {
        return;
    }
    current_ = animation;
    once_ = once;
    frame_ = 0;
    roundsLeft_ = once || animation != base_ ? 0 : baseRounds_;
    timer_.start(current_->at(0).ms);
    applyShape();
    update();
}

void CharacterWindow::setShaped(bool shaped) {
    shaped_ = shaped;
    if (!shaped_) {
        clearMask();
    }
    applyShape();
}

void CharacterWindow::applyShape() {
    if (!shaped_ || !current_ || frame_ >= current_->size()) {
        return;
    }
    const QString& file = current_->at(frame_).file;
    auto mask = shapes_.find(file);
    if (mask == shapes_.end()) {
        QImage image(size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        if (const auto renderer = data_->renderers.value(file)) {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            renderer->render(&p, QRectF(rect()));
        }
        mask = shapes_.insert(file, QBitmap::fromImage(image.createAlphaMask(
                                        Qt::ThresholdAlphaDither | Qt::MonoOnly)));
    }
    setMask(*mask);
}

void CharacterWindow::advance() {
    if (!current_) {
        return;
    }
    if (++frame_ >= current_->size()) {
        if (once_ && base_) {
            once_ = false;
            start(base_, false);
            return;
        }
        frame_ = 0;
        if (roundsLeft_ > 0 && --roundsLeft_ == 0) {
            applyShape();
            update();
            return; // at rest on the first frame
        }
    }
    timer_.start(current_->at(frame_).ms);
    applyShape();
    update();
}

void CharacterWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(rect(), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setRenderHint(QPainter::Antialiasing);
    if (!current_ || frame_ >= current_->size()) {
        return;
    }
    const auto renderer = data_->renderers.value(current_->at(frame_).file);
    if (renderer) {
        renderer->render(&p, QRectF(rect()));
    }
    if (!painted_) {
        painted_ = true;
        emit firstPainted();
    }
}

// --- the speech balloon -----------------------------------------------------------------

SpeechBalloon::SpeechBalloon() {
    makeFloating(this);
    setWindowTitle(tr("Merlin says"));
    setFont(balloonFont());
}

void SpeechBalloon::setText(const QString& text) {
    text_ = text;
    const QFontMetrics metrics(font());
    const QRect bounds = metrics.boundingRect(QRect(0, 0, kTextWidth, 2000),
                                              Qt::TextWordWrap | Qt::AlignLeft, text_);
    const int w = std::max(bounds.width(), 48);
    const int h = std::max(bounds.height(), metrics.height());
    textRect_ = QRect(kShadow + kPadding, kShadow + kPadding, w, h);
    setFixedSize(w + 2 * (kPadding + kShadow), h + 2 * (kPadding + kShadow) + kTail);
    update();
}

void SpeechBalloon::placeFor(QPoint topLeft) {
    // The tail points at the wizard's face, from above and to the left of it.
    const QPoint face(topLeft.x() + 50, topLeft.y() + 40);
    QRect area(0, 0, 1024, 768);
    if (QScreen* screen = QGuiApplication::screenAt(face + QPoint(1, 1))) {
        area = screen->geometry();
    } else if (QScreen* primary = QGuiApplication::primaryScreen()) {
        area = primary->geometry();
    }
    int x = face.x() + 36 - width();
    int y = topLeft.y() - height() + 8; // only the tail reaches over the window
    tailDown_ = true;
    if (y < area.top()) {
        // No room above: hang the balloon below the character, tail up.
        y = topLeft.y() + CharacterWindow::kSize - 8;
        tailDown_ = false;
    }
    x = std::clamp(x, area.left(), std::max(area.left(), area.right() - width()));
    y = std::clamp(y, area.top(), std::max(area.top(), area.bottom() - height()));
    tailX_ = std::clamp(face.x() - x, kShadow + kRadius + 4, width() - kShadow - kRadius - 22);
    textRect_.moveTop(kShadow + kPadding + (tailDown_ ? 0 : kTail));
    move(x, y);
    if (shaped_) {
        setMask(QRegion(outline().toFillPolygon().toPolygon()));
    }
    update();
}

QPainterPath SpeechBalloon::outline() const {
    const int top = kShadow + (tailDown_ ? 0 : kTail);
    const QRectF body(kShadow, top, width() - 2 * kShadow, height() - 2 * kShadow - kTail);
    QPainterPath path;
    path.addRoundedRect(body, kRadius, kRadius);
    // The tail curls from the balloon's edge towards the character.
    const qreal dir = tailDown_ ? 1 : -1;
    const qreal base = tailDown_ ? body.bottom() - 1 : body.top() + 1;
    QPainterPath tail;
    tail.moveTo(tailX_, base);
    tail.lineTo(tailX_ + 20, base);
    tail.quadTo(tailX_ + 20, base + dir * kTail * 0.6, tailX_ + 26, base + dir * kTail);
    tail.quadTo(tailX_ + 8, base + dir * kTail * 0.7, tailX_, base);
    tail.closeSubpath();
    return path.united(tail).simplified();
}

void SpeechBalloon::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(rect(), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setRenderHint(QPainter::Antialiasing);

    const QPainterPath path = outline();
    if (!shaped_) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 16, 60, 55));
        p.drawPath(path.translated(2, 3));
    }
    const QRectF body = path.boundingRect();
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, QColor(0xff, 0xfe, 0xf6));
    fill.setColorAt(1, QColor(0xff, 0xf4, 0xd6));
    p.setBrush(fill);
    p.setPen(QPen(QColor(0x3b, 0x3f, 0xb0), 2));
    p.drawPath(path);

    p.setPen(QColor(0x24, 0x20, 0x48));
    p.setFont(font());
    p.drawText(textRect_, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignVCenter, text_);
}

// --- the service ------------------------------------------------------------------------

AnimatedCharacter::AnimatedCharacter(CharacterOptions options, QObject* parent)
    : CharacterService(parent), options_(std::move(options)) {
    if (!options_.voice) {
        options_.voice = &loadVoiceEngine;
    }
    endTimer_.setSingleShot(true);
    connect(&endTimer_, &QTimer::timeout, this, &AnimatedCharacter::finish);
    thread_.setObjectName(QStringLiteral("character voice"));
    worker_ = new VoiceWorker(options_.sinks, options_.voice);
    worker_->moveToThread(&thread_);
    connect(worker_, &VoiceWorker::said, this, &AnimatedCharacter::onSaid);
    thread_.start();
}

AnimatedCharacter::~AnimatedCharacter() {
    worker_->cancel();
    thread_.quit();
    thread_.wait();
    delete worker_;
}

bool AnimatedCharacter::Load(const QString& id, const QString& file) {
    // A second load replaces the character; whatever it was saying is dropped.
    queue_.clear();
    heldVoice_.reset();
    endTimer_.stop();
    if (speaking_) {
        speaking_ = false;
        emit speakingChanged(false);
    }
    window_.reset();
    balloon_.reset();
    data_.reset();

    const QString folder =
        options_.dataDir.isEmpty() ? dataFolder() + QStringLiteral("/character") : options_.dataDir;
    const QString path = QFileInfo(file).isAbsolute() ? file : folder + QLatin1Char('/') + file;
    loadError_.clear();
    data_ = readCharacter(path, id, &loadError_);
    if (!data_) {
        return false;
    }
    window_ = std::make_unique<CharacterWindow>(&*data_);
    // Queued: the launcher's own first paint, already waiting in the event queue, goes first.
    connect(window_.get(), &CharacterWindow::firstPainted, this,
            &AnimatedCharacter::releaseHeldVoice, Qt::QueuedConnection);
    balloon_ = std::make_unique<SpeechBalloon>();
    const bool shaped = desktopNeedsShapes();
    window_->setShaped(shaped);
    balloon_->setShaped(shaped);
    if (positioned_) {
        window_->move(position_);
    }
    return true;
}

void AnimatedCharacter::Show() {
    if (!window_) {
        return;
    }
    const bool first = !window_->isVisible();
    window_->show();
    raiseWindow(window_.get());
    if (first) {
        if (speaking_) {
            window_->setBase(&data_->speaking);
        } else {
            window_->setBase(&data_->idle, kIdleRounds);
        }
        window_->playOnce(&data_->greeting);
    }
    if (speaking_) {
        balloon_->placeFor(window_->pos());
        balloon_->show();
    }
}

void AnimatedCharacter::MoveTo(int x, int y) {
    position_ = QPoint(x, y);
    positioned_ = true;
    if (!window_) {
        return;
    }
    window_->move(position_);
    if (balloon_->isVisible()) {
        balloon_->placeFor(position_);
    }
}

void AnimatedCharacter::Speak(const QString& text) {
    if (!data_ || text.trimmed().isEmpty()) {
        return;
    }
    queue_.push_back(text);
    while (static_cast<int>(queue_.size()) > std::max(1, options_.maxWaiting)) {
        queue_.pop_front();
    }
    if (!speaking_) {
        startNext();
    }
}

void AnimatedCharacter::Listen(bool on) {
    listening_ = on;
}

QString AnimatedCharacter::balloonText() const {
    return balloon_ && balloon_->isVisible() ? balloon_->text() : QString();
}

int AnimatedCharacter::silentDuration(const QString& text) const {
    const qint64 ms = options_.silentBaseMs + qint64(options_.silentPerCharMs) * text.size();
    return static_cast<int>(std::min<qint64>(ms, options_.silentMaxMs));
}

void AnimatedCharacter::startNext() {
    if (queue_.empty() || !data_) {
        return;
    }
    const QString text = queue_.front();
    queue_.pop_front();
    speaking_ = true;
    const quint64 request = ++request_;
    balloon_->setText(text);
    if (window_->isVisible()) {
        balloon_->placeFor(window_->pos());
        balloon_->show();
        raiseWindow(balloon_.get());
    }
    window_->setBase(&data_->speaking);
    // Before the voice starts, so that a recognizer is deaf to it from the first sample.
    emit speakingChanged(true);
    spokenFor_.start();
    // The greeting comes while the launcher paints its first page: its voice (and the opening of
    // the voice's module) waits until the character is on the screen, so that the pupil sees
    // the window first and the first paint does not share the machine with it.
    if (window_->isVisible() && !window_->painted()) {
        heldVoice_ = text;
        // Should the window never be painted (a display that does not expose it), the voice
        // still comes.
        QTimer::singleShot(kHoldVoiceMs, this, &AnimatedCharacter::releaseHeldVoice);
        return;
    }
    voice(request, text);
}

void AnimatedCharacter::releaseHeldVoice() {
    if (heldVoice_) {
        voice(request_, *std::exchange(heldVoice_, std::nullopt));
    }
}

void AnimatedCharacter::voice(quint64 request, const QString& text) {
    VoiceWorker* worker = worker_;
    QMetaObject::invokeMethod(
        worker_, [worker, request, text] { worker->say(request, text); }, Qt::QueuedConnection);
}

void AnimatedCharacter::onSaid(quint64 request, bool voiced) {
    if (request != request_ || !speaking_) {
        return; // an answer for a text that a reload dropped
    }
    const qint64 left =
        voiced ? options_.lingerMs : silentDuration(balloon_->text()) - spokenFor_.elapsed();
    endTimer_.start(static_cast<int>(std::max<qint64>(0, left)));
}

void AnimatedCharacter::finish() {
    if (!speaking_) {
        return;
    }
    balloon_->hide();
    window_->setBase(&data_->idle, kIdleRounds);
    speaking_ = false;
    emit speakingChanged(false);
    startNext();
}

} // namespace qv::character

namespace qv {

std::unique_ptr<CharacterService> createCharacterService() {
    return std::make_unique<character::AnimatedCharacter>();
}

} // namespace qv
