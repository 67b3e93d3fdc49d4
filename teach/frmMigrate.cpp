// SPDX-License-Identifier: GPL-3.0-or-later
#include "teach/frmMigrate.h"

#include "common/ui/twips.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

frmMigrate::frmMigrate(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmMigrate"));
    setWindowTitle(tr("Migrating..."));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(qv::twipsToPixels(4935), qv::twipsToPixels(3975));

    Label1 = new QLabel(tr("Migrating Kelbrin Local Applications..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(qv::twipsRect(120, 120, 4575, 255));

    txtStatus = new QPlainTextEdit(this);
    txtStatus->setObjectName(QStringLiteral("txtStatus"));
    txtStatus->setGeometry(qv::twipsRect(120, 480, 4695, 2895));
    txtStatus->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtStatus->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtStatus->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtStatus->setReadOnly(true);

    cmdOK = new QPushButton(tr("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(qv::twipsRect(3600, 3480, 1215, 375));
    connect(cmdOK, &QPushButton::clicked, this, &frmMigrate::cmdOK_Click);
}

void frmMigrate::cmdOK_Click() {
    close();
}
