#include "support/ui/qt_desktop_services.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A command of a sub-window that shows two dialogs in a row: both belong to the sub-window.
TEST(SupportDesktopServices, DialogsBelongToTheWindowThatAskedAlsoBetweenTwoOfThem)
{
    QWidget owner;
    QWidget sub(&owner, Qt::Dialog);
    lw::QtDesktopServices ds(&owner);
    owner.show();
    sub.show();
    sub.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &sub; }));
    EXPECT_EQ(ds.dialogParent(), &sub);
    QApplication::setActiveWindow(nullptr);
    EXPECT_EQ(ds.dialogParent(), &sub);
    sub.hide();
    EXPECT_EQ(ds.dialogParent(), &owner);
}

// The desktop's opener starts and then finds no browser: the seller is told what it said.
TEST(SupportDesktopServices, AnOpenerThatFindsNoBrowserIsReportedWithWhatItSaid)
{
    QTemporaryDir dir;
    const QString page = dir.filePath(u"AdPreview.html"_s);
    QFile(page).open(QIODevice::WriteOnly);
    const std::pair<QByteArray, QString> cases[] = {
        {"echo 'trying w3m' >&2; echo \"xdg-open: no method available for opening '$1'\" >&2; exit 3",
         u"said:\ntrying w3m\nxdg-open: no method available for opening '"_s + page + u"'"_s},
        {"exit 4", u"(opener.sh) ended with status 4."_s},
        {"echo 'Gtk-Message: noise' >&2; exit 0", QString()},
    };
    for (const auto& [script, said] : cases) {
        QFile opener(dir.filePath(u"opener.sh"_s));
        ASSERT_TRUE(opener.open(QIODevice::WriteOnly) && opener.write("#!/bin/sh\n" + script + '\n') > 0);
        opener.close();
        opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        lw::QtDesktopServices ds;
        ds.setOpener(opener.fileName());
        QString shown;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&shown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->windowTitle() + u'|' + box->text();
                box->accept();
            }
        });
        answer.start(20);
        EXPECT_TRUE(ds.shellOpen(page, dir.path()));
        (void)QTest::qWaitFor([&shown] { return !shown.isEmpty(); }, said.isEmpty() ? 700 : 5000);
        if (said.isEmpty())
            EXPECT_TRUE(shown.isEmpty()) << shown.toStdString();
        else
            EXPECT_TRUE(shown.startsWith(u"Unable To Open Page|Listwright could not open "_s + page) &&
                        shown.contains(said))
                << shown.toStdString();
    }
}

} // namespace
