#include "core/hosts.h"
#include "core/install_folder.h"
#include "core/scripted_desktop_services.h"
#include "support/ui/frm_about.h"

#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

TEST(About, ShowsTheProgramItsFolderAndLinksAndStartsTheSystemInformation)
{
    ScriptedDesktopServices ds;
    frmAbout about(ds, 5);
    auto text = [&about](const char16_t* name) {
        return about.findChild<QLabel*>(QString::fromUtf16(name))->text();
    };
    EXPECT_EQ(about.windowTitle(), u"About Listwright 2.3.2");
    EXPECT_EQ(text(u"lblTitle"), u"Listwright 2.3.2");
    EXPECT_EQ(text(u"lblRevision"), u"Revision: 5");
    EXPECT_EQ(text(u"lblDirectory"), u"Program Directory: "_s + installFolder());
    for (const char16_t* link : {u"Label2", u"Label3"})
        Q_EMIT about.findChild<QLabel*>(QString::fromUtf16(link))->linkActivated(text(link));
    const Hosts& hosts = Hosts::current();
    EXPECT_EQ(ds.shellOpened(), QStringList({hosts.makerSite(), u"mailto:"_s + hosts.supportEmail}));

    // The first information program on PATH is started; with none the seller is told.
    const QTemporaryDir bin;
    QFile tool(bin.filePath(u"hardinfo"_s));
    ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
    tool.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    for (const QString& folders : {QString(), bin.path()}) {
        qputenv("PATH", folders.toUtf8());
        QTest::mouseClick(about.findChild<QPushButton*>(u"cmdSysInfo"_s), Qt::LeftButton);
    }
    qputenv("PATH", path);
    EXPECT_EQ(ds.messageTitles(), QStringList{u"Listwright"_s});
    EXPECT_EQ(ds.messages().value(0).text, u"System Information Is Unavailable At This Time");
    EXPECT_EQ(ds.programsStarted(), QStringList{tool.fileName()});
}
