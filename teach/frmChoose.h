// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chooser of a new button's item for teachers who cannot drag one: the desktop's installed
// applications, sorted and filtered as they type, or any file through "Other file...".
#include "platform/applist/applist.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;

class frmChoose : public QDialog {
    Q_OBJECT
public:
    // apps may be null: the list is then empty and only "Other file..." chooses.
    explicit frmChoose(qv::AppList* apps, QWidget* parent = nullptr);

    // The path chosen: a desktop entry of the list or the file picked; empty when cancelled.
    QString chosen() const { return chosen_; }

    // The installed applications sorted by name as the user's locale sorts.
    static std::vector<qv::InstalledApp> sortedApps(std::vector<qv::InstalledApp> apps);

    // Asks for a file; empty when none was picked. A file dialog unless a test sets another.
    std::function<QString(QWidget* parent)> pickFile;

    QLineEdit* txtSearch = nullptr;
    QListWidget* lstApps = nullptr;
    QPushButton* cmdChoose = nullptr;
    QPushButton* cmdOther = nullptr;
    QPushButton* cmdCancel = nullptr;

public slots:
    // Shows only the applications whose name holds the text (letter case ignored).
    void txtSearch_Change(const QString& text);
    void cmdChoose_Click();
    void cmdOther_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<qv::InstalledApp> apps_;
    QString chosen_;
};
