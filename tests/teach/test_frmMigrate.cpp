// The migration window: its layout, and OK closing and unloading it.
#include "common/ui/twips.h"
#include "teach/frmMigrate.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

TEST(frmMigrate, StandsAsLaidOut) {
    frmMigrate f;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Migrating..."));
    EXPECT_EQ(f.size(), QSize(qv::twipsToPixels(4935), qv::twipsToPixels(3975)));
    EXPECT_EQ(f.Label1->text(), QStringLiteral("Migrating Kelbrin Local Applications..."));
    EXPECT_EQ(f.Label1->geometry(), qv::twipsRect(120, 120, 4575, 255));
    EXPECT_EQ(f.txtStatus->geometry(), qv::twipsRect(120, 480, 4695, 2895));
    EXPECT_TRUE(f.txtStatus->toPlainText().isEmpty());
    EXPECT_EQ(f.txtStatus->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(f.txtStatus->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(f.txtStatus->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(f.cmdOK->text(), QStringLiteral("&OK"));
    EXPECT_EQ(f.cmdOK->geometry(), qv::twipsRect(3600, 3480, 1215, 375));
}

TEST(frmMigrate, OkClosesAndUnloadsIt) {
    QPointer<frmMigrate> f = new frmMigrate;
    f->show();
    f->txtStatus->setPlainText(QStringLiteral("line one"));
    f->cmdOK->click();
    EXPECT_TRUE(f.isNull() || !f->isVisible());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f.isNull());

    // A later window starts with an empty status box.
    frmMigrate again;
    EXPECT_TRUE(again.txtStatus->toPlainText().isEmpty());
}
