#include "platform/opacity.h"
#include "student/clsAlpha.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

using namespace qv;
using namespace qv::win32;

// --- the real backend on Qt windows --------------------------------------------------------

namespace {

class Counting final : public QLabel {
public:
    using QLabel::QLabel;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* e) override {
        ++paints;
        QLabel::paintEvent(e);
    }
};

struct Window {
    QWidget top;
    Counting* child;
    Window() {
        auto* layout = new QVBoxLayout(&top);
        child = new Counting(QStringLiteral("Quorvel"));
        layout->addWidget(child);
        top.resize(200, 100);
        top.show();
        QApplication::processEvents();
    }
    std::int32_t handle() { return static_cast<std::int32_t>(top.winId()); }
};

} // namespace

// SetTransparency makes the window layered and translucent; clearing it makes it opaque again
// and repaints its children.
TEST(QtOpacity, SetAndClearTransparency) {
    Window w;
    clsAlpha().SetTransparency(w.handle(), true, 128);
    EXPECT_NEAR(w.top.windowOpacity(), 128 / 255.0, 0.002);
    EXPECT_EQ(GetWindowLongA(w.top.winId(), GWL_EXSTYLE) & WS_EX_LAYERED, WS_EX_LAYERED);
    QApplication::processEvents();
    const int before = w.child->paints;
    clsAlpha().ClearTransparency(w.handle());
    EXPECT_DOUBLE_EQ(w.top.windowOpacity(), 1.0);
    EXPECT_EQ(GetWindowLongA(w.top.winId(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    QApplication::processEvents();
    EXPECT_GT(w.child->paints, before);
}

// clsAlpha reads the style back before it changes it: each window keeps its own.
TEST(QtOpacity, StyleIsKeptPerWindow) {
    Window a, b;
    EXPECT_EQ(SetWindowLongA(a.top.winId(), GWL_EXSTYLE, 0x100), 0);
    EXPECT_EQ(SetWindowLongA(b.top.winId(), GWL_EXSTYLE, 0x8), 0);
    EXPECT_EQ(GetWindowLongA(a.top.winId(), GWL_EXSTYLE), 0x100);
    EXPECT_EQ(GetWindowLongA(b.top.winId(), GWL_EXSTYLE), 0x8);
    EXPECT_EQ(SetWindowLongA(a.top.winId(), GWL_EXSTYLE, 0x200), 0x100);
}

TEST(QtOpacity, UnknownWindowIsRefused) {
    const HWND nobody = 0x7ffffff0;
    EXPECT_EQ(GetWindowLongA(nobody, GWL_EXSTYLE), 0);
    EXPECT_EQ(SetWindowLongA(nobody, GWL_EXSTYLE, WS_EX_LAYERED), 0);
    EXPECT_EQ(SetLayeredWindowAttributes(nobody, 0, 128, LWA_ALPHA), 0);
    EXPECT_EQ(RedrawWindow(nobody, nullptr, nullptr, RDW_INVALIDATE), 0);
    EXPECT_EQ(GetWindowLongA(0, GWL_EXSTYLE), 0);
    clsAlpha().SetTransparency(0, true, 128); // nothing to do, and no crash
}
