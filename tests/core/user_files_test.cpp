#include "core/user_files.h"
#include "tests/testlib/test_install.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

TEST(UserFiles, TheSellersCopyIsWrittenInItsPlaceAndReadBeforeTheInstallations)
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    for (const InstallLayout layout : {InstallLayout::Portable, InstallLayout::Installed}) {
        test::TestInstall install(false);
        install.setLayout(layout);
        const bool installed = layout == InstallLayout::Installed;
        const QString own =
            installed ? config + u"/listwright/settings.txt"_s : install.file(u"settings.txt"_s);
        const QString ownData =
            installed ? data + u"/listwright/templates/01.dat"_s : install.file(u"templates/01.dat"_s);
        EXPECT_EQ(userFileToWrite(u"settings.txt"_s), own);
        EXPECT_EQ(templateFileToWrite(u"01.dat"_s), ownData);
        EXPECT_EQ(userFileToRead(u"settings.txt"_s), own);
        install.write(u"settings.txt"_s, "shipped");
        EXPECT_EQ(userFileToRead(u"settings.txt"_s), install.file(u"settings.txt"_s));
        if (installed) {
            // Made for the seller alone: the folder holds passwords.
            EXPECT_EQ(QFileInfo(config + u"/listwright"_s).permissions() & 0x0077, 0);
            ASSERT_TRUE(QFile::copy(install.file(u"settings.txt"_s), own));
            EXPECT_EQ(userFileToRead(u"settings.txt"_s), own);
        }
    }
}
