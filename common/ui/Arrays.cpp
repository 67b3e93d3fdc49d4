// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ui/Arrays.h"

#include "common/GetFileName.h"
#include "common/ReadShortcut.h"
#include "common/ShrtcutPath.h"
#include "common/linuxitems.h"
#include "common/ui/ExtIcon.h"
#include "common/ui/cmdapplau.h"
#include "common/ui/imgicon.h"
#include "platform/icons/fileicon.h"

#include <QDir>
#include <QFontMetrics>
#include <QIcon>
#include <QWidget>

namespace qv {

QString bottomRowLeft;

namespace {

// Spacing in twips: between two buttons of a row, and between the rows.
constexpr int kColumnGap = 120;
constexpr int kRowGap = 300;

// The Windows files whose icons the two special items show.
const QString kComputerIconFile = QStringLiteral("C:\\WINDOWS\\explorer.exe");
const QString kDocumentsIconFile = QStringLiteral("C:\\WINDOWS\\SYSTEM32\\mydocs.dll");

bool isStandardItem(const LaunchWindow& w, const QString& item, const QString& name) {
    // The windows expand the stored name with '/' (a trailing '/' on the folder does not
    // matter); a path written with '\' on Windows is recognised too.
    return QDir::cleanPath(item) == QDir::cleanPath(standardItemPath(w.programFolder, name)) ||
           item == w.programFolder + QStringLiteral("\\standard\\") + name;
}

// Draws the face icon of the item onto the window's icon surface.
void drawFaceIcon(LaunchWindow& w, const MenuItem& face, std::int16_t n) {
    IconSurface& imgicon = *w.imgicon;
    const bool shortcut = face.kind == MenuItemKind::Shortcut;
    if (shortcut && isStandardItem(w, face.path, QStringLiteral("My Computer.lnk"))) {
        DrawFileIcon(imgicon, kComputerIconFile);
        return;
    }
    if (shortcut && isStandardItem(w, face.path, QStringLiteral("My Documents.lnk"))) {
        DrawFileIcon(imgicon, kDocumentsIconFile);
        return;
    }
    // The launcher lays the shortcut's own icon over its target's; the result of reading it is
    // not needed: an unreadable shortcut leaves iconFile empty, which draws nothing.
    const bool overlay = shortcut && w.overlayShortcutIcons && n != 1;
    QString target, workingDirectory, arguments, iconFile;
    std::int32_t iconIndex = 0, showCommand = 0;
    if (overlay) {
        ReadShortcut(face.path, target, workingDirectory, arguments, iconFile, iconIndex,
                     showCommand);
    }
    // A desktop program's face is a stand-in drawn for a file without icons, not its file's
    // own: a shortcut's own icon takes its place rather than lying over it.
    const QImage ownIcon = overlay ? firstFileIcon(TrimAtNul(iconFile)) : QImage();
    if (ownIcon.isNull() || !isLinuxItem(menuItemKind(target))) {
        drawItemIcon(imgicon, face, *w.messages);
    }
    if (overlay) {
        drawIconOver(imgicon, ownIcon);
    }
}

void setFace(QToolButton* button, const MenuItem& face) {
    const QString& name = face.caption;
    button->setText(buttonCaption(name, button->font(), button->width()));
    button->setToolTip(name);
    button->setAccessibleName(name);
}

void setPicture(QToolButton* button, const IconSurface& imgicon) {
    const QPixmap picture = imgicon.picture();
    button->setIcon(picture.isNull() ? QIcon() : QIcon(picture));
    if (!picture.isNull()) {
        button->setIconSize(picture.size());
    }
}

} // namespace

void drawItemIcon(IconSurface& imgicon, const MenuItem& item, MessageBoxService& messages) {
    switch (item.kind) {
    case MenuItemKind::Shortcut: {
        // A shortcut without a target draws nothing, but the surface still gets its (empty)
        // picture, so that its button is laid out as one with an icon. A target that is a
        // desktop entry or a bare executable carries no icon in its file: it shows the face
        // it has as an item of its own.
        const QString target = ResolveShortcutTarget(item.path, messages);
        if (!drawLinuxItemIcon(imgicon, target, menuItemKind(target))) {
            DrawFileIcon(imgicon, target);
        }
        break;
    }
    case MenuItemKind::Program:
        DrawFileIcon(imgicon, item.path);
        break;
    case MenuItemKind::DesktopEntry:
    case MenuItemKind::Executable:
        drawLinuxItemIcon(imgicon, item.path, item.kind);
        break;
    case MenuItemKind::Other:
        break; // no icon
    }
}

QString buttonCaption(const QString& name, const QFont& font, int buttonWidth) {
    // The button's frame on either side of the text.
    constexpr int kTextMargin = 3;
    const QString shown =
        QFontMetrics(font).elidedText(name, Qt::ElideRight, buttonWidth - 2 * kTextMargin);
    // '&' would mark a mnemonic and vanish; the name is shown as it is written.
    QString escaped = shown;
    escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return escaped;
}

QString standardItemPath(const QString& programFolder, const QString& name) {
    return programFolder + QStringLiteral("/standard/") + name;
}

void BuildLaunchButton(LaunchWindow& w, const QString& item, std::int16_t n, bool firstFive) {
    LaunchButtonArray& cmdapplau = *w.cmdapplau;
    w.window->show();
    const MenuItem face = menuItem(item);

    if (firstFive && n == 1) {
        QToolButton* button = cmdapplau.Load(1);
        if (!button) {
            return;
        }
        setFace(button, face);
        button->show();
        drawFaceIcon(w, face, n);
        setPicture(button, *w.imgicon);
        // The tab strip covers the whole button area; the buttons lie above it.
        button->raise();
        bottomRowLeft.clear();
        return;
    }

    QToolButton* button = cmdapplau.Load(n);
    if (!button) {
        return;
    }
    const QRect previous = cmdapplau.geometryTwips(n - 1);
    QRect g = cmdapplau.geometryTwips(n);
    if (firstFive) {
        g = QRect(previous.x() + previous.width() + kColumnGap, previous.y(), previous.width(),
                  previous.height());
        cmdapplau.setGeometryTwips(n, g);
        setFace(button, face);
        button->show();
    } else {
        button->raise();
        const QRect tmpl = cmdapplau.geometryTwips(0);
        g.moveTop(tmpl.y() + tmpl.height() + kRowGap);
        g.setWidth(previous.width());
        g.setHeight(previous.height());
        // The first second-row button keeps the template's Left and stands under button 1.
        if (!bottomRowLeft.isEmpty()) {
            g.moveLeft(previous.x() + previous.width() + kColumnGap);
        }
        cmdapplau.setGeometryTwips(n, g);
        button->show();
        bottomRowLeft = QString::number(g.x());
        setFace(button, face);
    }
    drawFaceIcon(w, face, n);
    setPicture(button, *w.imgicon);
    button->raise();
}

} // namespace qv
