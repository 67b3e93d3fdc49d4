// SPDX-License-Identifier: GPL-3.0-or-later
// The launch-button builder (Arrays) and the button array it fills (cmdapplau).
#include "common/ui/Arrays.h"
#include "common/ui/cmdapplau.h"
#include "common/ui/imgicon.h"
#include "common/ui/twips.h"
#include "platform/desktopentry/desktopentry.h"
#include "platform/dialogs/messagebox.h"
#include "platform/icons/fileicon.h"
#include "tests/support/testutil.h"
#include "tools/iconwriter.h"
#include "tools/lnkwriter.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace {

// A main window as both programs have it: a button array with its template and an icon surface.
struct Window {
    // Messages go to messages, or to the window's own when none is given.
    explicit Window(const QRect& templateTwips, bool launcher = false,
                    qv::MessageBoxService* messages = nullptr) {
        widget = std::make_unique<QWidget>();
        widget->resize(622, 439);
        cmdapplau = new qv::LaunchButtonArray(widget.get(), templateTwips);
        imgicon = new qv::IconSurface(widget.get());
        imgicon->setGeometry(qv::twipsRect(10680, 4800, 615, 615));
        w.window = widget.get();
        w.cmdapplau = cmdapplau;
        w.imgicon = imgicon;
        w.programFolder = dir.path();
        w.overlayShortcutIcons = launcher;
        w.messages = messages ? messages : &ownMessages;
    }
    // What LoadButton does around each build: clear the surface, build the next element.
    void build(const QStringList& items) {
        for (int k = 0; k < items.size(); ++k) {
            imgicon->clearPicture();
            qv::BuildLaunchButton(w, items[k], std::int16_t(k + 1), k + 1 <= 5);
        }
    }
    void unloadAll() {
        for (int k = cmdapplau->count() - 1; k >= 1; --k)
            cmdapplau->Unload(k);
    }
    QStringList texts() const {
        QStringList out;
        for (int k = 1; k < cmdapplau->count(); ++k)
            out << cmdapplau->element(k)->text();
        return out;
    }
    QImage face(int k) const {
        const QToolButton* b = cmdapplau->element(k);
        return b->icon().pixmap(b->iconSize()).toImage().convertToFormat(QImage::Format_ARGB32);
    }

    QTemporaryDir dir;
    std::unique_ptr<QWidget> widget;
    qv::LaunchButtonArray* cmdapplau = nullptr;
    qv::IconSurface* imgicon = nullptr;
    qv::FakeMessageBox ownMessages;
    qv::LaunchWindow w;
};

const QRect kFrmdropTemplate(1080, 3360, 1335, 1095);
const QRect kFrmstudentTemplate(1080, 1440, 1335, 1095);

QStringList plainItems(int n) {
    QStringList items;
    for (int k = 1; k <= n; ++k)
        items << QString("C:\\Tools\\Tool %1.com").arg(k);
    return items;
}

// Slot s stands at the Left of column (s - 1) % 5, first row at the template's Top; every count
// of a page, in both windows.
TEST(Builder, PlacesEveryButtonOfThePage) {
    static const int lefts[5] = {1080, 2535, 3990, 5445, 6900};
    for (const auto& [tmpl, secondRowTop] :
         {std::pair(kFrmdropTemplate, 4755), std::pair(kFrmstudentTemplate, 2835)}) {
        for (int count = 1; count <= 10; ++count) {
            SCOPED_TRACE(std::to_string(tmpl.y()) + ", count " + std::to_string(count));
            Window win(tmpl);
            win.build(plainItems(count));
            ASSERT_EQ(win.cmdapplau->count(), count + 1);
            for (int s = 1; s <= count; ++s) {
                const QRect expected(lefts[(s - 1) % 5], s <= 5 ? tmpl.y() : secondRowTop, 1335,
                                     1095);
                const QToolButton* b = win.cmdapplau->element(s);
                ASSERT_NE(b, nullptr);
                EXPECT_EQ(b->geometry(), qv::twipsRect(expected.x(), expected.y(), 1335, 1095));
                EXPECT_TRUE(b->isVisible()) << "slot " << s;
                EXPECT_EQ(b->text(), QString("Tool %1").arg(s));
            }
            EXPECT_FALSE(win.cmdapplau->element(0)->isVisible());
            EXPECT_TRUE(win.widget->isVisible());
            // Only second-row buttons set bottomRowLeft; it then holds the last one's Left.
            EXPECT_EQ(qv::bottomRowLeft,
                      count <= 5 ? QString() : QString::number(lefts[count - 6]));
        }
    }
}

// Empty and short items still get a button; one out of order gets none.
TEST(Builder, EmptyAndShortItemsStillGetAButtonBrokenOrderNone) {
    Window win(kFrmdropTemplate);
    qv::BuildLaunchButton(win.w, "C:\\a\\Paint.com", 3, true);
    EXPECT_EQ(win.cmdapplau->count(), 1);
    win.build({QString(), "ab", "C:\\x\\.exe"});
    qv::BuildLaunchButton(win.w, "C:\\a\\Paint.com", 3, true);
    EXPECT_EQ(win.texts(), QStringList({"", "ab", ".exe"}));
    EXPECT_TRUE(win.cmdapplau->element(1)->isVisible());
    EXPECT_TRUE(win.cmdapplau->element(1)->icon().isNull());
}

const QColor kRed(220, 20, 30), kGreen(20, 200, 40), kBlue(30, 40, 210), kYellow(230, 220, 10);

// True when the face's top-left 32 x 32 pixels are the icon (to rounding).
bool showsIcon(const QImage& face, const QImage& icon) {
    const QImage expected = icon.convertToFormat(QImage::Format_ARGB32);
    bool anyOpaque = false;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QColor a = face.pixelColor(x, y), b = expected.pixelColor(x, y);
            if (std::abs(a.alpha() - b.alpha()) > 2 ||
                (b.alpha() > 64 &&
                 (std::abs(a.red() - b.red()) > 3 || std::abs(a.green() - b.green()) > 3 ||
                  std::abs(a.blue() - b.blue()) > 3)))
                return false;
            anyOpaque = anyOpaque || b.alpha() > 0;
        }
    }
    return anyOpaque;
}

bool blank(const QImage& face) {
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            if (face.pixelColor(x, y).alpha() != 0)
                return false;
    return true;
}

class BuilderFaces : public ::testing::Test {
protected:
    QString file(const QString& name) const { return QDir(folder.path()).filePath(name); }
    // A program whose icon is the test picture (transparent top-left quarter) in the colour, or
    // fully opaque.
    QString program(const QString& name, QColor colour, bool opaque = false) const {
        QImage picture = qvtest::testPicture(32, colour);
        if (opaque)
            picture.fill(colour);
        qvtest::PeLayout pe;
        pe.groups = {{{picture, false, 32}}};
        EXPECT_TRUE(qvtest::writeFile(file(name), qvtest::writePe(pe)));
        return file(name);
    }
    // The whole target in the base path, as most shortcuts hold it.
    QString shortcut(const QString& name, const QString& target, const QString& icon = {}) const {
        qvtest::LnkFields s;
        s.localBasePath = target;
        s.iconLocation = icon;
        EXPECT_TRUE(qvtest::writeLnkFile(file(name), s));
        return file(name);
    }
    QTemporaryDir folder;
    qv::FakeMessageBox box;
};

TEST_F(BuilderFaces, ProgramsAndShortcutsShowTheirIcons) {
    const QString paint = program("paint.exe", kRed);
    // The same bytes under names whose kind is not exactly "exe" or "lnk".
    Window win(kFrmdropTemplate, false, &box);
    win.build({paint, shortcut("Paint.lnk", paint), program("paint.EXE", kRed),
               program("paint.com", kRed), shortcut("Paint.LNK", paint)});
    for (int k : {1, 2}) {
        const QImage face = win.face(k);
        ASSERT_EQ(face.size(), QSize(41, 41)) << k;
        EXPECT_EQ(face.pixelColor(24, 24).rgb(), kRed.rgb()) << k;
        EXPECT_EQ(face.pixelColor(4, 4).alpha(), 0) << k;
    }
    for (int k : {3, 4, 5})
        EXPECT_TRUE(win.cmdapplau->element(k)->icon().isNull()) << k;
    EXPECT_EQ(win.texts(), QStringList({"paint", "Paint", "paint", "paint", "Paint"}));
    EXPECT_TRUE(box.messages.empty());
}

TEST_F(BuilderFaces, ShortcutWithoutTargetTellsTheUserAndHasNoIcon) {
    qvtest::LnkFields virtualFolder;
    virtualFolder.virtualFolderOnly = true;
    const QString lnk = file("Control Panel.lnk");
    ASSERT_TRUE(qvtest::writeLnkFile(lnk, virtualFolder));
    for (bool launcher : {false, true}) {
        box.messages.clear();
        Window win(kFrmstudentTemplate, launcher, &box);
        win.build({lnk, lnk});
        ASSERT_EQ(win.cmdapplau->count(), 3);
        for (int k : {1, 2}) {
            EXPECT_TRUE(blank(win.face(k))) << k;
        }
        EXPECT_EQ(win.texts(), QStringList({"Control Panel", "Control Panel"}));
        ASSERT_EQ(box.messages.size(), 2u);
    }
}

TEST_F(BuilderFaces, SpecialItemsShowTheSystemIcons) {
    for (bool launcher : {false, true}) {
        Window win(kFrmstudentTemplate, launcher, &box);
        const QString folder = win.w.programFolder;
        // Neither file needs to exist: the two items always show the fixed system icons.
        win.build({qv::standardItemPath(folder, "My Computer.lnk"),
                   qv::standardItemPath(folder, "My Documents.lnk"),
                   folder + "\\standard\\My Computer.lnk", folder + "/standard/my computer.lnk"});
        // The full name (the caption may be elided in this window's default font).
        EXPECT_EQ(win.cmdapplau->element(1)->toolTip(), "My Computer");
        EXPECT_EQ(win.cmdapplau->element(2)->toolTip(), "My Documents");
        const QImage computer = qv::firstFileIcon("C:\\WINDOWS\\explorer.exe");
        const QImage documents = qv::firstFileIcon(R"(C:\WINDOWS\SYSTEM32\mydocs.dll)");
        ASSERT_FALSE(computer.isNull());
        ASSERT_FALSE(documents.isNull());
        EXPECT_TRUE(showsIcon(win.face(1), computer));
        EXPECT_TRUE(showsIcon(win.face(2), documents));
        EXPECT_TRUE(showsIcon(win.face(3), computer));
        // Other capitals name an ordinary (here missing) shortcut: no icon and a message.
        EXPECT_TRUE(blank(win.face(4)));
    }
    EXPECT_EQ(box.messages.size(), 2u);
}

TEST_F(BuilderFaces, LauncherLaysTheShortcutsIconOverItsTarget) {
    const QString target = program("target.exe", kRed, true);
    const QString lnk = shortcut("Game.lnk", target, program("own.exe", kBlue));
    const QString noIcon = shortcut("Plain.lnk", target);
    const QString badIcon = shortcut("Bad.lnk", target, file("none.ico"));

    Window launcher(kFrmstudentTemplate, true, &box);
    launcher.build({lnk, lnk, noIcon, badIcon, lnk, lnk});
    // The first button of a page shows the target's icon alone.
    EXPECT_EQ(launcher.face(1).pixelColor(24, 24).rgb(), kRed.rgb());
    EXPECT_EQ(launcher.face(1).pixelColor(4, 4).rgb(), kRed.rgb());
    // The others: the shortcut's own icon over the target's, which shows through its
    // transparent quarter.
    for (int k : {2, 5, 6}) {
        EXPECT_EQ(launcher.face(k).pixelColor(24, 24).rgb(), kBlue.rgb()) << k;
        EXPECT_EQ(launcher.face(k).pixelColor(4, 4).rgb(), kRed.rgb()) << k;
    }
    // No icon file, or one without icons: the target's icon stays.
    for (int k : {3, 4})
        EXPECT_EQ(launcher.face(k).pixelColor(24, 24).rgb(), kRed.rgb()) << k;

    // The editor never overlays.
    Window editor(kFrmdropTemplate, false, &box);
    editor.build({lnk, lnk});
    EXPECT_EQ(editor.face(2).pixelColor(24, 24).rgb(), kRed.rgb());
    EXPECT_TRUE(box.messages.empty());
}

// A shortcut to a desktop entry or a bare executable shows that item's face, in both windows:
// such files hold no icon of their own. Where the launcher lays the shortcut's own icon on top,
// that icon takes the face's place instead.
TEST_F(BuilderFaces, ShortcutsToLinuxItemsShowTheTargetsFace) {
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(kGreen);
    ASSERT_TRUE(picture.save(file("pic.png")));
    QFile entry(file("Draw.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.write("[Desktop Entry]\nType=Application\nName=Draw\nExec=draw\nIcon=" +
                file("pic.png").toUtf8() + "\n");
    entry.close();
    QFile tool(file("tool"));
    ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
    tool.write("#!/bin/sh\n");
    tool.close();
    ASSERT_TRUE(tool.setPermissions(tool.permissions() | QFileDevice::ExeOwner));
    const QString toEntry = shortcut("Draw.lnk", file("Draw.desktop"));
    const QString toTool = shortcut("Tool.lnk", file("tool"));
    for (bool launcher : {false, true}) {
        Window win(kFrmstudentTemplate, launcher, &box);
        win.build({toEntry, toTool});
        EXPECT_EQ(win.face(1).pixelColor(20, 20).rgb(), kGreen.rgb()) << launcher;
        EXPECT_TRUE(showsIcon(win.face(2), qv::genericExecutableIcon())) << launcher;
    }
    const QString own = shortcut("Own.lnk", file("Draw.desktop"), program("own.exe", kBlue));
    Window launcher(kFrmstudentTemplate, true, &box);
    launcher.build({own, own});
    EXPECT_EQ(launcher.face(1).pixelColor(4, 4).rgb(), kGreen.rgb());
    EXPECT_EQ(launcher.face(2).pixelColor(24, 24).rgb(), kBlue.rgb());
    EXPECT_EQ(launcher.face(2).pixelColor(4, 4).alpha(), 0);
    EXPECT_TRUE(box.messages.empty());
}

// A press reports its element and button; the page may be rebuilt inside it, as a page change
// does.
TEST(LaunchButtonArray, MouseDownReportsElementAndButtonAndMayUnloadIt) {
    Window win(kFrmstudentTemplate);
    win.build(plainItems(3));
    QSignalSpy spy(win.cmdapplau, &qv::LaunchButtonArray::MouseDown);
    QObject::connect(win.cmdapplau, &qv::LaunchButtonArray::MouseDown, [&](int index, auto...) {
        win.unloadAll();
        win.build(plainItems(index));
    });
    QTest::mousePress(win.cmdapplau->element(2), Qt::RightButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].toInt(), 2);
    EXPECT_EQ(spy[0][1].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(win.cmdapplau->count(), 3);
}

TEST(LaunchButtonArray, LoadAndUnloadKeepTheTemplate) {
    QWidget parent;
    qv::LaunchButtonArray a(&parent, kFrmdropTemplate);
    EXPECT_EQ(a.Load(2), nullptr);
    QToolButton* one = a.Load(1);
    ASSERT_NE(one, nullptr);
    EXPECT_FALSE(one->isVisible());
    EXPECT_EQ(one->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(a.Load(1), nullptr);
    a.Unload(0);
    EXPECT_NE(a.element(0), nullptr);
    a.Unload(1);
    EXPECT_EQ(a.element(1), nullptr);
}

} // namespace
