#pragma once

#include "core/models/picture_list.h"
#include "pictures/picture_upload.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace lw {

// What Generate uploads: every enabled, non-empty slot whose file name is not empty, in slot
// order, then each picture of the installation the ad shows (names from codePictures, files in
// installFolder), each once.
QList<UploadItem> uploadItems(const PictureValues& pictures, const QStringList& codePictures,
                              const QString& installFolder);
// The port of the FTP settings: the number its leading digits make, 0 (the protocol's own) when
// there are none.
int ftpPortNumber(const QString& text);

// How the server text of the settings asks to connect: a bare host or "ftp://host" is plain FTP.
enum class ServerProtocol
{
    Ftp,
    Ftps,
    Sftp,
    Unknown
};
ServerProtocol serverProtocol(const QString& server);
// The host the server text names: without its protocol, folder or port.
QString serverHost(const QString& server);

// The ways a host offers that keep the FTP password off the wire in clear.
struct SecureOffers
{
    // Its FTP server accepts AUTH TLS (ftps://).
    bool ftps = false;
    // An SSH server answers on its SSH port (sftp://).
    bool sftp = false;
};

// What the preferences window says under the server box: for plain FTP, that the password goes in
// clear, with the safer ways the host offers once they are known; empty for the other protocols.
QString plainFtpWarning(const QString& server, std::optional<SecureOffers> offers);
// Beside the Passive box when the protocol leaves it no say; empty when it has one.
QString passiveNote(const QString& server);

// What the status window says of the item on its way: "Currently Uploading Image 2".
QString uploadItemCaption(const UploadItem& item);

// The messages that end an upload.
QString uploadAbortedText();
QString uploadErrorText(int number, const QString& description);

} // namespace lw
