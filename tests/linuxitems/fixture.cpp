#include "tests/linuxitems/fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace qvtest {

XdgWorld::XdgWorld()
    : savedPath_(qgetenv("PATH")), savedHome_(qgetenv("XDG_DATA_HOME")),
      savedDirs_(qgetenv("XDG_DATA_DIRS")), savedLanguage_(qgetenv("LANGUAGE")) {
    for (const QString& d : {home(), data(), data2(), bin()}) {
        QDir().mkpath(d + QStringLiteral("/applications"));
    }
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
    qputenv("PATH", savedPath_);
    qputenv("XDG_DATA_HOME", savedHome_);
    qputenv("XDG_DATA_DIRS", savedDirs_);
    qputenv("LANGUAGE", savedLanguage_);
}

QString XdgWorld::writeEntry(const QString& base, const QString& relative, const QByteArray& text) {
    return writeFile(
        QDir(root()).relativeFilePath(base + QStringLiteral("/applications/") + relative), text);
}

QString XdgWorld::writeFile(const QString& relative, const QByteArray& bytes, bool executable) {
    QString path = root() + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return {};
    }
    f.write(bytes);
    f.close();
    QFile::Permissions perms = QFile::ReadOwner | QFile::WriteOwner;
    if (executable) {
        perms |= QFile::ExeOwner;
    }
    f.setPermissions(perms);
    return path;
}

QString XdgWorld::addRecorder(const QString& name) {
    // Only shell built-ins and absolute paths: PATH holds nothing but the fakes.
    const QString out = root() + QStringLiteral("/records/") + name;
    QDir().mkpath(root() + QStringLiteral("/records"));
    const QByteArray script = "#!/bin/sh\n"
                              "out='" +
                              out.toUtf8() +
                              "'\n"
                              "{ printf '%s\\n' \"$PWD\"; for a in \"$@\"; do printf '%s\\n' "
                              "\"$a\"; done; } > \"$out.tmp\"\n"
                              "/bin/mv \"$out.tmp\" \"$out\"\n";
    return writeFile(QStringLiteral("bin/") + name, script, true);
}

bool XdgWorld::hasRecord(const QString& name) const {
    return QFileInfo::exists(root() + QStringLiteral("/records/") + name);
}

std::optional<Recorded> XdgWorld::waitForRecord(const QString& name, int boundMs) const {
    const QString path = root() + QStringLiteral("/records/") + name;
    if (!QTest::qWaitFor([&] { return QFileInfo::exists(path); }, boundMs)) {
        return std::nullopt;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    if (lines.isEmpty()) {
        return std::nullopt;
    }
    Recorded r;
    r.workingDirectory = lines.takeFirst();
    r.args = lines;
    return r;
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
    QPainter p(&img);
    p.fillRect(size / 4, size / 4, size / 2, size / 2, colour);
    p.end();
    img.save(path);
    return path;
}

} // namespace qvtest
