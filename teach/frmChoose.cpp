// SPDX-License-Identifier: GPL-3.0-or-later
#include "teach/frmChoose.h"

#include "platform/desktopentry/desktopentry.h"

#include <QCollator>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kListIconSize = 32;

QString pickWithDialog(QWidget* parent) {
    return QFileDialog::getOpenFileName(
        parent, QCoreApplication::translate("frmChoose", "Other File"), QString(),
        QCoreApplication::translate("frmChoose",
                                    "All files (*);;Shortcuts (*.lnk);;Programs (*.exe);;Desktop "
                                    "entries (*.desktop)"));
}

} // namespace

std::vector<qv::InstalledApp> frmChoose::sortedApps(std::vector<qv::InstalledApp> apps) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::stable_sort(apps.begin(), apps.end(), [&](const auto& a, const auto& b) {
        return collator.compare(a.name, b.name) < 0;
    });
    return apps;
}

frmChoose::frmChoose(qv::AppList* apps, QWidget* parent)
    : QDialog(parent), pickFile(pickWithDialog) {
    setObjectName(QStringLiteral("frmChoose"));
    setWindowTitle(tr("Add from List"));
    resize(420, 480);

    auto* searchLabel = new QLabel(tr("&Search:"), this);
    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->setAccessibleName(tr("Search"));
    txtSearch->setClearButtonEnabled(true);
    searchLabel->setBuddy(txtSearch);
    txtSearch->installEventFilter(this);

    auto* listLabel = new QLabel(tr("Installed &applications:"), this);
    lstApps = new QListWidget(this);
    lstApps->setObjectName(QStringLiteral("lstApps"));
    lstApps->setAccessibleName(tr("Installed applications"));
    lstApps->setIconSize(QSize(kListIconSize, kListIconSize));
    lstApps->setUniformItemSizes(true);
    listLabel->setBuddy(lstApps);

    cmdChoose = new QPushButton(tr("&Choose"), this);
    cmdChoose->setObjectName(QStringLiteral("cmdChoose"));
    cmdChoose->setDefault(true);
    cmdOther = new QPushButton(tr("&Other file..."), this);
    cmdOther->setObjectName(QStringLiteral("cmdOther"));
    cmdCancel = new QPushButton(tr("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* search = new QHBoxLayout;
    search->addWidget(searchLabel);
    search->addWidget(txtSearch);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdOther);
    buttons->addStretch();
    buttons->addWidget(cmdChoose);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(search);
    layout->addWidget(listLabel);
    layout->addWidget(lstApps);
    layout->addLayout(buttons);

    if (apps != nullptr) {
        apps_ = sortedApps(apps->apps());
    }
    for (const qv::InstalledApp& app : apps_) {
        auto* item = new QListWidgetItem(app.name, lstApps);
        item->setData(kPathRole, app.desktopFile);
        item->setToolTip(app.desktopFile);
        const QImage icon = qv::iconImage(app.icon);
        if (!icon.isNull()) {
            item->setIcon(QPixmap::fromImage(icon));
        }
    }
    lstApps->setCurrentRow(0);

    connect(txtSearch, &QLineEdit::textChanged, this, &frmChoose::txtSearch_Change);
    connect(cmdChoose, &QPushButton::clicked, this, &frmChoose::cmdChoose_Click);
    connect(cmdOther, &QPushButton::clicked, this, &frmChoose::cmdOther_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(lstApps, &QListWidget::itemActivated, this, &frmChoose::cmdChoose_Click);
    connect(lstApps, &QListWidget::currentRowChanged, this,
            [this](int row) { cmdChoose->setEnabled(row >= 0); });
    cmdChoose->setEnabled(lstApps->currentRow() >= 0);
    txtSearch->setFocus();
}

void frmChoose::txtSearch_Change(const QString& text) {
    const QString wanted = text.trimmed();
    int first = -1;
    for (int row = 0; row < lstApps->count(); ++row) {
        QListWidgetItem* item = lstApps->item(row);
        const bool shown = wanted.isEmpty() || item->text().contains(wanted, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && first < 0) {
            first = row;
        }
    }
    // The first match is ready for Return; nothing is chosen when nothing matches.
    lstApps->setCurrentRow(first);
}

void frmChoose::cmdChoose_Click() {
    QListWidgetItem* item = lstApps->currentItem();
    if (item == nullptr || item->isHidden()) {
        return;
    }
    chosen_ = item->data(kPathRole).toString();
    accept();
}

void frmChoose::cmdOther_Click() {
    const QString file = pickFile ? pickFile(this) : QString();
    if (file.isEmpty()) {
        return; // back to the list
    }
    chosen_ = file;
    accept();
}

bool frmChoose::eventFilter(QObject* watched, QEvent* event) {
    // The arrow keys in the search box move through the list, so typing and choosing need no
    // change of focus.
    if (watched == txtSearch && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(lstApps, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
