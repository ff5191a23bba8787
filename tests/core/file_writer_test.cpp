#include "core/file_writer.h"
#include "tests/core/damaged_input.h"
#include "tests/testlib/disk_trouble.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace lw;
using namespace lw::test;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

ino_t inode(const QString& path)
{
    struct stat st
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

// A full disk, and a folder that takes no new file while the file in it is writable (where an
// in-place write would still succeed): the old bytes stay, nothing is left behind, and the reason
// names the folder in plain words.
TEST(CoreFileWriter, AFailedWriteLeavesTheOldFileAsItWasAndSaysWhy)
{
    QStringList skipped;
    for (const bool fullDisk : {true, false}) {
        const QTemporaryDir dir;
        const QString folder = dir.filePath(u"ads"_s);
        std::optional<SmallDisk> disk;
        if (fullDisk)
            disk.emplace(folder);
        if (disk && !disk->skip.isEmpty()) {
            skipped << disk->skip;
            continue;
        }
        QDir().mkpath(folder);
        const QString file = folder + u"/lamp.zad"_s;
        ASSERT_TRUE(writeFile(file, "old\r\n", {}));
        std::optional<NoCreateRights> locked;
        if (disk)
            disk->fill();
        else
            locked.emplace(folder);
        if (locked && !locked->skip.isEmpty()) {
            skipped << locked->skip;
            continue;
        }
        QString error;
        EXPECT_FALSE(writeFile(file, QByteArray(8192, 'n'), {}, &error)) << fullDisk;
        EXPECT_EQ(contents(file), "old\r\n") << fullDisk;
        EXPECT_EQ(error,
                  u"Nothing could be written in the folder "_s + folder + u": "_s +
                      (fullDisk ? u"the disk is full"_s : u"you may not create files in this folder"_s) +
                      u". lamp.zad is as it was before."_s);
        const QStringList left =
            fullDisk ? QStringList{u".filler"_s, u"lamp.zad"_s} : QStringList{u"lamp.zad"_s};
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), left);
        // What is already there needs no room and no new file.
        EXPECT_TRUE(writeFile(file, "old\r\n", {})) << fullDisk;
    }
    if (!skipped.isEmpty())
        GTEST_SKIP() << skipped.join(u"; "_s).toStdString();
}

// The same bytes are not written again; a file keeps its mode and a link, unless told otherwise.
TEST(CoreFileWriter, KeepsWhatIsAlreadyThereModesAndLinks)
{
    const QTemporaryDir dir;
    const QString file = dir.filePath(u"settings.txt"_s);
    ASSERT_TRUE(writeFile(file, "a", {}));
    const ino_t first = inode(file);
    ASSERT_TRUE(writeFile(file, "a", {}));
    EXPECT_EQ(inode(file), first) << "unchanged content was written again";
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(writeFile(file, "b", {}));
    EXPECT_NE(inode(file), first);
    EXPECT_EQ(fileMode(file), 0640);
    ASSERT_TRUE(writeFile(file, "b", {true, false}));
    EXPECT_EQ(fileMode(file), 0600) << "the same bytes, made private";

    const QString real = dir.filePath(u"real.txt"_s), link = dir.filePath(u"link.txt"_s);
    ASSERT_TRUE(writeFile(real, "r", {}));
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_TRUE(writeFile(link, "followed", {}));
    EXPECT_EQ(contents(real), "followed");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    ASSERT_TRUE(writeFile(link, "replaced", {true, true}));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(contents(real), "followed");
    EXPECT_EQ(contents(link), "replaced");
}

} // namespace
