#include "common/ui/Arrays.h"
#include "common/ui/cmdapplau.h"
#include "common/ui/imgicon.h"
#include "common/ui/twips.h"
#include "platform/messagebox.h"
#include "tests/fixtures/iconwriter.h"
#include "tests/fixtures/lnkwriter.h"

#include <QDir>
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
    explicit Window(const QRect& templateTwips, bool launcher = false) {
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
    QImage face(int k) const {
        const QToolButton* b = cmdapplau->element(k);
        return b->icon().pixmap(b->iconSize()).toImage().convertToFormat(QImage::Format_ARGB32);
    }

    QTemporaryDir dir;
    std::unique_ptr<QWidget> widget;
    qv::LaunchButtonArray* cmdapplau = nullptr;
    qv::IconSurface* imgicon = nullptr;
    qv::LaunchWindow w;
};

const QRect kFrmdropTemplate(1080, 3360, 1335, 1095);
const QRect kFrmstudentTemplate(1080, 1440, 1335, 1095);

QStringList plainItems(int n) {
    QStringList items;
    for (int k = 1; k <= n; ++k)
        items << QStringLiteral("C:\\Tools\\Tool %1.com").arg(k);
    return items;
}

struct GeometryCase {
    QRect tmpl;
    int secondRowTop;
    int count;
};

class BuilderGeometry : public ::testing::TestWithParam<GeometryCase> {};

// Slot s stands at the Left of column (s - 1) % 5, first row at the template's Top.
TEST_P(BuilderGeometry, PlacesEveryButtonOfThePage) {
    const GeometryCase& c = GetParam();
    static const int lefts[5] = {1080, 2535, 3990, 5445, 6900};
    Window win(c.tmpl);
    win.build(plainItems(c.count));
    ASSERT_EQ(win.cmdapplau->count(), c.count + 1);
    for (int s = 1; s <= c.count; ++s) {
        const QRect expected(lefts[(s - 1) % 5], s <= 5 ? c.tmpl.y() : c.secondRowTop, 1335, 1095);
        EXPECT_EQ(win.cmdapplau->geometryTwips(s), expected) << "slot " << s;
        const QToolButton* b = win.cmdapplau->element(s);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->geometry(), qv::twipsRect(expected.x(), expected.y(), 1335, 1095));
        EXPECT_TRUE(b->isVisible()) << "slot " << s;
        EXPECT_EQ(b->text(), QStringLiteral("Tool %1").arg(s));
        EXPECT_EQ(b->toolTip(), QStringLiteral("Tool %1").arg(s));
    }
    EXPECT_FALSE(win.cmdapplau->element(0)->isVisible());
    EXPECT_EQ(win.cmdapplau->geometryTwips(0), c.tmpl);
    EXPECT_TRUE(win.widget->isVisible());
    // Only second-row buttons set bottomRowLeft; it then holds the last one's Left.
    EXPECT_EQ(qv::bottomRowLeft, c.count <= 5 ? QString() : QString::number(lefts[c.count - 6]));
}

std::vector<GeometryCase> geometryCases() {
    std::vector<GeometryCase> cases;
    for (int n = 1; n <= 10; ++n) {
        cases.push_back({kFrmdropTemplate, 4755, n});
        cases.push_back({kFrmstudentTemplate, 2835, n});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(BothWindows, BuilderGeometry, ::testing::ValuesIn(geometryCases()));

TEST(Builder, ButtonsLieAboveEarlierSiblings) {
    Window win(kFrmstudentTemplate);
    auto* ceptab = new QWidget(win.widget.get());
    ceptab->setGeometry(0, 0, 622, 439);
    win.build(plainItems(7));
    const QObjectList& children = win.widget->children();
    const auto tabAt = children.indexOf(ceptab);
    for (int s = 1; s <= 7; ++s)
        EXPECT_GT(children.indexOf(win.cmdapplau->element(s)), tabAt) << "slot " << s;
}

TEST(Builder, SevenItemsPutTwoUnderSlotsOneAndTwo) {
    Window win(kFrmdropTemplate);
    win.build(plainItems(7));
    EXPECT_EQ(win.cmdapplau->geometryTwips(6).topLeft(), QPoint(1080, 4755));
    EXPECT_EQ(win.cmdapplau->geometryTwips(7).topLeft(), QPoint(2535, 4755));
}

TEST(Builder, BuildingAPageTwiceGivesTheSameGeometry) {
    Window win(kFrmstudentTemplate);
    win.build(plainItems(10));
    std::vector<QRect> first;
    for (int s = 1; s <= 10; ++s)
        first.push_back(win.cmdapplau->geometryTwips(s));
    win.unloadAll();
    EXPECT_EQ(win.cmdapplau->count(), 1);
    win.build(plainItems(8));
    for (int s = 1; s <= 8; ++s)
        EXPECT_EQ(win.cmdapplau->geometryTwips(s), first[std::size_t(s - 1)]) << "slot " << s;
    win.unloadAll();
    win.build(plainItems(10));
    for (int s = 1; s <= 10; ++s)
        EXPECT_EQ(win.cmdapplau->geometryTwips(s), first[std::size_t(s - 1)]) << "slot " << s;
}

TEST(Builder, BrokenElementOrderCreatesNothing) {
    Window win(kFrmdropTemplate);
    win.imgicon->clearPicture();
    qv::BuildLaunchButton(win.w, QStringLiteral("C:\\a\\Paint.com"), 3, true);
    EXPECT_EQ(win.cmdapplau->count(), 1);
    win.build(plainItems(2));
    qv::BuildLaunchButton(win.w, QStringLiteral("C:\\a\\Paint.com"), 2, true);
    EXPECT_EQ(win.cmdapplau->count(), 3);
}

TEST(Builder, EmptyAndShortItemsStillGetAButton) {
    Window win(kFrmdropTemplate);
    win.build({QString(), QStringLiteral("ab"), QStringLiteral("C:\\x\\.exe")});
    ASSERT_EQ(win.cmdapplau->count(), 4);
    EXPECT_EQ(win.cmdapplau->element(1)->text(), QString());
    EXPECT_TRUE(win.cmdapplau->element(1)->isVisible());
    EXPECT_EQ(win.cmdapplau->element(2)->text(), QStringLiteral("ab"));
    EXPECT_EQ(win.cmdapplau->element(3)->text(), QStringLiteral(".exe"));
    EXPECT_TRUE(win.cmdapplau->element(1)->icon().isNull());
}

TEST(LaunchButtonArray, MouseDownReportsElementAndButton) {
    Window win(kFrmstudentTemplate);
    win.build(plainItems(3));
    QSignalSpy spy(win.cmdapplau, &qv::LaunchButtonArray::MouseDown);
    QTest::mousePress(win.cmdapplau->element(2), Qt::RightButton, Qt::ShiftModifier, QPoint(5, 7));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].toInt(), 2);
    EXPECT_EQ(spy[0][1].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(spy[0][2].value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    EXPECT_EQ(spy[0][3].toInt(), 5);
    EXPECT_EQ(spy[0][4].toInt(), 7);
}

TEST(LaunchButtonArray, UnloadInsideItsOwnPressIsSafe) {
    Window win(kFrmstudentTemplate);
    win.build(plainItems(3));
    QObject::connect(win.cmdapplau, &qv::LaunchButtonArray::MouseDown, [&](int index, auto...) {
        win.unloadAll();
        win.build(plainItems(index));
    });
    QTest::mousePress(win.cmdapplau->element(2), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(win.cmdapplau->count(), 3);
}

TEST(LaunchButtonArray, LoadAndUnloadKeepTheTemplate) {
    QWidget parent;
    qv::LaunchButtonArray a(&parent, kFrmdropTemplate);
    EXPECT_EQ(a.count(), 1);
    EXPECT_EQ(a.Load(0), nullptr);
    EXPECT_EQ(a.Load(2), nullptr);
    QToolButton* one = a.Load(1);
    ASSERT_NE(one, nullptr);
    EXPECT_FALSE(one->isVisible());
    EXPECT_EQ(one->geometry(), a.element(0)->geometry());
    EXPECT_EQ(one->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(a.Load(1), nullptr);
    a.Unload(0);
    EXPECT_NE(a.element(0), nullptr);
    a.Unload(1);
    EXPECT_EQ(a.element(1), nullptr);
    EXPECT_EQ(a.count(), 1);
    EXPECT_NE(a.Load(1), nullptr);
}

} // namespace
