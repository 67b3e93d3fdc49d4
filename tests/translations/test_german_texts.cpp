// SPDX-License-Identifier: GPL-3.0-or-later
// A German session (LANG=de_DE.UTF-8, no LANGUAGE): the loader picks the German catalogues and
// both windows show their texts from them.
#include "platform/session/translations.h"
#include "tests/support/testutil.h"
#include "tests/translations/windowtexts.h"

#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

const QString kFolder = qEnvironmentVariable("QV_BIN_DIR") + QStringLiteral("/translations");

// Whether a line of the form (with %1 for the text) shows the text, or its start cut to fit.
bool shows(const QStringList& texts, const QString& form, const QString& text) {
    const QString prefix = form.arg(QString());
    const QChar ellipsis(0x2026);
    for (const QString& line : texts) {
        if (!line.startsWith(prefix)) {
            continue;
        }
        const QString shown = line.mid(prefix.size());
        if (shown == text || (shown.endsWith(ellipsis) &&
                              text.startsWith(shown.chopped(1).trimmed()) && shown.size() > 1)) {
            return true;
        }
    }
    return false;
}

TEST(GermanTexts, BothWindowsShowTheGermanCatalogue) {
    // The German catalogue ships with the programs: a build without it is a fault.
    QTranslator ours;
    ASSERT_TRUE(ours.load(kFolder + QStringLiteral("/quorvel_de.qm")) && !ours.isEmpty());
    ASSERT_EQ(qv::installTranslations(kFolder), QStringLiteral("de"));
    QTranslator qt;
    ASSERT_TRUE(
        qt.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));

    const windowtexts::Windows windows;
    const QStringList texts = windows.texts();
    // A text of each window, of their menus and shared widgets, and one of Qt's own.
    const struct {
        const QTranslator& catalogue;
        const char* context;
        const char* source;
        QString line; // the line of the English session, %1 for the text
    } picks[] = {
        {ours, "frmstudent", "Wizard", QStringLiteral("QMenuBar  item: %1")},
        {ours, "frmstudent", "Hide Oracle", QStringLiteral("QMenu  item: %1")},
        {ours, "frmdrop", "&Add Button", QStringLiteral("QPushButton cmdaddbutt text: %1")},
        {ours, "frmdrop", "Test Button", QStringLiteral("QMenu mnubutton item: %1")},
        {ours, "qv::TabStrip", "Later tabs", QStringLiteral("QToolButton nextTabs tooltip: %1")},
        {qt, "QTabBar", "Scroll Left",
         QStringLiteral("QToolButton ScrollLeftButton accessible: %1")},
    };
    QStringList untranslated;
    for (const auto& pick : picks) {
        const QString german = pick.catalogue.translate(pick.context, pick.source);
        if (german.isEmpty()) {
            untranslated << QString::fromUtf8(pick.source);
            continue;
        }
        SCOPED_TRACE(pick.source);
        EXPECT_NE(german, QString::fromUtf8(pick.source));
        EXPECT_TRUE(shows(texts, pick.line, german)) << texts.join(u'\n').toStdString();
        EXPECT_FALSE(texts.contains(pick.line.arg(QString::fromUtf8(pick.source))));
    }
    if (!untranslated.isEmpty()) {
        GTEST_SKIP() << "no German translation yet of: " << untranslated.join(", ").toStdString();
    }
}

TEST(GermanTexts, AMissingOrDamagedCatalogueLeavesEnglish) {
    QTemporaryDir dir;
    EXPECT_EQ(qv::installTranslations(dir.path()), QString());
    ASSERT_TRUE(qvtest::writeAll(dir.filePath(QStringLiteral("quorvel_de.qm")),
                                 QByteArray("<TS>not a catalogue</TS>")));
    EXPECT_EQ(qv::installTranslations(dir.path()), QString());
}

} // namespace
