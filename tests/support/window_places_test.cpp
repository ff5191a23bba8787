#include "support/ui/form_support.h"
#include "support/ui/window_places.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using lw::WindowPlaces;

namespace {

TEST(SupportWindowPlaces, WhatWasWrittenComesBackAndOwnedWindowsShowWhereLeft)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(u"listwright/window-state.ini"_s);
    {
        WindowPlaces places(path);
        QWidget main;
        main.setGeometry(120, 90, 700, 480);
        places.rememberMain(&main);
        places.setPosition(u"frmPreferences"_s, QPoint(40, 30));
        places.setPosition(u"frmImgs"_s, QPoint(9000, 9000)); // a screen since unplugged
        ASSERT_TRUE(places.write());
    }
    WindowPlaces places(path);
    places.read();
    QWidget main;
    places.restoreMain(&main);
    EXPECT_EQ(main.geometry(), QRect(120, 90, 700, 480));
    EXPECT_FALSE(main.windowState() & Qt::WindowMaximized);

    // An owned window shows where the seller left it; one left off every screen shows centred.
    QWidget owner;
    owner.setGeometry(100, 80, 600, 400);
    owner.show();
    for (const QString& name : {u"frmPreferences"_s, u"frmImgs"_s}) {
        QWidget window(&owner, Qt::Dialog);
        window.resize(200, 100);
        lw::OwnedWindowWatcher watcher(&window);
        watcher.setFirstPosition(places.position(name).value());
        EXPECT_FALSE(watcher.lastPosition());
        window.show();
        if (name == u"frmImgs")
            EXPECT_EQ(window.frameGeometry().center(), owner.frameGeometry().center());
        else
            EXPECT_EQ(window.pos(), QPoint(40, 30));
        window.hide();
        EXPECT_EQ(watcher.lastPosition(), window.pos()) << name.toStdString();
    }
}

TEST(SupportWindowPlaces, TheMainWindowKeepsOnlyWhatIsStillOnAScreen)
{
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    const QRect before(1, 1, 300, 200);
    const struct
    {
        const char* file;
        QRect geometry;
        bool maximized;
    } cases[] = {
        {"[frmMain]\r\ngeometry=20,30,400,300\r\nmaximized=false\r\n", {20, 30, 400, 300}, false},
        // Maximised: its normal size comes back too, for when the seller restores it.
        {"[frmMain]\ngeometry=20,30,400,300\nmaximized=true\n", {20, 30, 400, 300}, true},
        // Off every screen: the size stays, the place is the desktop's choice.
        {"[frmMain]\ngeometry=5000,4000,400,300\n", {1, 1, 400, 300}, false},
        {"[frmMain]\ngeometry=-900,10,400,300\n", {1, 1, 400, 300}, false},
        // Larger than the screen it comes back to: no larger than that screen.
        {"[frmMain]\ngeometry=0,0,9000,9000\n", {QPoint(0, 0), screen}, false},
        // Damaged or foreign: nothing changes.
        {"[frmMain]\ngeometry=20,30,x,300\nmaximized=true\n", before, false},
        {"geometry=20,30,400,300\n", before, false},
        {"[frmMain]\ngeometry=20,30,0,300\n", before, false},
        {"", before, false},
    };
    for (const auto& c : cases) {
        const QTemporaryDir dir;
        QFile file(dir.filePath(u"window-state.ini"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.file);
        file.close();
        WindowPlaces places(file.fileName());
        places.read();
        QWidget main;
        main.setGeometry(before);
        places.restoreMain(&main);
        EXPECT_EQ(main.geometry(), c.geometry) << c.file;
        EXPECT_EQ(bool(main.windowState() & Qt::WindowMaximized), c.maximized) << c.file;
    }
}

} // namespace
