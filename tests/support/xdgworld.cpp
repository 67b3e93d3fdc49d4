// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/xdgworld.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace qvtest {

XdgWorld::XdgWorld() {
    for (const char* name : {"PATH", "XDG_DATA_HOME", "XDG_DATA_DIRS", "LANGUAGE"}) {
        savedEnvironment_.emplace_back(name, qgetenv(name));
    }
    for (const QString& d : {home(), data(), data2(), bin()}) {
        QDir().mkpath(d + QStringLiteral("/applications"));
    }
    QDir().mkpath(root() + QStringLiteral("/records"));
    writeFile(QStringLiteral("data/icons/hicolor/index.theme"),
              "[Icon Theme]\nName=Hicolor\nDirectories=32x32/apps\n\n"
              "[32x32/apps]\nSize=32\nContext=Applications\nType=Threshold\n");
    qputenv("PATH", bin().toUtf8());
    qputenv("XDG_DATA_HOME", home().toUtf8());
    qputenv("XDG_DATA_DIRS", (data() + QLatin1Char(':') + data2()).toUtf8());
    qputenv("LANGUAGE", "en");
    // The xcb platform reads the icon folders from XDG_DATA_DIRS; the offscreen one used by the
    // tests has none, so they are set as a desktop session would.
    QIcon::setThemeSearchPaths({data() + QStringLiteral("/icons")});
    QIcon::setThemeName(QStringLiteral("hicolor"));
}

XdgWorld::~XdgWorld() {
    for (const auto& [name, value] : savedEnvironment_) {
        qputenv(name, value);
    }
}

QString XdgWorld::writeEntry(const QString& relative, const QByteArray& body, const QString& base) {
    const QString folder = QDir(root()).relativeFilePath(base.isEmpty() ? data() : base);
    return writeFile(folder + QStringLiteral("/applications/") + relative,
                     "[Desktop Entry]\n" + body);
}

QString XdgWorld::writeFile(const QString& relative, const QByteArray& bytes, bool executable) {
    QString path = root() + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).path());
    if (!writeAll(path, bytes)) {
        return {};
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner |
                                    (executable ? QFile::ExeOwner : QFile::Permissions()));
    return path;
}

QString XdgWorld::addRecorder(const QString& name) {
    // Only shell built-ins and absolute paths: PATH holds nothing but the fakes.
    const QByteArray script = "#!/bin/sh\nout='" + root().toUtf8() + "/records/" + name.toUtf8() +
                              "'\n{ printf '%s\\n' \"$PWD\"; for a in \"$@\"; do printf '%s\\n' "
                              "\"$a\"; done; } > \"$out.tmp\"\n/bin/mv \"$out.tmp\" \"$out\"\n";
    return writeFile(QStringLiteral("bin/") + name, script, true);
}

bool XdgWorld::hasRecord(const QString& name) const {
    return QFileInfo::exists(root() + QStringLiteral("/records/") + name);
}

QStringList XdgWorld::waitForRecord(const QString& name) const {
    if (!QTest::qWaitFor([&] { return hasRecord(name); }, 10000)) {
        return {};
    }
    // One line each, every one ended.
    QStringList lines =
        QString::fromUtf8(readAll(root() + QStringLiteral("/records/") + name)).split('\n');
    lines.removeLast();
    return lines;
}

void XdgWorld::addThemeIcon(const QString& name, const QColor& colour) {
    writePicture(QStringLiteral("data/icons/hicolor/32x32/apps/") + name + QStringLiteral(".png"),
                 32, colour);
}

QString XdgWorld::writePicture(const QString& relative, int size, const QColor& colour) {
    QString path = root() + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).path());
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter(&img).fillRect(size / 4, size / 4, size / 2, size / 2, colour);
    img.save(path);
    return path;
}

} // namespace qvtest
