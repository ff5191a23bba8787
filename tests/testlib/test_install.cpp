#include "tests/testlib/test_install.h"

#include "core/text_file.h"
#include "core/user_files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace lw::test {

namespace {
// The pictures and preview pages are many files no test reads; tests that need a picture make their own.
void copyTree(const QString& from, const QString& to)
{
    for (QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString relative = it.next().mid(from.size());
        if (relative.startsWith(u"/icons/") || relative.startsWith(u"/templates/previews/") ||
            relative.startsWith(u"/graphics/"))
            continue;
        QDir().mkpath(QFileInfo(to + relative).path());
        QFile::copy(from + relative, to + relative);
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
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList TestInstall::readLines(const QString& relative) const
{
    return readTextLines(file(relative)).lines;
}

QString programPath()
{
    return QString::fromUtf8(LW_PROGRAM);
}

ProgramRun runProgram(const TestInstall& install, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"LISTWRIGHT_HOME"_s, install.path());
    env.remove(u"QT_QPA_PLATFORM"_s);
    env.remove(u"DISPLAY"_s);
    process.setProcessEnvironment(env);
    process.start(programPath(), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace lw::test
