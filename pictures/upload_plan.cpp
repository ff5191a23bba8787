#include "pictures/upload_plan.h"

#include "generator/blocks.h"
#include "generator/convert.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace lw {

QList<UploadItem> uploadItems(const PictureValues& pictures, const QStringList& codePictures,
                              const QString& installFolder)
{
    QList<UploadItem> items;
    for (int k = 0; k < PictureList::SlotCount; ++k) {
        const PictureSlot& slot = pictures.slots[k];
        if (!slot.enabled || slot.text.isEmpty())
            continue;
        // The name the ad links to; a path ending in a separator has none and is skipped.
        const QString name = pictureFileName(slot.text);
        if (!name.isEmpty())
            items.append({k, slot.text, {}, name});
    }
    QSet<QString> seen;
    for (const QString& relative : codePictures) {
        if (seen.contains(relative))
            continue;
        seen.insert(relative);
        items.append({-1, installFolder + u'/' + relative, QString::fromLatin1(CodePictureFolder),
                      pictureFileName(relative)});
    }
    return items;
}

QString uploadItemCaption(const UploadItem& item)
{
    if (item.slot < 0)
        return u"Currently Uploading Emoticon And Letter Pictures"_s;
    return u"Currently Uploading Image "_s + QString::number(item.slot + 1);
}

int ftpPortNumber(const QString& text)
{
    qsizetype digits = 0;
    while (digits < text.size() && digits < 5 && text.at(digits).isDigit())
        ++digits;
    return digits == 0 ? 0 : text.left(digits).toInt();
}

ServerProtocol serverProtocol(const QString& server)
{
    const QString text = server.trimmed();
    const qsizetype schemeEnd = text.indexOf(u"://"_s);
    if (schemeEnd < 0)
        return ServerProtocol::Ftp;
    const QString scheme = text.left(schemeEnd).toLower();
    if (scheme == u"ftp"_s)
        return ServerProtocol::Ftp;
    if (scheme == u"ftps"_s)
        return ServerProtocol::Ftps;
    if (scheme == u"sftp"_s)
        return ServerProtocol::Sftp;
    return ServerProtocol::Unknown;
}

QString serverHost(const QString& server)
{
    QString host = server.trimmed();
    if (const qsizetype schemeEnd = host.indexOf(u"://"_s); schemeEnd >= 0)
        host = host.mid(schemeEnd + 3);
    host = host.section(u'/', 0, 0);
    // "[::1]:21" and "host:21" lose their port; a bare IPv6 address keeps its colons.
    if (host.startsWith(u'['))
        return host.mid(1, host.indexOf(u']') - 1);
    return host.count(u':') == 1 ? host.section(u':', 0, 0) : host;
}

QString plainFtpWarning(const QString& server, std::optional<SecureOffers> offers)
{
    if (serverProtocol(server) != ServerProtocol::Ftp || serverHost(server).isEmpty())
        return {};
    QString text = u"Plain FTP sends your password unencrypted."_s;
    if (!offers)
        return text;
    if (offers->ftps && offers->sftp)
        return text + u" This server also offers ftps:// and sftp://: write one of them before its name."_s;
    if (offers->ftps)
        return text + u" This server also offers FTP over TLS: write ftps:// before its name."_s;
    if (offers->sftp)
        return text + u" This server also offers SFTP: write sftp:// before its name and 22 as the port."_s;
    return text + u" Ask your host for FTP over TLS (ftps://) or SFTP (sftp://)."_s;
}

QString passiveNote(const QString& server)
{
    switch (serverProtocol(server)) {
    case ServerProtocol::Ftps:
        return u"Always on for ftps://"_s;
    case ServerProtocol::Sftp:
        return u"Not used by sftp://"_s;
    default:
        return {};
    }
}

namespace {
QString firewallNote()
{
    return u"Note:  If you are behind a firewall, you may need to check the PASSIVE option under the FTP "
           u"Preferences to be able to upload files."_s;
}
} // namespace

QString uploadAbortedText()
{
    return u"You have aborted the FTP transfer process.  If you aborted the process because it would not "
           u"connect and nothing seemed to be happening, please ensure that all information is correct in "
           u"the FTP settings found in the Preferences window and that you are connected to the internet.  "
           u"If you are unsure what the FTP information should be, you may need to contact your ISP or the "
           u"person in charge of your FTP space.  Because of this error, your ad has not been generated "
           u"successfully and you will need to retry after resolving any problem there may be.\r\n\r\n"
           // The server keeps what it had of the picture that was cut off.
           u"The picture that was on its way may be left incomplete on your server.\r\n\r\n"_s +
           firewallNote();
}

QString uploadErrorText(int number, const QString& description)
{
    return u"An error has occured while attempting to connect or transfer files to your FTP server.  You "
           u"will find the error number and message below, which will help you in resolving the problem.  "
           u"Please ensure that all information is correct in the FTP settings found in the Preferences "
           u"window.  If you are unsure what the FTP information should be, you may need to contact your "
           u"ISP or the person in charge of your FTP space.  Because of this error, your ad has not been "
           u"generated successfully and you will need to retry after resolving the error below.\r\n\r\n"_s +
           firewallNote() + u"\r\n\r\nError # "_s + QString::number(number) + u" - "_s + description;
}

} // namespace lw
