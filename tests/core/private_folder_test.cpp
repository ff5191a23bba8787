#include "core/private_folder.h"
#include "core/text_file.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

// Another user of the machine plants a link where the page is written, or the folder itself.
TEST(CorePrivateFolder, PlantedLinksAreNeverWrittenThrough)
{
    QTemporaryDir shared;
    qputenv("XDG_RUNTIME_DIR", QByteArray());
    const QString victim = shared.filePath(u"victim.txt"_s);
    ASSERT_TRUE(writeFileAtomic(victim, "precious"));
    const QString named = shared.path() + u"/listwright-"_s + QString::number(::getuid());
    ASSERT_TRUE(QFile::link(shared.path(), named));

    const auto folder = privateFolder(shared.path() + u'/');
    ASSERT_TRUE(folder);
    EXPECT_NE(*folder, named + u'/');
    EXPECT_EQ(QFile(*folder).permissions() & (QFile::ReadOther | QFile::ReadGroup | QFile::ExeOther), 0);

    const QString page = *folder + u"AdPreview.html"_s;
    ASSERT_TRUE(QFile::link(victim, page));
    ASSERT_TRUE(writeFileReplacingLinks(page, "<html>"));
    EXPECT_FALSE(QFileInfo(page).isSymLink());
    EXPECT_EQ(readTextFile(victim), u"precious"_s);
}

} // namespace
