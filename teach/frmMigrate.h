// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small progress window for moving applications of an older menu over. Nothing opens it yet;
// it is kept ready for a migration step.
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class frmMigrate : public QWidget {
    Q_OBJECT
public:
    explicit frmMigrate(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QPlainTextEdit* txtStatus = nullptr;
    QPushButton* cmdOK = nullptr;

public slots:
    // Closes the window and unloads it: a later one starts with an empty status box.
    void cmdOK_Click();
};
