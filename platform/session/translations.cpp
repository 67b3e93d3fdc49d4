// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session/translations.h"

#include "platform/session/startup.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qv {

QString translationsFolder() {
    return dataFolder() + QStringLiteral("/translations");
}

QString installTranslations(const QString& folder) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        return {};
    }
    auto* own = new QTranslator(app);
    if (!own->load(QLocale(), QStringLiteral("quorvel"), QStringLiteral("_"), folder) ||
        !QCoreApplication::installTranslator(own)) {
        delete own;
        return {};
    }
    // Qt's texts follow the language our catalogue was found for, so that a window never mixes
    // two languages (a locale we have no catalogue for stays all English).
    QString language = own->language();
    auto* qt = new QTranslator(app);
    if (!qt->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(qt)) {
        delete qt;
    }
    return language;
}

} // namespace qv
