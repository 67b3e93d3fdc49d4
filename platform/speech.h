#pragma once
// Speech recognition: the recognizers and audio inputs of the machine, and a recognition context
// that listens with a command grammar and reports what it heard on the user-interface thread.
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace qv {

// An error of the speech service, shown to the user as its number and description.
struct SpeechError {
    int number = 0;
    QString description;
};

class RecognitionContext : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Loads the command grammar from an XML grammar file; its rules start inactive.
    virtual bool loadGrammar(const QString& file, SpeechError* error) = 0;
    // Switches all top-level rules active (listening) or inactive.
    virtual bool setRulesActive(bool active, SpeechError* error) = 0;
    // While suspended (the character is speaking), what is heard is ignored.
    virtual void setSuspended(bool suspended) = 0;

signals:
    // A phrase of the grammar was heard; text as the grammar gives it.
    void Recognition(const QString& text);
    // Speech was heard that the grammar does not hold.
    void FalseRecognition(const QString& text);
};

class SpeechService {
public:
    virtual ~SpeechService() = default;
    // Readable descriptions of the recognizers, in a fixed order; a position in this list picks
    // the recognizer.
    virtual QStringList recognizers() = 0;
    // The audio inputs; the first is the default capture device.
    virtual QStringList audioInputs() = 0;
    // Builds a context for the recognizer at that position, listening on the first audio input.
    virtual std::unique_ptr<RecognitionContext> createContext(int recognizer,
                                                              SpeechError* error) = 0;
};

} // namespace qv
