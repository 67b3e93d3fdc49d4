// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private XDG world for the desktop-entry tests: data folders with applications/ and an icon
// theme, a folder of fake programs that record how they were started, and PATH, XDG_DATA_HOME,
// XDG_DATA_DIRS and LANGUAGE pointing at it for the life of the object.
#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <utility>
#include <vector>

namespace qvtest {

class XdgWorld {
public:
    XdgWorld();
    ~XdgWorld();
    XdgWorld(const XdgWorld&) = delete;
    XdgWorld& operator=(const XdgWorld&) = delete;

    QString root() const { return dir_.path(); }
    QString home() const { return root() + QStringLiteral("/home"); }   // XDG_DATA_HOME
    QString data() const { return root() + QStringLiteral("/data"); }   // first of XDG_DATA_DIRS
    QString data2() const { return root() + QStringLiteral("/data2"); } // second
    QString bin() const { return root() + QStringLiteral("/bin"); }     // all of PATH

    // Writes "[Desktop Entry]" and the body as <base>/applications/<relative>, base being data()
    // unless given, and returns its path.
    QString writeEntry(const QString& relative, const QByteArray& body, const QString& base = {});
    // Writes a file anywhere below the root; executable sets the execute permission.
    QString writeFile(const QString& relative, const QByteArray& bytes, bool executable = false);
    // A fake program in bin/ that writes its working folder and arguments to a record.
    QString addRecorder(const QString& name);
    // Waits (boundedly) for the record of a fake program: its working folder, then its arguments
    // (without the program itself); nothing when it never ran.
    QStringList waitForRecord(const QString& name) const;
    // The arguments of that record, or "(never ran)".
    QStringList argsOf(const QString& name) const {
        const QStringList record = waitForRecord(name);
        return record.isEmpty() ? QStringList{QStringLiteral("(never ran)")} : record.mid(1);
    }
    bool hasRecord(const QString& name) const;
    // A theme icon "name" (a 32 picture as below), in data/icons/hicolor.
    void addThemeIcon(const QString& name, const QColor& colour);
    // A picture file of the given size: one colour with a transparent border of a quarter.
    QString writePicture(const QString& relative, int size, const QColor& colour);

private:
    QTemporaryDir dir_;
    std::vector<std::pair<const char*, QByteArray>> savedEnvironment_;
};

} // namespace qvtest
