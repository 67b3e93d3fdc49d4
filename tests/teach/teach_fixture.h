#pragma once
// An editor window on a menu file of the test's own, with fake message boxes and starts.
#include "common/ui/cmdapplau.h"
#include "platform/messagebox.h"
#include "platform/services.h"
#include "platform/shell.h"
#include "teach/frmdrop.h"
#include "tests/support/testutil.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

namespace teachtest {

// The lines of a menu file, each ended by CR LF.
inline QByteArray iniBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8() + "\r\n";
    }
    return bytes;
}

// The item stored as button b of tab t in the generated menus.
inline QString item(int t, int b) {
    return QStringLiteral("/apps/T%1B%2.exe").arg(t).arg(b);
}
inline QString caption(int t, int b) {
    return QStringLiteral("T%1B%2").arg(t).arg(b);
}

// A menu whose tab t (from 1) is captioned captions[t-1] and holds counts[t-1] buttons;
// a count of -1 gives the tab no section at all.
inline QStringList menuLines(const QStringList& captions, const std::vector<int>& counts) {
    QStringList lines{QStringLiteral("[Settings]"),
                      QStringLiteral("Number of tabs=%1").arg(captions.size())};
    for (int t = 1; t <= captions.size(); ++t) {
        lines << QStringLiteral("Tab%1=%2").arg(t).arg(captions[t - 1]);
    }
    for (int t = 1; t <= int(counts.size()); ++t) {
        if (counts[t - 1] < 0) {
            continue;
        }
        lines << QStringLiteral("[Tab %1]").arg(t)
              << QStringLiteral("Number of Buttons=%1").arg(counts[t - 1]);
        for (int b = 1; b <= counts[t - 1]; ++b) {
            lines << QStringLiteral("Button %1=%2").arg(b).arg(item(t, b));
        }
    }
    return lines;
}

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString iniPath() const { return QDir(dir.path()).filePath(QStringLiteral("qv.ini")); }

    void writeMenu(const QStringList& lines) {
        ASSERT_TRUE(qvtest::writeAll(iniPath(), iniBytes(lines)));
    }

    // The file's lines without their CR LF ends.
    QStringList fileLines() const {
        QString text = QString::fromUtf8(qvtest::readAll(iniPath()));
        if (text.endsWith(QLatin1String("\r\n"))) {
            text.chop(2);
        }
        return text.isEmpty() ? QStringList{} : text.split(QStringLiteral("\r\n"));
    }

    // Creates the window on the file as it is now and runs its load.
    frmdrop& open() {
        qv::Services services;
        services.shell = &shell;
        w = std::make_unique<frmdrop>(services, dir.path());
        w->Form_Load();
        return *w;
    }

    // The captions of the buttons on the page shown, in element order.
    QStringList page() const {
        QStringList out;
        for (int k = 1; k <= w->loadedButtons; ++k) {
            QToolButton* b = w->cmdapplau->element(k);
            out << (b ? b->text() : QStringLiteral("<missing>"));
        }
        return out;
    }

    static QStringList captions(int t, int from, int to) {
        QStringList out;
        for (int b = from; b <= to; ++b) {
            out << caption(t, b);
        }
        return out;
    }

    // Drops data on the drop area as the platform does: drag enter, then the drop.
    bool drop(QMimeData* data) {
        const QPoint at(10, 10);
        QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w->Image1, &enter);
        QDropEvent ev(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w->Image1, &ev);
        const bool accepted = enter.isAccepted() && ev.isAccepted();
        delete data;
        return accepted;
    }
    bool dropFiles(const QStringList& paths) {
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const QString& p : paths) {
            urls << QUrl::fromLocalFile(p);
        }
        data->setUrls(urls);
        return drop(data);
    }

    // Drops one program and adds it; the path is shown in a message before it is placed.
    void addProgram(const QString& path) {
        dropFiles({path});
        ASSERT_TRUE(w->cmdaddbutt->isEnabled()) << path.toStdString();
        w->cmdaddbutt->click();
    }

    QTemporaryDir dir;
    qv::ScopedFakeMessageBox box;
    qv::FakeShell shell;
    std::unique_ptr<frmdrop> w;
};

} // namespace teachtest
