#pragma once

#include <QString>

namespace lw {

struct StrippedPicture
{
    QString path;
    bool isCopy = false;
};

// The file to upload for a seller's picture. A JPEG, PNG or WebP (told by its content) that carries
// Exif, XMP, IPTC or a comment is copied into tempFolder (a private folder; new file, mode 0600, same
// extension) without them, keeping only the Exif orientation and the colour profile; the pixels and
// the source stay as they are. The caller removes the copy after the upload. Anything else, a picture
// with nothing to remove, or any failure gives {source, false}: the seller's file goes as it is.
StrippedPicture pictureForUpload(const QString& source, const QString& tempFolder);

} // namespace lw
