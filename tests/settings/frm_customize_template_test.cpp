#include "adfile/ad_file.h"
#include "adfile/file_commands.h"
#include "core/models/shared_state.h"
#include "core/scripted_desktop_services.h"
#include "core/text_file.h"
#include "settings/template_commands.h"
#include "settings/ui/frm_customize_template.h"
#include "tests/testlib/test_install.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;
using namespace lw::test;

namespace {

class CustomizeWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.show();
        window.Form_Activate();
        ds.clearRecords();
    }

    template <typename W = QWidget> W* find(const QString& name)
    {
        W* w = window.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void click(const QString& name) { QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton); }
    bool shown(const QString& name) { return find(name)->isVisibleTo(&window); }
    QLineEdit* box(int i) { return find<QLineEdit>(u"txtTableTexture_%1"_s.arg(i)); }
    const TableBackgrounds::Entry& table(int i) { return state.tables.entry(i); }

    TestInstall install;
    ScriptedDesktopServices ds;
    SharedState state;
    frmCustomizeTemplate window{state, ds};
};

} // namespace

TEST_F(CustomizeWindow, CarriesTheNamedControls)
{
    EXPECT_EQ(window.windowTitle(), u"Customize Template");
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(find<QLabel>(u"lblTableBackground_%1"_s.arg(i))->text(), u"Table %1 Background:"_s.arg(i));
        EXPECT_EQ(find<QLabel>(u"ShpTableBackground_%1"_s.arg(i))->text(), u"Sample");
        EXPECT_EQ(find<QCheckBox>(u"chkUseTexture_%1"_s.arg(i))->text(), u"Use Texture");
        find<QPushButton>(u"cmdTableBackground_%1"_s.arg(i));
        EXPECT_EQ(find(u"txtTableTexture_%1"_s.arg(i))->parentWidget(), find(u"frmTables"_s));
    }
    for (int i = 0; i <= 4; ++i)
        EXPECT_EQ(find<QToolButton>(u"cmdClipboard_%1"_s.arg(i))->toolTip(), u"Paste From Clipboard");
    EXPECT_EQ(find<QLabel>(u"lblPageBackground"_s)->text(), u"Page Background:");
    EXPECT_EQ(box(0)->parentWidget(), find<QGroupBox>(u"frmBackground"_s));
    EXPECT_TRUE(shown(u"txtTableTexture_0"_s));
    EXPECT_EQ(find<QPushButton>(u"cmdCustomizeOK"_s)->text(), u"&OK");
    EXPECT_EQ(find<QPushButton>(u"cmdCustomizeCancel"_s)->text(), u"&Cancel");
    EXPECT_EQ(find<QPushButton>(u"cmdCustomizeHelp"_s)->text(), u"&Help");
    EXPECT_TRUE(find(u"ShpTableBackground_1"_s)->styleSheet().contains(u"#8FBEF8"_s));

    click(u"cmdCustomizeHelp"_s);
    EXPECT_EQ(ds.shellOpened(), QStringList{install.path() + u"/help/customize-template.html"_s});
}

TEST_F(CustomizeWindow, UseTextureSwapsSwatchForPicture)
{
    box(2)->setText(u"wood.jpg"_s);
    EXPECT_EQ(table(2).textureBox, u"wood.jpg");
    EXPECT_EQ(table(2).texture, u"");
    click(u"chkUseTexture_2"_s);
    EXPECT_TRUE(table(2).useTexture);
    EXPECT_EQ(table(2).texture, u"wood.jpg");
    EXPECT_FALSE(shown(u"ShpTableBackground_2"_s));
    EXPECT_FALSE(shown(u"cmdTableBackground_2"_s));
    EXPECT_TRUE(shown(u"txtTableTexture_2"_s));
    EXPECT_TRUE(shown(u"cmdClipboard_2"_s));

    click(u"chkUseTexture_2"_s);
    EXPECT_FALSE(table(2).useTexture);
    EXPECT_EQ(table(2).texture, u"wood.jpg");
    EXPECT_TRUE(shown(u"ShpTableBackground_2"_s));
    EXPECT_TRUE(shown(u"cmdTableBackground_2"_s));
    EXPECT_FALSE(shown(u"txtTableTexture_2"_s));
    EXPECT_FALSE(shown(u"cmdClipboard_2"_s));

    // Paste fills the box; the table takes it when the switch is set again.
    ds.setClipboardText(u"stone.gif"_s);
    window.cmdClipboard_Click(2);
    EXPECT_EQ(box(2)->text(), u"stone.gif");
    EXPECT_EQ(table(2).texture, u"wood.jpg");
    click(u"chkUseTexture_2"_s);
    EXPECT_EQ(table(2).texture, u"stone.gif");
}

TEST_F(CustomizeWindow, ColourDialogAndCancel)
{
    state.ad.setAdChanged(false);
    click(u"cmdTableBackground_1"_s); // the dialog is cancelled
    EXPECT_TRUE(state.ad.adChanged());
    ASSERT_EQ(ds.records().size(), 1);
    EXPECT_EQ(ds.records()[0].kind, ScriptedDesktopServices::Kind::ColorDialog);
    EXPECT_EQ(ds.records()[0].text, u"16301711");
    EXPECT_EQ(table(1).colorText, u"#8FBEF8");
    EXPECT_EQ(table(1).colorValue, u"16301711");

    ds.queueColor(0x0000FF);
    click(u"cmdTableBackground_1"_s);
    EXPECT_EQ(table(1).colorText, u"#FF0000");
    EXPECT_EQ(table(1).colorValue, u"255");
    EXPECT_TRUE(find(u"ShpTableBackground_1"_s)->styleSheet().contains(u"#FF0000"_s));
    box(3)->setText(u"x.jpg"_s);
    click(u"chkUseTexture_3"_s);
    click(u"cmdCustomizeCancel"_s);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(table(1).colorText, u"#8FBEF8");
    EXPECT_EQ(table(1).colorValue, u"16301711");
    EXPECT_TRUE(find(u"ShpTableBackground_1"_s)->styleSheet().contains(u"#8FBEF8"_s));
    EXPECT_FALSE(table(3).useTexture);
    EXPECT_EQ(box(3)->text(), u"");
    EXPECT_TRUE(shown(u"ShpTableBackground_3"_s));

    // The close box is Cancel, back to the last activation.
    window.show();
    ds.queueColor(0x00FF00);
    click(u"cmdTableBackground_4"_s);
    window.Form_Activate();
    ds.queueColor(0xFF0000);
    click(u"cmdTableBackground_4"_s);
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(table(4).colorText, u"#00FF00");
    EXPECT_EQ(table(4).colorValue, u"65280");
}

TEST_F(CustomizeWindow, OnlyOkTakesThePageBackground)
{
    ds.setClipboardText(u"paper.jpg"_s);
    click(u"cmdClipboard_0"_s);
    EXPECT_EQ(box(0)->text(), u"paper.jpg");
    click(u"cmdCustomizeCancel"_s);
    EXPECT_EQ(table(0).texture, u"");
    EXPECT_EQ(box(0)->text(), u"");

    window.show();
    box(0)->setText(u"paper.jpg"_s);
    EXPECT_EQ(table(0).texture, u"");
    click(u"cmdCustomizeOK"_s);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(table(0).texture, u"paper.jpg");
}

TEST_F(CustomizeWindow, TablesBeyondTheTemplateCountAreNotUsed)
{
    QStringList lines = install.readLines(u"templates/01.dat"_s);
    ASSERT_GE(lines.size(), 34);
    lines[27] = u"2"_s;
    install.writeLines(u"templates/01.dat"_s, lines);
    state.templates.setFolder(catalogueFolder());
    state.templates.setSelectedIndex(0);
    DefaultColors(state, ds);
    EXPECT_TRUE(ds.messages().isEmpty());
    for (int i = 1; i <= 4; ++i) {
        const bool used = i <= 2;
        EXPECT_EQ(find<QLabel>(u"ShpTableBackground_%1"_s.arg(i))->text(),
                  used ? u"Sample"_s : u"Not Used In Template"_s);
        for (const QString& name : {u"ShpTableBackground_%1"_s, u"chkUseTexture_%1"_s, u"cmdClipboard_%1"_s,
                                    u"cmdTableBackground_%1"_s, u"txtTableTexture_%1"_s})
            EXPECT_EQ(find(name.arg(i))->isEnabled(), used) << name.arg(i).toStdString();
    }
}

TEST_F(CustomizeWindow, TextureGoesThroughTheAdFile)
{
    box(2)->setText(u"wood.jpg"_s);
    click(u"chkUseTexture_2"_s);
    const QStringList lines = adFileFromState(state).toLines();
    const AdFileRead back = parseAdFile(lines);
    ASSERT_TRUE(back.data.has_value()) << back.error.toStdString();
    EXPECT_EQ(back.data->useTexture[2], std::optional<bool>(true));
    EXPECT_EQ(back.data->tableTextures[2], u"wood.jpg");
    EXPECT_EQ(back.data->useTexture[1], std::optional<bool>(false));

    // Opened into a fresh editor, the window there shows the switch and the picture.
    const QString path = install.file(u"ad.zad"_s);
    ASSERT_TRUE(writeTextLines(path, lines));
    SharedState other;
    frmCustomizeTemplate otherWindow{other, ds};
    FileCommands files(other, ds, [] {});
    ds.queueOpenFile(path);
    ASSERT_TRUE(files.mnuFileOpen_Click());
    EXPECT_TRUE(otherWindow.findChild<QCheckBox*>(u"chkUseTexture_2"_s)->isChecked());
    EXPECT_EQ(otherWindow.findChild<QLineEdit*>(u"txtTableTexture_2"_s)->text(), u"wood.jpg");
    EXPECT_FALSE(otherWindow.findChild<QWidget*>(u"ShpTableBackground_2"_s)->isVisibleTo(&otherWindow));
    EXPECT_EQ(other.tables.entry(2).texture, u"wood.jpg");
}

TEST_F(CustomizeWindow, BelongsToTheMainWindowAndEscapeIsCancel)
{
    QWidget owner;
    owner.setGeometry(100, 80, 900, 700);
    owner.show();
    frmCustomizeTemplate owned(state, ds, &owner);
    owned.show();
    // The window manager keeps a dialog in front of the window it is transient for.
    EXPECT_EQ(owned.windowHandle()->type(), Qt::Dialog);
    EXPECT_EQ(owned.windowHandle()->transientParent(), owner.windowHandle());
    EXPECT_EQ(owned.frameGeometry().center(), owner.frameGeometry().center());

    owned.move(owned.pos() + QPoint(40, 30));
    const QPoint left = owned.pos();
    auto* box = owned.findChild<QLineEdit*>(u"txtTableTexture_0"_s);
    QTest::keyClicks(box, u"x"_s);
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(owned.isVisible());
    EXPECT_EQ(table(0).textureBox, u"");
    owned.show();
    EXPECT_EQ(owned.pos(), left);
}

TEST_F(CustomizeWindow, SnapshotIsTakenWhenTheSellerComesNotAfterItsOwnDialogs)
{
    ds.queueColor(0x0000FF);
    click(u"cmdTableBackground_1"_s);
    QEvent back(QEvent::WindowActivate); // the colour dialog hands the window back
    QApplication::sendEvent(&window, &back);
    click(u"cmdCustomizeCancel"_s);
    EXPECT_EQ(table(1).colorValue, u"16301711");

    // Coming from another window of the program makes the edits so far part of the snapshot.
    window.show();
    QTest::keyClicks(box(0), u"y"_s);
    QWidget other; // another window of the program, with something to focus
    QLineEdit otherBox(&other);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClicks(box(0), u"z"_s);
    click(u"cmdCustomizeCancel"_s);
    EXPECT_EQ(table(0).textureBox, u"y");
}
