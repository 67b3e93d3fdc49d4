// SPDX-License-Identifier: GPL-3.0-or-later
// Texts longer than their fixed-size control: cut with an ellipsis, the full text in the
// tooltip, the control where and as large as it was.
#include "common/ui/fittext.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

const QChar kEllipsis(0x2026);

struct Case {
    const char* name;
    QString text;
    bool wrap;
    bool cut;
};

class FitText : public ::testing::TestWithParam<Case> {};

TEST_P(FitText, LabelsAndButtonsKeepTheirGeometry) {
    const Case& c = GetParam();
    QWidget window;
    QLabel label(&window);
    label.setWordWrap(c.wrap);
    QPushButton button(&window);
    const QRect place(10, 20, 80, c.wrap ? 40 : 18);
    label.setGeometry(place);
    button.setGeometry(place);
    label.setToolTip(QStringLiteral("own tip"));
    qv::setFittedText(label, c.text);
    qv::setFittedText(button, c.text);

    for (QWidget* control : {static_cast<QWidget*>(&label), static_cast<QWidget*>(&button)}) {
        SCOPED_TRACE(control->metaObject()->className());
        EXPECT_EQ(control->geometry(), place);
    }
    const QString plain = QString(c.text).remove(u'&');
    if (c.cut) {
        EXPECT_NE(label.text(), c.text);
        EXPECT_TRUE(label.text().endsWith(kEllipsis)) << label.text().toStdString();
        EXPECT_EQ(label.toolTip(), plain);
        EXPECT_EQ(button.toolTip(), plain);
        // What shows is the start of the text and no wider than the room.
        EXPECT_TRUE(c.text.startsWith(label.text().chopped(1).trimmed()));
        EXPECT_LE(label.fontMetrics()
                      .boundingRect(label.contentsRect(), Qt::TextWordWrap, label.text())
                      .height(),
                  label.contentsRect().height());
    } else {
        EXPECT_EQ(label.text(), c.text);
        EXPECT_EQ(button.text(), c.text);
        EXPECT_EQ(label.toolTip(), QStringLiteral("own tip"));
        EXPECT_EQ(button.toolTip(), QString());
    }
    if (!c.cut) {
        return;
    }
    // Given a text that fits again, the control takes back the tooltip it set.
    qv::setFittedText(button, QStringLiteral("&Add"));
    EXPECT_EQ(button.text(), QStringLiteral("&Add"));
    EXPECT_EQ(button.toolTip(), QString());
}

const QString kLong = QStringLiteral("Schaltfläche &hinzufügen und gleich ausprobieren");

INSTANTIATE_TEST_SUITE_P(
    Texts, FitText,
    ::testing::Values(Case{"short", QStringLiteral("Tab:"), false, false},
                      Case{"shortMnemonic", QStringLiteral("&Add"), false, false},
                      Case{"long", kLong, false, true},
                      Case{"shortWrapped", QStringLiteral("Drop here..."), true, false},
                      Case{"longWrapped", kLong + u' ' + kLong, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FitText, KeepsTheMnemonicOfACutText) {
    const QFontMetrics metrics{QFont()};
    const QString cut =
        qv::fitText(metrics, kLong, QSize(metrics.horizontalAdvance(kLong) / 2, 20));
    EXPECT_TRUE(cut.contains(u'&')) << cut.toStdString();
    EXPECT_TRUE(cut.endsWith(kEllipsis));
}

} // namespace
