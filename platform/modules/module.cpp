// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/modules/module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace qv {

QStringList moduleFolders() {
    QStringList folders;
    const QString fromEnvironment = qEnvironmentVariable("QV_MODULE_DIR");
    if (!fromEnvironment.isEmpty()) {
        folders << fromEnvironment;
    }
    const QString program = QCoreApplication::applicationDirPath();
    if (!program.isEmpty()) {
        folders << program
                << QDir::cleanPath(program + QLatin1Char('/') +
                                   QStringLiteral(QV_MODULE_DIR_FROM_BIN));
    }
    return folders;
}

QFunctionPointer moduleEntry(const QString& name, const char* symbol, QString* error) {
    const QString file = name + QStringLiteral(".so");
    const QStringList folders = moduleFolders();
    for (const QString& folder : folders) {
        const QFileInfo path(QDir(folder).filePath(file));
        if (!path.isFile()) {
            continue;
        }
        // The library stays loaded: QLibrary's destructor does not unload it.
        QLibrary library(path.absoluteFilePath());
        if (!library.load()) {
            if (error) {
                *error = library.errorString();
            }
            return nullptr;
        }
        const QFunctionPointer entry = library.resolve(symbol);
        if (!entry && error) {
            *error = QStringLiteral("%1 has no entry point %2")
                         .arg(path.absoluteFilePath(), QString::fromLatin1(symbol));
        }
        return entry;
    }
    if (error) {
        *error =
            QStringLiteral("%1 was not found in %2").arg(file, folders.join(QStringLiteral(", ")));
    }
    return nullptr;
}

} // namespace qv
