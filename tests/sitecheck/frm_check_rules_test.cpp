#include "app/program.h"
#include "app/ui/frm_main.h"
#include "core/models/shared_state.h"
#include "core/scripted_desktop_services.h"
#include "sitecheck/ui/frm_check_rules.h"
#include "tests/testlib/test_install.h"

#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

TEST(SiteCheckWindow, TheMenuOpensTheListWhoseFixesWorkAndGenerateTellsOfRejections)
{
    test::TestInstall install;
    ScriptedDesktopServices ds;
    ds.setTempFolder(install.path() + u"/"_s);
    SharedState state;
    Program program{state, ds};
    frmMain window{program, ds};
    window.Form_Load({});
    window.show();
    auto* item = window.findChild<QAction*>(u"mnuOptionsCheckRules"_s);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->text(), u"Check Ad For Site &Rules");
    const QList<QAction*> options = window.findChild<QMenu*>(u"mnuOptions"_s)->actions();
    EXPECT_EQ(options.indexOf(item), options.indexOf(window.findChild<QAction*>(u"mnuCheckSpelling"_s)) + 1);

    state.ad.setEffect(AdRecord::Effect::NoRightClick, true);
    auto* status = window.findChild<QLabel*>(u"lblCheckStatus"_s);
    ASSERT_TRUE(status);
    program.mnuOptionsGenerate_Click();
    EXPECT_EQ(ds.messageTitles(), QStringList{u"Your Ad Has Been Generated!"_s});
    EXPECT_TRUE(ds.clipboardText().contains(u"<script"_s));
    QTRY_VERIFY(status->text().startsWith(u"eBay would reject 1 part of this ad."_s));

    Q_EMIT status->linkActivated(u"#"_s);
    auto* list = window.findChild<frmCheckRules*>();
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->isVisible());
    auto* findings = list->findChild<QTableWidget*>(u"lstFindings"_s);
    ASSERT_GE(findings->rowCount(), 1);
    EXPECT_EQ(findings->item(0, 1)->text(), u"effect Disable Right-Click");
    auto* fix = list->findChild<QPushButton*>(u"cmdFix_0"_s);
    ASSERT_TRUE(fix);
    fix->click();
    EXPECT_FALSE(state.ad.effect(AdRecord::Effect::NoRightClick));
    EXPECT_TRUE(window.findChild<QAction*>(u"mnuTextDocumentNoRightClick"_s)->isChecked() == false);
    EXPECT_NE(findings->item(0, 1)->text(), u"effect Disable Right-Click");
    EXPECT_TRUE(status->text().isEmpty());

    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
}
