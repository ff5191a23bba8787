#include "support/file_association.h"

#include "core/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

// No file of the association comes near this; a larger one is left alone.
constexpr qint64 LargestFile = 1024 * 1024;

const QString Type = QString::fromLatin1(AdMimeType);
const QString DesktopFile = QString::fromLatin1(AdDesktopFile);
// The icon name the MIME type is shown with, as the icon themes name it.
const QString TypeIcon = QString(Type).replace(u'/', u'-');

std::optional<QByteArray> readSmallFile(const QString& path)
{
    QFile file(path);
    if (file.size() > LargestFile || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace

QByteArray mimePackage()
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"" +
           Type.toUtf8() +
           "\">\n"
           "    <comment>Listwright File</comment>\n"
           "    <sub-class-of type=\"text/plain\"/>\n"
           "    <icon name=\"" +
           TypeIcon.toUtf8() +
           "\"/>\n"
           "    <glob pattern=\"*.zad\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

QByteArray desktopEntry(const QString& exec)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Listwright\n"
           "GenericName=Auction Ad Editor\n"
           "Comment=Write the description of an auction listing\n"
           "Exec=" +
           exec.toUtf8() +
           " %f\n"
           "Icon=listwright\n"
           "MimeType=" +
           Type.toUtf8() +
           ";\n"
           "Terminal=false\n"
           "Categories=Office;\n"
           "Keywords=auction;listing;eBay;HTML;ad;template;\n";
}

namespace {

// Runs a database tool when the system has it; its outcome does not matter to the start.
void refresh(const QString& tool, const QString& folder)
{
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty())
        return;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(path, {folder});
    if (!process.waitForFinished(10000))
        process.kill();
    process.waitForFinished(1000);
}

class Writer
{
public:
    // True when the file had to be written.
    bool put(const QString& path, const QByteArray& bytes)
    {
        if (readSmallFile(path) == bytes)
            return false;
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !writeFileAtomic(path, bytes))
            failed = true;
        written = true;
        return true;
    }
    bool written = false;
    bool failed = false;
};

} // namespace

QString desktopExecArgument(const QString& path)
{
    if (path.isEmpty() || path.contains(u'\n') || path.contains(u'\r'))
        return {};
    static const QString reserved = u" \t\"'\\><~|&;$*?#()`"_s;
    const bool quote = std::any_of(path.begin(), path.end(), [](QChar c) { return reserved.contains(c); });
    QString out;
    if (quote) {
        out += u'"';
        for (QChar c : path) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                out += u'\\';
            out += c;
        }
        out += u'"';
    } else {
        out = path;
    }
    out.replace(u'%', u"%%"_s);
    // The file format's own escape comes last: a backslash is written twice.
    return out.replace(u'\\', u"\\\\"_s);
}

QString withDefaultApplication(const QString& mimeappsList, const QString& type, const QString& desktopFile)
{
    const QString entry = type + u'=' + desktopFile;
    QStringList lines = mimeappsList.split(u'\n');
    qsizetype header = 0;
    while (header < lines.size() && lines[header].trimmed() != u"[Default Applications]")
        ++header;
    if (header == lines.size())
        header = -1;
    if (header < 0) {
        QString text = mimeappsList;
        if (!text.isEmpty() && !text.endsWith(u'\n'))
            text += u'\n';
        return text + u"[Default Applications]\n"_s + entry + u'\n';
    }
    qsizetype i = header + 1;
    for (; i < lines.size() && !lines[i].trimmed().startsWith(u'['); ++i) {
        if (lines[i].section(u'=', 0, 0).trimmed() == type) {
            lines[i] = entry;
            return lines.join(u'\n');
        }
    }
    lines.insert(header + 1, entry);
    return lines.join(u'\n');
}

AssociationResult RegisterAssociation(const QString& program, const QString& installFolder)
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString exec = desktopExecArgument(program);
    if (data.isEmpty() || config.isEmpty() || exec.isEmpty())
        return AssociationResult::Failed;

    Writer w;
    const bool typeChanged = w.put(data + u"/mime/packages/listwright.xml"_s, mimePackage());
    const struct
    {
        const char16_t* picture;
        QString target;
    } icons[] = {
        {u"extIcon.png", u"/icons/hicolor/48x48/mimetypes/"_s + TypeIcon + u".png"_s},
        {u"Listwright.png", u"/icons/hicolor/64x64/apps/listwright.png"_s},
    };
    for (const auto& icon : icons)
        if (const auto bytes = readSmallFile(installFolder + u"/graphics/"_s + QStringView(icon.picture)))
            w.put(data + icon.target, *bytes);
    const bool entryChanged = w.put(data + u"/applications/"_s + DesktopFile, desktopEntry(exec));

    const QString mimeapps = config + u"/mimeapps.list"_s;
    const bool hadList = QFileInfo::exists(mimeapps);
    const std::optional<QByteArray> list = hadList ? readSmallFile(mimeapps) : QByteArray();
    if (list)
        w.put(mimeapps, withDefaultApplication(QString::fromUtf8(*list), Type, DesktopFile).toUtf8());
    else
        w.failed = true;

    // The database may be missing although the package is in place (a cleaned cache).
    if (typeChanged || !QFileInfo::exists(data + u"/mime/"_s + Type + u".xml"_s))
        refresh(u"update-mime-database"_s, data + u"/mime"_s);
    if (entryChanged)
        refresh(u"update-desktop-database"_s, data + u"/applications"_s);
    if (w.failed)
        return AssociationResult::Failed;
    return w.written ? AssociationResult::Written : AssociationResult::Current;
}

} // namespace lw
