// The migration window: OK closes and unloads it.
#include "teach/frmMigrate.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

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
