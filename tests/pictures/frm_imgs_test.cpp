#include "pictures/ui/frm_imgs.h"
#include "tests/testlib/window_test.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QWindow>

#include <functional>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

class PicturesWindow : public test::OwnedWindowTest<frmImgs>
{
protected:
    QLineEdit* slot(int i) { return find<QLineEdit>(u"txtImage_%1"_s.arg(i)); }
    // What the window shows of the thumbnail size.
    QString size()
    {
        return find<QLabel>(u"lblX"_s)->text() + u' ' + find<QLabel>(u"lblY"_s)->text() +
               (find(u"imgOr"_s)->isVisibleTo(&window) ? u" picture"_s : u""_s);
    }
};

} // namespace

TEST_F(PicturesWindow, ButtonsAndModelChangesReachTheControls)
{
    // w:h:shown after the two prompts; the bounds have no test of their own.
    for (const QString& row : u"641:480:200:150 640:481:200:150 0:100:200:150 -5:100:200:150 "
                              u"abc:100:200:150 ::200:150 640:480:640:480"_s.split(u' ')) {
        const QStringList v = row.split(u':');
        ds.clearRecords();
        ds.queuePromptAnswer(v[0]);
        ds.queuePromptAnswer(v[1]);
        click(u"cmdCustomSize"_s);
        const bool valid = v[2] != u"200";
        EXPECT_EQ(size(), u"Width: %1 Height: %2%3"_s.arg(v[2], v[3], valid ? u""_s : u" picture"_s));
        EXPECT_EQ(ds.messageTitles(), valid ? QStringList() : QStringList{u"Invalid Preview Dimensions"_s});
    }
    ds.queueMessageAnswer(MsgResult::Yes);
    click(u"cmdChangeOr"_s); // a custom size asks before reverting
    EXPECT_EQ(size(), u"Width: 200 Height: 150 picture");
    click(u"cmdChangeOr"_s);
    EXPECT_EQ(size(), u"Width: 150 Height: 200 picture");
    EXPECT_EQ(ds.messageTitles(), QStringList{u"Default Image Dimensions"_s});

    state.pictures.setBrowseEnabled(2, true);
    state.pictures.setEnabled(3, false);
    EXPECT_FALSE(find(u"cmdClipboard_3"_s)->isEnabled());
    ds.setClipboardText(u"http://example.com/a.gif"_s);
    click(u"cmdClipboard_2"_s);
    EXPECT_EQ(state.pictures.text(2), u"http://example.com/a.gif");
    // Any file that exists, chosen through the Browse button the model enabled.
    ds.queueOpenFile(install.file(u"help/add-images.html"_s));
    click(u"cmdBrowse_2"_s);
    EXPECT_EQ(slot(2)->text(), install.file(u"help/add-images.html"_s));
    // The next picture dialog opens where this one was found.
    click(u"cmdBrowse_2"_s);
    EXPECT_EQ(ds.records().last().text, install.file(u"help"_s));
    click(u"cmdPrefHelp"_s);
    EXPECT_EQ(ds.shellOpened(), QStringList{install.path() + u"/help/add-images.html"_s});
}

// Beside each picture of this computer: its size and what goes up, or what is wrong with it.
TEST_F(PicturesWindow, SaysBesideEachPictureWhatIsSentOrWhatIsWrong)
{
    using F = Preferences::Field;
    QImage(1200, 900, QImage::Format_RGB32).save(install.file(u"lamp.jpg"_s), "JPEG");
    QImage(300, 200, QImage::Format_RGB32).save(install.file(u"tiny.jpg"_s), "JPEG");
    const QString texts[] = {install.file(u"lamp.jpg"_s), install.file(u"tiny.jpg"_s),
                             install.file(u"gone.jpg"_s), u"https://example.com/a.jpg"_s};
    for (int i = 0; i < 4; ++i)
        state.pictures.setText(i, texts[i]);
    state.prefs.setFlag(F::FtpAccess, true);
    window.show();
    auto note = [this](int i) { return find<QLabel>(u"lblInfo_%1"_s.arg(i))->text(); };
    QTRY_VERIFY(note(0).startsWith(u"1200\u00D7900, "_s));
    EXPECT_FALSE(note(0).contains(u'\u2192')) << "small enough to go as it is";
    QTRY_COMPARE(note(1), u"Only 300\u00D7200: the site wants 500 px"_s);
    EXPECT_EQ(note(2), u"File not found");
    EXPECT_EQ(note(3), QString());
    state.prefs.setIndex(F::LongestSide, 800);
    EXPECT_TRUE(note(0).endsWith(u" \u2192 800\u00D7600"_s));
    slot(0)->setText(install.file(u"tiny.jpg"_s));
    QTRY_VERIFY(note(0).startsWith(u"Only"_s));
}

TEST_F(PicturesWindow, BelongsToTheMainWindowAndEveryCancelRestoresTheSnapshotOfTheLastArrival)
{
    owner.show();
    window.show();
    // The window manager keeps a dialog in front of the window it is transient for.
    EXPECT_EQ(window.windowHandle()->transientParent(), owner.windowHandle());

    const std::function<void()> cancels[] = {[&] { click(u"cmdPrefCancel"_s); },
                                             [&] { QTest::keyClick(slot(3), Qt::Key_Escape); },
                                             [&] { window.close(); }};
    int round = 0;
    for (const auto& cancel : cancels) {
        window.show();
        slot(3)->setText(u"a%1.jpg"_s.arg(++round));
        ASSERT_TRUE(test::activate(&owner)); // to the main window and back: an arrival
        ASSERT_TRUE(test::activate(&window));
        QTest::keyClicks(slot(3), u"x"_s);
        cancel();
        EXPECT_EQ(slot(3)->text(), u"a%1.jpg"_s.arg(round));
    }
    window.show();
    click(u"cmdPrefOK"_s);
    EXPECT_FALSE(window.isVisible());
}
