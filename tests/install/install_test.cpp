#include "core/text_file.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace Qt::StringLiterals;

namespace {

// `cmake --install` of this build with prefix /usr into a temporary DESTDIR.
class Installation
{
public:
    Installation()
    {
        QProcess cmake;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"DESTDIR"_s, m_root.path());
        cmake.setProcessEnvironment(env);
        cmake.setProcessChannelMode(QProcess::MergedChannels);
        cmake.start(QStringLiteral(LW_CMAKE_COMMAND),
                    {u"--install"_s, QStringLiteral(LW_BUILD_DIR), u"--prefix"_s, u"/usr"_s});
        EXPECT_TRUE(cmake.waitForFinished(180000));
        m_log = QString::fromLocal8Bit(cmake.readAll());
        m_ok = cmake.exitStatus() == QProcess::NormalExit && cmake.exitCode() == 0;
    }
    ~Installation() { setWritable(true); }

    bool ok() const { return m_ok; }
    const QString& log() const { return m_log; }
    QString usr() const { return m_root.path() + u"/usr"_s; }
    QString file(const QString& relative) const { return usr() + u'/' + relative; }

    // Every entry below /usr with its kind, permissions and content (a link: its target).
    std::map<QString, QByteArray> snapshot() const
    {
        std::map<QString, QByteArray> entries;
        QDirIterator it(usr(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            QByteArray state = QByteArray::number(int(info.permissions()), 16);
            if (info.isSymLink()) {
                state += " link " + info.symLinkTarget().toUtf8();
            } else if (info.isFile()) {
                QFile f(info.filePath());
                QCryptographicHash hash(QCryptographicHash::Sha256);
                if (f.open(QIODevice::ReadOnly))
                    hash.addData(&f);
                state += " file " + hash.result().toHex();
            }
            entries[info.filePath().mid(usr().size() + 1)] = state;
        }
        return entries;
    }

    void setWritable(bool writable) const
    {
        QDirIterator it(usr(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                        QDirIterator::Subdirectories);
        QStringList paths{usr()};
        while (it.hasNext())
            paths << it.next();
        for (const QString& p : paths) {
            QFile::Permissions perm = QFileInfo(p).permissions();
            perm.setFlag(QFileDevice::WriteOwner, writable);
            perm.setFlag(QFileDevice::WriteUser, writable);
            QFile::setPermissions(p, perm);
        }
    }

private:
    QTemporaryDir m_root;
    QString m_log;
    bool m_ok = false;
};

struct ProgramRun
{
    int status = -1;
    QByteArray out;
    QString err;
};

// The installed program as a seller starts it: from PATH's link, with a home of its own.
ProgramRun runInstalled(const Installation& installation, const QString& home, const QStringList& arguments,
                        bool window)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"LISTWRIGHT_HOME"_s);
    env.insert(u"XDG_RUNTIME_DIR"_s, home + u"/.runtime"_s);
    env.insert(u"HOME"_s, home);
    env.insert(u"XDG_CONFIG_HOME"_s, home + u"/.config"_s);
    env.insert(u"XDG_DATA_HOME"_s, home + u"/.local/share"_s);
    env.insert(u"XDG_CACHE_HOME"_s, home + u"/.cache"_s);
    if (window) {
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        env.insert(u"LISTWRIGHT_QUIT_WHEN_IDLE"_s, u"1"_s);
    }
    QDir().mkpath(home + u"/.runtime"_s);
    QFile::setPermissions(home + u"/.runtime"_s,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(home);
    process.start(installation.file(u"bin/Listwright"_s), arguments);
    EXPECT_TRUE(process.waitForFinished(120000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

QStringList filesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next().mid(folder.size() + 1);
    return files;
}

} // namespace

TEST(Install, LaysOutTheProgramsAndTheirContentOnly)
{
    const Installation installation;
    ASSERT_TRUE(installation.ok()) << installation.log().toStdString();
    const QStringList expected = {
        u"lib/listwright/Listwright"_s,
        u"lib/listwright/Updater"_s,
        u"share/listwright/templates/01.tpt"_s,
        u"share/listwright/templates/01.dat"_s,
        u"share/listwright/templates/graphics/1.gif"_s,
        u"share/listwright/icons/emt/s_1.gif"_s,
        u"share/listwright/help/index.html"_s,
        u"share/listwright/graphics/Listwright.png"_s,
        u"share/listwright/submit.htm"_s,
        u"share/listwright/extIcon.ico"_s,
        u"share/applications/listwright.desktop"_s,
        u"share/mime/packages/listwright.xml"_s,
        u"share/metainfo/example.listwright.listwright.metainfo.xml"_s,
        u"share/icons/hicolor/16x16/apps/listwright.png"_s,
        u"share/icons/hicolor/64x64/apps/listwright.png"_s,
        u"share/icons/hicolor/48x48/mimetypes/application-x-listwright.png"_s,
        u"share/man/man1/Listwright.1.gz"_s,
        u"share/doc/listwright/copyright"_s,
        u"share/doc/listwright/changelog.gz"_s,
    };
    for (const QString& relative : expected)
        EXPECT_TRUE(QFileInfo(installation.file(relative)).isFile()) << relative.toStdString();
    EXPECT_EQ(QFileInfo(installation.file(u"bin/Listwright"_s)).symLinkTarget(),
              installation.file(u"lib/listwright/Listwright"_s));
    EXPECT_TRUE(QFileInfo(installation.file(u"lib/listwright/Listwright"_s)).isExecutable());

    // Programs: the two and the modules they load; no tests, benchmarks or build tools.
    QStringList programs = filesBelow(installation.file(u"lib"_s)) + filesBelow(installation.file(u"bin"_s));
    programs.removeIf([](const QString& p) { return p.endsWith(u".so"_s); });
    programs.sort();
    EXPECT_EQ(programs, (QStringList{u"Listwright"_s, u"listwright/Listwright"_s, u"listwright/Updater"_s}));
    // The content is data/ as it stands, nothing the build or the program wrote into it.
    for (const QString& name : {u"settings.txt"_s, u"eBaycfg.txt"_s, u"updpr.dat"_s, u"tmp.dat"_s})
        EXPECT_FALSE(QFileInfo::exists(installation.file(u"share/listwright/"_s + name)))
            << name.toStdString();
}

TEST(Install, InstalledProgramWritesOnlyIntoTheSellersFolders)
{
    const Installation installation;
    ASSERT_TRUE(installation.ok()) << installation.log().toStdString();
    installation.setWritable(false);
    const auto before = installation.snapshot();
    QTemporaryDir home;

    const ProgramRun generated = runInstalled(installation, home.path(), {u"--generate"_s}, false);
    EXPECT_EQ(generated.status, 0) << generated.err.toStdString();
    EXPECT_TRUE(generated.out.contains("<")) << generated.out.toStdString();
    const ProgramRun window = runInstalled(installation, home.path(), {}, true);
    EXPECT_EQ(window.status, 0) << window.err.toStdString();

    EXPECT_TRUE(installation.snapshot() == before);
    const QString config = home.path() + u"/.config/listwright/"_s;
    const QStringList settings = lw::readTextLines(config + u"settings.txt"_s).lines;
    ASSERT_GE(settings.size(), 5);
    EXPECT_EQ(settings[4], installation.file(u"share/listwright/templates"_s));
    EXPECT_EQ(QFileInfo(config + u"eBaycfg.txt"_s).permissions() & 0x0077, 0);
    EXPECT_TRUE(QFileInfo::exists(config + u"updpr.dat"_s));
    // Only the program's own folders (and the toolkit's caches): no association of its own.
    for (const QString& file : filesBelow(home.path()))
        EXPECT_TRUE(file.startsWith(u".config/listwright/"_s) ||
                    file.startsWith(u".local/share/listwright/"_s) || file.startsWith(u".cache/"_s))
            << file.toStdString();
}
