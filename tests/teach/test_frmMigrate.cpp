// The migration window: its texts, and OK closing and unloading it.
#include "teach/frmMigrate.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(frmMigrate, ShowsItsTexts) {
    frmMigrate f;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Migrating..."));
    EXPECT_EQ(f.Label1->text(), QStringLiteral("Migrating Kelbrin Local Applications..."));
    EXPECT_EQ(f.cmdOK->text(), QStringLiteral("&OK"));
    EXPECT_TRUE(f.txtStatus->toPlainText().isEmpty());
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
