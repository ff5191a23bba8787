#include "pictures/upload_plan.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

TEST(PicturesUploadPlan, SendsUsableSlotsInOrderThenEachInstallationPictureOnce)
{
    PictureValues pictures;
    pictures.slots[0].text = u"/home/me/lamp.jpg"_s;
    pictures.slots[1].text = u"C:\\pics\\"_s; // no file name: skipped
    pictures.slots[3].text = u"C:\\pics\\shade.JPG"_s;
    pictures.slots[5].text = u"/home/me/hidden.jpg"_s;
    pictures.slots[5].enabled = false; // a slot the template does not offer
    const QList<UploadItem> items = uploadItems(
        pictures, {u"icons/emt/s_2.gif"_s, u"icons/ups.gif"_s, u"icons/emt/s_2.gif"_s}, u"/opt/lw"_s);
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0].remoteName, u"lamp.jpg");
    EXPECT_EQ(items[1].slot, 3);
    EXPECT_EQ(items[1].remoteName, u"shade.JPG");
    EXPECT_EQ(uploadItemCaption(items[1]), u"Currently Uploading Image 4");
    EXPECT_EQ(items[2].localPath, u"/opt/lw/icons/emt/s_2.gif");
    EXPECT_EQ(items[3].subFolder, u"listwright");
    EXPECT_EQ(items[3].remoteName, u"ups.gif");
}

TEST(PicturesUploadPlan, PortIsTheNumberOfTheLeadingDigits)
{
    for (const auto& [text, port] :
         {std::pair{u"21"_s, 21}, std::pair{u"21abc"_s, 21}, std::pair{QString(), 0}, std::pair{u"abc"_s, 0},
          std::pair{u" 21"_s, 0}, std::pair{u"2121"_s, 2121}})
        EXPECT_EQ(ftpPortNumber(text), port) << text.toStdString();
    EXPECT_TRUE(uploadErrorText(5, u"Refused"_s).endsWith(u"\r\n\r\nError # 5 - Refused"_s));
}

} // namespace
