// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ui/Arrays.h"
#include "common/ui/ExtIcon.h"
#include "common/ui/cmdapplau.h"
#include "common/ui/imgicon.h"
#include "common/ui/tabstrip.h"
#include "common/ui/twips.h"
#include "platform/dialogs/messagebox.h"
#include "platform/icons/fileicon.h"
#include "tools/iconwriter.h"
#include "tools/lnkwriter.h"
#include "tests/support/testutil.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
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

// The tab strip against Qt's own tab widget: the same calls give the same tabs, current tab
// and change signals; beyond one group only the group of the current tab is in the bar.
// One call as the windows make it: 'a'dd a tab of the text, 'r'emove tab i (the page taken, the
// tab removed, then the page deleted, as the editor does), 's'elect tab i, 'n'ame tab i.
struct Step {
    char op;
    int i;
    const char* text = "";
};

template <class Tabs> void apply(Tabs& w, const Step& s) {
    switch (s.op) {
    case 'a':
        w.addTab(new QWidget, s.text);
        break;
    case 'r': {
        QWidget* page = w.widget(s.i);
        w.removeTab(s.i);
        delete page;
        break;
    }
    case 's':
        w.setCurrentIndex(s.i);
        break;
    default:
        w.setTabText(s.i, s.text);
    }
}

TEST(TabStrip, BehavesAsQtsTabWidgetForTheCallsTheWindowsMake) {
    QTabWidget qt;
    qv::TabStrip ours;
    QSignalSpy qtChanges(&qt, &QTabWidget::currentChanged);
    QSignalSpy ourChanges(&ours, &qv::TabStrip::currentChanged);
    const Step steps[] = {{'a', 0, "A"}, {'a', 0, "B"}, {'a', 0, "C"}, {'s', 2},     {'r', 2},
                          {'s', 0},      {'r', 0},      {'a', 0, "D"}, {'s', 1},     {'r', 0},
                          {'r', 0},      {'a', 0, "E"}, {'s', 5},      {'n', 0, "F"}};
    for (const Step& step : steps) {
        apply(qt, step);
        apply(ours, step);
        SCOPED_TRACE(std::string(1, step.op) + std::to_string(step.i));
        ASSERT_EQ(ours.count(), qt.count());
        EXPECT_EQ(ours.currentIndex(), qt.currentIndex());
        for (int i = 0; i < qt.count(); ++i) {
            EXPECT_EQ(ours.tabText(i), qt.tabText(i));
        }
        EXPECT_EQ(ourChanges, qtChanges);
    }
}

TEST(TabStrip, ThousandsOfTabsShowTheGroupOfTheCurrentOne) {
    qv::TabStrip strip;
    QStringList captions;
    for (int n = 1; n <= 32767; ++n) {
        captions << QStringLiteral("Tab %1").arg(n);
    }
    QSignalSpy changes(&strip, &qv::TabStrip::currentChanged);
    strip.setTabs(captions);
    auto* bar = strip.findChild<QTabBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(strip.count(), 32767);
    EXPECT_EQ(bar->count(), qv::TabStrip::kGroupSize);
    EXPECT_EQ(changes.count(), 1);
    strip.setCurrentIndex(32766);
    EXPECT_EQ(strip.firstShown(), 32767 / qv::TabStrip::kGroupSize * qv::TabStrip::kGroupSize);
    EXPECT_EQ(bar->tabText(bar->currentIndex()), "Tab 32767");
    // A click on a tab of the bar selects that tab of the strip.
    bar->setCurrentIndex(0);
    EXPECT_EQ(strip.currentIndex(), strip.firstShown());
    EXPECT_EQ(changes.count(), 3);
}

// --- the icon reader and DrawFileIcon --------------------------------------------------------
using qvtest::IconEntryLayout;
using qvtest::PeLayout;

// The test picture's colour where it is opaque (bottom-right), and the transparent corner.
void expectPicture(const QImage& icon, QColor color, const std::string& what) {
    ASSERT_FALSE(icon.isNull()) << what;
    ASSERT_EQ(icon.size(), QSize(32, 32)) << what;
    const QColor opaque = icon.pixelColor(24, 24);
    EXPECT_EQ(opaque.alpha(), 255) << what;
    EXPECT_NEAR(opaque.red(), color.red(), 8) << what;
    EXPECT_NEAR(opaque.green(), color.green(), 8) << what;
    EXPECT_NEAR(opaque.blue(), color.blue(), 8) << what;
    EXPECT_EQ(icon.pixelColor(4, 4).alpha(), 0) << what;
}

IconEntryLayout entry(int size, QColor color, bool png = false, int bits = 32) {
    return {qvtest::testPicture(size, color), png, bits};
}

// A w x h picture of the colour, transparent in its top-left quarter.
IconEntryLayout oblong(int w, int h, QColor color) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(color);
    for (int y = 0; y < h / 2; ++y)
        for (int x = 0; x < w / 2; ++x)
            img.setPixelColor(x, y, Qt::transparent);
    return {img, false, 24};
}

QByteArray peBytes(const std::vector<std::vector<IconEntryLayout>>& groups, bool pe64 = false) {
    PeLayout pe;
    pe.groups = groups;
    pe.pe64 = pe64;
    return qvtest::writePe(pe);
}

QImage pe(const std::vector<std::vector<IconEntryLayout>>& groups, bool pe64 = false) {
    return qv::firstIconFromBytes(peBytes(groups, pe64));
}

TEST(IconReader, EveryEntryFormatAndBothPeKinds) {
    expectPicture(pe({{entry(32, kGreen)}}, true), kGreen, "PE32+");
    expectPicture(pe({{entry(32, kBlue, true)}}), kBlue, "png");
    expectPicture(pe({{entry(32, kRed)}, {entry(32, kBlue)}}), kRed, "first group is icon 0");
    // Two colours fit any depth: black and white.
    for (int bits : {1, 4, 8, 24, 32}) {
        const QColor c = bits == 1 ? QColor(Qt::white) : kRed;
        expectPicture(pe({{entry(32, c, false, bits)}}), c, std::to_string(bits) + " bits");
    }
}

TEST(IconReader, PicksTheBestEntryForThirtyTwo) {
    const std::tuple<const char*, std::vector<IconEntryLayout>, QColor> table[] = {
        {"exact among others",
         {entry(16, kRed), entry(32, kGreen), entry(48, kBlue), entry(256, kYellow, true)},
         kGreen},
        {"more colours win", {entry(32, kRed, false, 8), entry(32, kGreen, false, 32)}, kGreen},
        {"larger scaled down", {entry(16, kRed), entry(64, kBlue), entry(48, kGreen)}, kGreen},
        {"only smaller", {entry(16, kRed), entry(24, kBlue)}, kBlue},
        {"png 256 only", {entry(256, kYellow, true)}, kYellow},
        {"32 wide is not 32 square", {oblong(32, 16, kRed), entry(48, kGreen)}, kGreen},
        {"a stored height of 0 is 256", {entry(24, kBlue), oblong(16, 256, kRed)}, kRed},
    };
    for (const auto& [name, entries, expected] : table) {
        expectPicture(pe({entries}), expected, name);
        expectPicture(qv::firstIconFromBytes(qvtest::writeIco(entries)), expected, name);
    }
}

TEST(IconReader, NoIconsGiveNothing) {
    PeLayout noResources;
    noResources.noResources = true;
    for (const QByteArray& bytes :
         {qvtest::writePe(noResources), qvtest::writePe(PeLayout{}), QByteArray(), QByteArray("MZ"),
          QByteArray("#!/bin/sh\necho hello\n"), QByteArray(4096, '\0')}) {
        EXPECT_TRUE(qv::firstIconFromBytes(bytes).isNull()) << bytes.left(20).toStdString();
    }
}

// What any cut file still gives is a proper icon (the icon fuzzer holds every input to that,
// from seeds of this kind). The resources lie at the end of the file: cutting into the chosen
// entry loses it, even when the bytes beyond the cut are still there to be (wrongly) read.
TEST(IconReader, ACutIntoTheChosenEntryLosesIt) {
    const QByteArray bytes =
        peBytes({{entry(16, kRed), entry(32, kGreen, true), entry(48, kBlue)}});
    EXPECT_TRUE(qv::firstIconFromBytes(QByteArrayView(bytes.constData(), 0x200)).isNull());
}

TEST(IconReader, TruncatedEntryFallsBackOrGivesNothing) {
    const QByteArray ico = qvtest::writeIco({entry(32, kGreen)});
    EXPECT_TRUE(qv::firstIconFromBytes(QByteArrayView(ico.constData(), ico.size() - 200)).isNull());
    // A bad best entry falls back to the next one.
    QByteArray two = qvtest::writeIco({entry(32, kGreen), entry(16, kRed)});
    two[6 + 12 + 2] = char(0xFF); // the 32 x 32 entry's offset points past the end
    two[6 + 12 + 3] = char(0xFF);
    const QImage icon = qv::firstIconFromBytes(two);
    ASSERT_FALSE(icon.isNull());
    EXPECT_NEAR(icon.pixelColor(24, 24).red(), kRed.red(), 8);
}

QByteArray u32(std::uint32_t v) {
    return {reinterpret_cast<const char*>(&v), 4}; // the test machines are little-endian
}

QByteArray png(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(kGreen);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return buffer.data();
}

TEST(IconReader, DibDecoderRefusesHostileHeaders) {
    const QByteArray dib = qvtest::writeIconImage(entry(32, kGreen));
    const QByteArray dib1 = qvtest::writeIconImage(entry(32, Qt::white, false, 1));
    ASSERT_FALSE(qv::fileicon_detail::decodeIconImage(dib).isNull());
    ASSERT_FALSE(qv::fileicon_detail::decodeIconImage(dib1).isNull());
    // The bytes at an offset of a picture; the 1-bit one gets bytes appended, so that a wrongly
    // longer palette still finds pixels.
    const std::tuple<const char*, int, QByteArray, bool> table[] = {
        {"header size", 0, u32(0x7FFFFFFF), false},
        {"header below 40 bytes", 0, u32(12), false},
        {"width 65536", 4, u32(0x10000), false},
        {"negative height", 8, u32(0x80000000), false},
        {"zero width", 4, u32(0), false},
        {"7 bits a pixel", 14, QByteArray("\x07\x00", 2), false},
        {"run-length compression", 16, u32(1), false},
        {"more colours than the depth holds", 32, u32(3), true},
    };
    for (const auto& [what, offset, bytes, oneBit] : table) {
        QByteArray bad = oneBit ? dib1 + QByteArray(4, '\0') : dib;
        bad.replace(offset, bytes.size(), bytes);
        EXPECT_TRUE(qv::fileicon_detail::decodeIconImage(bad).isNull()) << what;
    }
    // PNG pictures: up to 1024 a side, whatever their header claims.
    EXPECT_FALSE(qv::fileicon_detail::decodeIconImage(png(1024, 1)).isNull());
    EXPECT_TRUE(qv::fileicon_detail::decodeIconImage(png(1025, 1)).isNull());
    EXPECT_TRUE(qv::fileicon_detail::decodeIconImage(png(1, 1025)).isNull());
    QByteArray huge = qvtest::writeIconImage(entry(32, kGreen, true));
    huge.replace(16, 4, QByteArray("\x00\x10\x00\x00", 4));
    EXPECT_TRUE(qv::fileicon_detail::decodeIconImage(huge).isNull());
}

// Mask bits run from the high bit of each byte: only column 0 is transparent here.
TEST(IconReader, MaskBitsAreReadLeftToRight) {
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(kBlue);
    for (int y = 0; y < 32; ++y)
        img.setPixelColor(0, y, Qt::transparent);
    const QImage icon =
        qv::fileicon_detail::decodeIconImage(qvtest::writeIconImage({img, false, 24}));
    ASSERT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(icon.pixelColor(0, 9).alpha(), 0);
    EXPECT_EQ(icon.pixelColor(7, 9).alpha(), 255);
}

TEST(IconReader, RealMingwProgram) {
    // Made by windres and the MinGW linker from tests/data/icons/quorvel-test.ico (see README).
    const QString exe = QDir(qvtest::dataDir()).filePath("icons/quorvel-test.exe");
    const QImage icon = qv::firstFileIcon(exe);
    ASSERT_FALSE(icon.isNull()) << exe.toStdString();
    EXPECT_EQ(icon.size(), QSize(32, 32));
    // The 32 x 32 entry of that icon: an orange disc on transparency, a dark dot in its middle.
    EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0);
    const QColor ring = icon.pixelColor(16, 5);
    EXPECT_EQ(ring.alpha(), 255);
    EXPECT_GT(ring.red(), 200);
    EXPECT_LT(ring.blue(), 80);
    EXPECT_LT(icon.pixelColor(16, 16).red(), 80);
}

TEST(IconReader, FilesOnDisk) {
    QTemporaryDir dir;
    for (const QString& path :
         {QString(), dir.filePath("missing.exe"), dir.path(), QString("C:\\Windows\\explorer.exe"),
          QString("C:\\WINDOWS\\notepad.exe")}) {
        EXPECT_TRUE(qv::firstFileIcon(path).isNull()) << path.toStdString();
    }
    const QString ico = dir.filePath("pic.ico");
    ASSERT_TRUE(qvtest::writeFile(ico, qvtest::writeIco({entry(32, kBlue)})));
    expectPicture(qv::firstFileIcon(ico), kBlue, "ico file");
}

TEST(DrawFileIcon, DrawsAtTheTopLeftOverWhatIsThere) {
    QTemporaryDir dir;
    qv::IconSurface surface;
    const auto picture = [&] {
        return surface.picture().toImage().convertToFormat(QImage::Format_ARGB32);
    };
    QImage full(32, 32, QImage::Format_ARGB32);
    full.fill(kRed);
    const QString solid = dir.filePath("solid.exe");
    ASSERT_TRUE(qvtest::writeFile(solid, peBytes({{{full, false, 32}}})));
    // B is transparent in its top-left quarter, opaque elsewhere.
    const QString b = dir.filePath("b.exe");
    ASSERT_TRUE(qvtest::writeFile(b, peBytes({{entry(32, kBlue)}})));
    EXPECT_TRUE(surface.picture().isNull());
    qv::DrawFileIcon(surface, b + QChar(u'\0') + "   "); // the path ends at a NUL
    QImage p = picture();
    EXPECT_EQ(p.pixelColor(24, 24).rgb(), kBlue.rgb());
    EXPECT_EQ(p.pixelColor(36, 36).alpha(), 0); // outside the 32 x 32 icon
    surface.clearPicture();
    qv::DrawFileIcon(surface, solid);
    qv::DrawFileIcon(surface, b);
    p = picture();
    EXPECT_EQ(p.pixelColor(24, 24).rgb(), kBlue.rgb()); // B over A
    EXPECT_EQ(p.pixelColor(4, 4).rgb(), kRed.rgb());    // A through B's transparency
}

} // namespace
