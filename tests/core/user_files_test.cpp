#include "core/install_folder.h"
#include "core/user_files.h"
#include "tests/testlib/test_install.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

QString xdg(QStandardPaths::StandardLocation base, const QString& below)
{
    return QStandardPaths::writableLocation(base) + u"/listwright/"_s + below;
}

} // namespace

TEST(UserFiles, EachLayoutKeepsTheSellersFilesInItsPlace)
{
    using L = InstallLayout;
    const auto config = QStandardPaths::GenericConfigLocation;
    const auto data = QStandardPaths::GenericDataLocation;
    for (const L layout : {L::Portable, L::Installed}) {
        SCOPED_TRACE(layout == L::Installed ? "installed" : "portable");
        test::TestInstall install(false);
        install.setLayout(layout);
        const bool installed = layout == L::Installed;
        EXPECT_EQ(isInstalled(), installed);
        EXPECT_EQ(installFolder(), install.path());
        EXPECT_EQ(programFolder(), install.path());
        const QString own = installed ? xdg(config, u"settings.txt"_s) : install.file(u"settings.txt"_s);
        const QString ownData =
            installed ? xdg(data, u"templates/01.dat"_s) : install.file(u"templates/01.dat"_s);
        EXPECT_EQ(userFileToWrite(u"settings.txt"_s), own);
        EXPECT_EQ(templateFileToWrite(u"01.dat"_s), ownData);

        // Nothing yet: reading names where the seller's copy will be.
        EXPECT_EQ(userFileToRead(u"settings.txt"_s), own);
        EXPECT_EQ(templateFileToRead(u"01.dat"_s), ownData);
        // The installation's copy stands in until the seller has one.
        install.write(u"settings.txt"_s, "installed");
        install.write(u"templates/01.dat"_s, "installed");
        EXPECT_EQ(userFileToRead(u"settings.txt"_s), install.file(u"settings.txt"_s));
        EXPECT_EQ(templateFileToRead(u"01.dat"_s), install.file(u"templates/01.dat"_s));
        if (installed) {
            // The folders are there to write in, for the seller alone.
            for (const QString& f : {xdg(config, {}), xdg(data, {})}) {
                EXPECT_TRUE(QFileInfo(f).isDir()) << f.toStdString();
                EXPECT_EQ(QFileInfo(f).permissions() & 0x0077, 0) << f.toStdString();
            }
            ASSERT_TRUE(QFile::copy(install.file(u"settings.txt"_s), own));
            ASSERT_TRUE(QFile::copy(install.file(u"templates/01.dat"_s), ownData));
            EXPECT_EQ(userFileToRead(u"settings.txt"_s), own);
            EXPECT_EQ(templateFileToRead(u"01.dat"_s), ownData);
        }
    }
}
