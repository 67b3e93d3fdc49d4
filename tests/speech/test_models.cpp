// SPDX-License-Identifier: GPL-3.0-or-later
// The installed models, listed from their folders, and their files checked whole before the
// recognizer library reads them.
#include "platform/recognizer/modelcheck.h"
#include "platform/recognizer/models.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using namespace qv;

namespace {

void touch(const QString& path, const QByteArray& bytes = "x") {
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_TRUE(qvtest::writeAll(path, bytes)) << qPrintable(path);
}

} // namespace

TEST(SpeechModels, EveryAcousticModelWithEveryDictionaryInAFixedOrder) {
    QTemporaryDir root;
    // No mdef, no acoustic model; no dictionary (fr), no recognizer.
    for (const char* file : {"en-us/en-us/mdef", "en-us/adapted/mdef", "en-us/notamodel/readme",
                             "en-us/cmudict-en-us.dict", "en-us/school.dict", "en-us/en-us.lm.bin",
                             "de/de/mdef", "de/de.dict", "fr/fr/mdef"}) {
        touch(root.filePath(file));
    }
    const std::vector<SpeechModel> models = findSpeechModels(root.path());
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
}

// Each file the decoder reads, cut short or damaged where the library trusts it, is refused
// before the library sees it; the installed model as it is passes.
TEST(SpeechModels, EveryModelFileIsCheckedWholeBeforeTheLibraryReadsIt) {
    const QDir installed(QStringLiteral("/usr/share/pocketsphinx/model/en-us"));
    if (!installed.exists("en-us/mdef")) {
        GTEST_SKIP() << "pocketsphinx-en-us is not installed";
    }
    QTemporaryDir root;
    const QString am = root.filePath("en-us/en-us/");
    const QString dict = root.filePath("en-us/cmudict-en-us.dict");
    for (const QString& name : QDir(installed.filePath("en-us")).entryList(QDir::Files)) {
        touch(am + name, qvtest::readAll(installed.filePath("en-us/" + name)));
    }
    touch(dict, qvtest::readAll(installed.filePath("cmudict-en-us.dict")));
    const SpeechModel model{"en-us", root.filePath("en-us/en-us"), dict, {}};
    QString problem;
    ASSERT_TRUE(checkModelFiles(model, &problem)) << qPrintable(problem);

    // Where each file's counts lie: damage there is what the library would follow.
    const auto afterEndhdr = [](const QByteArray& b) { return b.indexOf("endhdr\n") + 7; };
    const struct {
        QString path;
        std::function<qsizetype(const QByteArray&)> counts;
    } files[] = {
        {am + "mdef",
         [](const QByteArray& b) {
             quint32 header = 0;
             std::memcpy(&header, b.constData() + 8, 4);
             return (qsizetype(header) + 15) & ~qsizetype(3);
         }},
        {am + "means", afterEndhdr},
        {am + "variances", afterEndhdr},
        {am + "sendump", [](const QByteArray&) { return qsizetype(0); }},
        {am + "transition_matrices", afterEndhdr},
        {am + "feat.params", [](const QByteArray& b) { return b.indexOf("-svspec") + 9; }},
        {am + "noisedict", [](const QByteArray& b) { return b.size() / 2; }},
        {dict, [](const QByteArray& b) { return b.size() / 2; }},
    };
    for (const auto& file : files) {
        const QByteArray good = qvtest::readAll(file.path);
        QByteArray garbled = good;
        const qsizetype at = file.counts(good);
        garbled.replace(at, 24, QByteArray(24, '\xf7'));
        // A text file cut after a whole line or phone is still whole: the dictionary is cut
        // inside a phone.
        const bool text = file.path.endsWith("dict") || file.path.endsWith("params");
        const qsizetype phone = good.indexOf(" AH", good.size() / 2);
        const qsizetype cut = text && phone > 0 ? phone + 2 : good.size() / 2;
        for (const QByteArray& bad : {good.left(cut), text ? garbled : good.chopped(1), garbled}) {
            touch(file.path, bad);
            EXPECT_FALSE(checkModelFiles(model, &problem))
                << qPrintable(file.path) << " of " << bad.size() << " bytes";
            EXPECT_TRUE(problem.startsWith(file.path)) << qPrintable(problem);
        }
        touch(file.path, good);
    }
    // The weights uncompressed, and cut short.
    QFile::remove(am + "sendump");
    EXPECT_FALSE(checkModelFiles(model, &problem));
    EXPECT_TRUE(problem.contains("mixture_weights")) << qPrintable(problem);
}
