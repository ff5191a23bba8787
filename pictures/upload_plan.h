#pragma once

#include "core/models/picture_list.h"
#include "pictures/picture_upload.h"

#include <QString>
#include <QStringList>

namespace lw {

// What Generate uploads: every enabled, non-empty slot whose file name is not empty, in slot
// order, then each picture of the installation the ad shows (names from codePictures, files in
// installFolder), each once.
QList<UploadItem> uploadItems(const PictureValues& pictures, const QStringList& codePictures,
                              const QString& installFolder);
// The port of the FTP settings: the number its leading digits make, 0 (the protocol's own) when
// there are none.
int ftpPortNumber(const QString& text);

// What the status window says of the item on its way: "Currently Uploading Image 2".
QString uploadItemCaption(const UploadItem& item);

// The messages that end an upload.
QString uploadAbortedText();
QString uploadErrorText(int number, const QString& description);

} // namespace lw
