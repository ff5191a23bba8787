#include "adfile/ad_file.h"
#include "adfile/file_commands.h"
#include "core/models/shared_state.h"
#include "core/scripted_desktop_services.h"
#include "pictures/picture_slots.h"
#include "pictures/thumbnail_size.h"
#include "pictures/ui/frm_imgs.h"
#include "tests/testlib/test_install.h"

#include <QApplication>
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

class PicturesWindow : public ::testing::Test
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
    QString label(const QString& name) { return find<QLabel>(name)->text(); }
    bool pictureShown() { return find(u"imgOr"_s)->isVisibleTo(&window); }
    void customSize(const QString& w, const QString& h)
    {
        ds.queuePromptAnswer(w);
        ds.queuePromptAnswer(h);
        click(u"cmdCustomSize"_s);
    }
    void expectSize(const char* w, const char* h)
    {
        EXPECT_EQ(state.pictures.thumbWidth(), QString::fromLatin1(w));
        EXPECT_EQ(state.pictures.thumbHeight(), QString::fromLatin1(h));
        EXPECT_EQ(label(u"lblX"_s), u"Width: "_s + QString::fromLatin1(w));
        EXPECT_EQ(label(u"lblY"_s), u"Height: "_s + QString::fromLatin1(h));
    }

    TestInstall install;
    ScriptedDesktopServices ds;
    SharedState state;
    frmImgs window{state, ds};
};

} // namespace

TEST_F(PicturesWindow, CarriesTheNamedControls)
{
    EXPECT_EQ(window.windowTitle(), u"Add Images To Your Ad");
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(label(u"lblImg_%1"_s.arg(i)), u"Image %1:"_s.arg(i + 1));
        find<QLineEdit>(u"txtImage_%1"_s.arg(i));
        EXPECT_EQ(find<QToolButton>(u"cmdClipboard_%1"_s.arg(i))->toolTip(), u"Paste From Clipboard");
        EXPECT_EQ(find<QPushButton>(u"cmdBrowse_%1"_s.arg(i))->text(), u"Browse");
        EXPECT_FALSE(find(u"cmdSelectPic_%1"_s.arg(i))->isVisibleTo(&window));
    }
    EXPECT_TRUE(label(u"Label1"_s).startsWith(u"To use the BROWSE button next to each image box"_s));
    EXPECT_EQ(find<QPushButton>(u"cmdCustomSize"_s)->text(), u"Custom &Preview Size");
    EXPECT_EQ(find<QPushButton>(u"cmdChangeOr"_s)->text(), u"&Change Orientation");
    EXPECT_EQ(find<QPushButton>(u"cmdPrefOK"_s)->text(), u"&OK");
    EXPECT_EQ(find<QPushButton>(u"cmdPrefCancel"_s)->text(), u"&Cancel");
    EXPECT_EQ(find<QPushButton>(u"cmdPrefHelp"_s)->text(), u"&Help");
    EXPECT_EQ(find(u"imgOr"_s)->parentWidget(), find(u"Frame1"_s));
    EXPECT_EQ(find(u"imgOr"_s)->geometry(), QRect(225, 26, 24, 18));
    EXPECT_TRUE(pictureShown());
    expectSize("200", "150");

    click(u"cmdPrefHelp"_s);
    EXPECT_EQ(ds.shellOpened(), QStringList{install.path() + u"/help/add-images.html"_s});
}

TEST_F(PicturesWindow, CustomSizeKeepsWithinBounds)
{
    customSize(u"640"_s, u"480"_s);
    expectSize("640", "480");
    EXPECT_FALSE(pictureShown());
    EXPECT_TRUE(ds.messages().isEmpty());
    ASSERT_EQ(ds.records().size(), 2);
    EXPECT_EQ(ds.records()[0].title, u"Custom Image Width");
    EXPECT_EQ(ds.records()[0].text, customWidthMessage(u"200"_s));
    EXPECT_TRUE(ds.records()[0].text.endsWith(u"appear.  The current value is 200."_s));
    EXPECT_EQ(ds.records()[1].title, u"Custom Image Height");
    EXPECT_TRUE(ds.records()[1].text.startsWith(u"Please enter how many pixels TALL"_s));

    const std::pair<const char16_t*, const char16_t*> rejected[] = {
        {u"641", u"480"}, {u"640", u"481"}, {u"0", u"100"}, {u"-5", u"100"}, {u"abc", u"100"}, {u"", u""}};
    for (const auto& [w, h] : rejected) {
        ds.clearRecords();
        customSize(QString::fromUtf16(w), QString::fromUtf16(h));
        expectSize("200", "150");
        EXPECT_TRUE(pictureShown());
        ASSERT_EQ(ds.messages().size(), 1);
        EXPECT_EQ(ds.messages()[0].title, u"Invalid Preview Dimensions");
        EXPECT_EQ(ds.messages()[0].style, MsgStyle::Exclamation);
        EXPECT_TRUE(
            ds.messages()[0].text.endsWith(u"The default values (200 x 150) will now be assigned."_s));
    }
}

TEST_F(PicturesWindow, OrientationTurnsAndCustomSizesAskBeforeReverting)
{
    click(u"cmdChangeOr"_s);
    expectSize("150", "200");
    EXPECT_EQ(find(u"imgOr"_s)->geometry(), QRect(228, 23, 18, 24));
    click(u"cmdChangeOr"_s);
    expectSize("200", "150");
    EXPECT_EQ(find(u"imgOr"_s)->geometry(), QRect(225, 26, 24, 18));
    EXPECT_TRUE(ds.records().isEmpty());

    customSize(u"300"_s, u"200"_s);
    expectSize("300", "200");
    EXPECT_FALSE(pictureShown());
    ds.clearRecords();
    ds.queueMessageAnswer(MsgResult::No);
    click(u"cmdChangeOr"_s);
    expectSize("300", "200");
    ASSERT_EQ(ds.messages().size(), 1);
    EXPECT_EQ(ds.messages()[0].title, u"Default Image Dimensions");
    EXPECT_EQ(ds.messages()[0].text,
              u"Are you sure you wish to revert back to the default image dimensions?");
    EXPECT_EQ(ds.messages()[0].style, MsgStyle::YesNo);
    ds.queueMessageAnswer(MsgResult::Yes);
    click(u"cmdChangeOr"_s);
    expectSize("200", "150");
    EXPECT_TRUE(pictureShown());

    // Only the width decides.
    EXPECT_EQ(orientationFromWidth(u"150"_s), ThumbOrientation::Portrait);
    EXPECT_EQ(orientationFromWidth(u"abc"_s), ThumbOrientation::Custom);
    EXPECT_TRUE(validCustomSize(u"1"_s, u"1"_s));
    EXPECT_FALSE(validCustomSize(u"10"_s, u""_s));
}

TEST_F(PicturesWindow, CancelAndCloseBoxRestoreTheSlotsOfTheLastActivation)
{
    state.pictures.setText(3, u"a.jpg"_s);
    window.Form_Activate();
    state.ad.setAdChanged(false);
    QTest::keyClicks(find<QLineEdit>(u"txtImage_3"_s), u"x"_s);
    EXPECT_EQ(state.pictures.text(3), u"a.jpgx");
    EXPECT_TRUE(state.ad.adChanged());
    customSize(u"300"_s, u"200"_s);
    click(u"cmdPrefCancel"_s);
    EXPECT_EQ(state.pictures.text(3), u"a.jpg");
    EXPECT_EQ(find<QLineEdit>(u"txtImage_3"_s)->text(), u"a.jpg");
    EXPECT_TRUE(state.ad.adChanged());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(state.pictures.thumbWidth(), u"300"); // the size is not undone

    // A new activation makes the edits so far part of what Cancel returns to.
    window.show();
    window.Form_Activate();
    QTest::keyClicks(find<QLineEdit>(u"txtImage_3"_s), u"y"_s);
    window.Form_Activate();
    QTest::keyClicks(find<QLineEdit>(u"txtImage_3"_s), u"z"_s);
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(state.pictures.text(3), u"a.jpgy");

    // OK keeps the texts.
    window.show();
    window.Form_Activate();
    QTest::keyClicks(find<QLineEdit>(u"txtImage_0"_s), u"b"_s);
    click(u"cmdPrefOK"_s);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(state.pictures.text(0), u"b");
}

TEST_F(PicturesWindow, SlotsFollowTheTemplateAndTheFtpSwitch)
{
    EXPECT_FALSE(find(u"cmdBrowse_0"_s)->isEnabled());
    state.prefs.setFlag(Preferences::Field::FtpAccess, true);
    state.pictures.setText(4, u"gone.jpg"_s);
    limitPictureSlots(state, 3);
    EXPECT_TRUE(find(u"cmdBrowse_2"_s)->isEnabled());
    EXPECT_TRUE(find(u"txtImage_2"_s)->isEnabled());
    for (const char16_t* name : {u"lblImg_4", u"txtImage_4", u"cmdClipboard_4", u"cmdBrowse_4"})
        EXPECT_FALSE(find(QString::fromUtf16(name))->isEnabled());
    EXPECT_EQ(find<QLineEdit>(u"txtImage_4"_s)->text(), u"");
    state.prefs.setFlag(Preferences::Field::FtpAccess, false);
    applyBrowseRule(state);
    EXPECT_FALSE(find(u"cmdBrowse_2"_s)->isEnabled());
    EXPECT_TRUE(find(u"cmdClipboard_2"_s)->isEnabled());
}

TEST_F(PicturesWindow, BrowseAndPasteFillASlot)
{
    install.write(u"pic.jpg"_s, "JPEG");
    ds.queueOpenFile(install.file(u"pic.jpg"_s));
    window.cmdBrowse_Click(1);
    EXPECT_EQ(state.pictures.text(1), install.file(u"pic.jpg"_s));
    ASSERT_FALSE(ds.records().isEmpty());
    EXPECT_EQ(ds.records()[0].kind, ScriptedDesktopServices::Kind::OpenDialog);
    EXPECT_EQ(ds.records()[0].title, u"Image Files|*.jpg;*.gif");

    ds.queueOpenFile(install.file(u"missing.jpg"_s));
    window.cmdBrowse_Click(1);
    ASSERT_EQ(ds.messages().size(), 1);
    EXPECT_EQ(ds.messages()[0].title, u"Invalid Filename");
    EXPECT_EQ(ds.messages()[0].text, u"You have entered an invalid filename.");
    EXPECT_EQ(ds.messages()[0].style, MsgStyle::Information);
    EXPECT_EQ(state.pictures.text(1), install.file(u"pic.jpg"_s));
    window.cmdBrowse_Click(1); // cancelled
    EXPECT_EQ(state.pictures.text(1), install.file(u"pic.jpg"_s));

    ds.setClipboardText(u"http://example.com/a.gif"_s);
    click(u"cmdClipboard_6"_s);
    EXPECT_EQ(find<QLineEdit>(u"txtImage_6"_s)->text(), u"http://example.com/a.gif");
    EXPECT_EQ(state.pictures.text(6), u"http://example.com/a.gif");
    ds.setClipboardText({});
    click(u"cmdClipboard_6"_s);
    EXPECT_EQ(state.pictures.text(6), u"");
}

TEST_F(PicturesWindow, SlotsAndSizeGoThroughTheAdFile)
{
    QTest::keyClicks(find<QLineEdit>(u"txtImage_2"_s), u"C:\\pics\\boat.jpg"_s);
    customSize(u"320"_s, u"240"_s);
    const AdFileRead back = parseAdFile(adFileFromState(state).toLines());
    ASSERT_TRUE(back.data.has_value()) << back.error.toStdString();
    EXPECT_EQ(back.data->pictures[2], u"C:\\pics\\boat.jpg");
    EXPECT_EQ(back.data->thumbWidth.value_or(QString()).trimmed(), u"320");
    EXPECT_EQ(back.data->thumbHeight.value_or(QString()).trimmed(), u"240");

    // Reading it back into the model shows in the window.
    state.pictures.setText(2, {});
    state.pictures.setThumbSize(back.data->thumbWidth.value(), back.data->thumbHeight.value());
    state.pictures.setText(2, back.data->pictures[2]);
    EXPECT_EQ(find<QLineEdit>(u"txtImage_2"_s)->text(), u"C:\\pics\\boat.jpg");
    EXPECT_FALSE(pictureShown());
    EXPECT_EQ(label(u"lblX"_s).trimmed(), u"Width: 320");
}

TEST_F(PicturesWindow, BelongsToTheMainWindowAndEscapeIsCancel)
{
    QWidget owner;
    owner.setGeometry(100, 80, 900, 700);
    owner.show();
    frmImgs owned(state, ds, &owner);
    owned.show();
    // The window manager keeps a dialog in front of the window it is transient for.
    EXPECT_EQ(owned.windowHandle()->type(), Qt::Dialog);
    EXPECT_EQ(owned.windowHandle()->transientParent(), owner.windowHandle());
    EXPECT_EQ(owned.frameGeometry().center(), owner.frameGeometry().center());

    owned.move(owned.pos() + QPoint(40, 30));
    const QPoint left = owned.pos();
    auto* box = owned.findChild<QLineEdit*>(u"txtImage_0"_s);
    QTest::keyClicks(box, u"x"_s);
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(owned.isVisible());
    EXPECT_EQ(state.pictures.text(0), u"");
    owned.show();
    EXPECT_EQ(owned.pos(), left);
}

TEST_F(PicturesWindow, SnapshotIsTakenWhenTheSellerComesNotAfterItsOwnDialogs)
{
    auto* slot = find<QLineEdit>(u"txtImage_3"_s);
    QTest::keyClicks(slot, u"x"_s);
    customSize(u"300"_s, u"200"_s);
    QEvent back(QEvent::WindowActivate); // the prompts hand the window back
    QApplication::sendEvent(&window, &back);
    click(u"cmdPrefCancel"_s);
    EXPECT_EQ(state.pictures.text(3), u"");

    // Coming from another window of the program makes the edits so far part of the snapshot.
    window.show();
    QTest::keyClicks(slot, u"y"_s);
    QWidget other; // another window of the program, with something to focus
    QLineEdit otherBox(&other);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClicks(slot, u"z"_s);
    click(u"cmdPrefCancel"_s);
    EXPECT_EQ(state.pictures.text(3), u"y");
}
