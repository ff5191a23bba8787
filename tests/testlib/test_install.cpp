#include "tests/testlib/test_install.h"

#include "core/install_folder.h"
#include "core/text_file.h"
#include "core/user_files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace lw::test {

namespace {
// The pictures and preview pages are many files no test reads; tests that
// need a picture make their own.
bool worthCopying(const QString& relative)
{
    return !relative.startsWith(u"/icons/"_s) && !relative.startsWith(u"/templates/previews/"_s) &&
           !relative.startsWith(u"/graphics/"_s);
}

void copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        if (!worthCopying(source.mid(from.size())))
            continue;
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(source, target);
    }
}
} // namespace

TestInstall::TestInstall(bool withData)
{
    EXPECT_TRUE(m_dir.isValid());
    if (withData)
        copyTree(QString::fromUtf8(LW_DATA_DIR), m_dir.path());
    setInstallFolderOverride(m_dir.path());
}

TestInstall::~TestInstall()
{
    if (m_layout == InstallLayout::Installed) {
        QDir(userConfigFolder()).removeRecursively();
        QDir(userTemplateFolder()).removeRecursively();
    }
    setInstallFolderOverride({});
}

void TestInstall::setLayout(InstallLayout layout)
{
    m_layout = layout;
    setInstallFolderOverride(m_dir.path(), layout);
}

void TestInstall::write(const QString& relative, const QByteArray& bytes) const
{
    QDir().mkpath(QFileInfo(file(relative)).path());
    QFile f(file(relative));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void TestInstall::writeLines(const QString& relative, const QStringList& lines) const
{
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += l.toUtf8() + "\r\n";
    write(relative, bytes);
}

QByteArray TestInstall::read(const QString& relative) const
{
    QFile f(file(relative));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QStringList TestInstall::readLines(const QString& relative) const
{
    return readTextLines(file(relative)).lines;
}

QString programPath()
{
    return QString::fromUtf8(LW_PROGRAM);
}

} // namespace lw::test
