#include "pictures/picture_preparation.h"
#include "pictures/picture_upload.h"
#include "pictures/ui/frm_ftp_status.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

class HeldUpload : public PictureUpload
{
public:
    void startUpload(const UploadRequest&) override {}
    void abort() override { Q_EMIT finished(false, {}, u"aborted"_s); }
};

TEST(PicturesStatusWindow, FollowsTheUploadAndAborts)
{
    frmFTPStatus window;
    HeldUpload upload;
    PicturePreparation preparation;
    window.watch(&upload, &preparation);
    upload.start({{}, false, {{1, u"a.jpg"_s, {}, u"a.jpg"_s}, {3, u"b.jpg"_s, {}, u"b.jpg"_s}}});
    EXPECT_TRUE(window.isHidden()) << "nothing is on its way yet";
    Q_EMIT preparation.pictureStarted(2, 2);
    EXPECT_EQ(window.findChild<QLabel*>(u"lblCurrentImage"_s)->text(), u"Preparing picture 2 of 2");
    EXPECT_EQ(window.findChild<QProgressBar*>(u"prgAllImages"_s)->value(), 500);
    Q_EMIT upload.itemStarted(1);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.findChild<QLabel*>(u"lblCurrentImage"_s)->text(), u"Currently Uploading Image 4");
    Q_EMIT upload.progress(5'000'000'000, 10'000'000'000, 15'000'000'000, 20'000'000'000);
    EXPECT_EQ(window.findChild<QProgressBar*>(u"prgImage"_s)->value(), 500);
    EXPECT_EQ(window.findChild<QProgressBar*>(u"prgAllImages"_s)->value(), 750);
    window.findChild<QAbstractButton*>(u"cmdAbortFTP"_s)->click();
    EXPECT_TRUE(window.isHidden());
}

} // namespace
