#pragma once

#include <QString>

namespace lw {

// The file that goes to the seller's server in place of a picture.
struct StrippedPicture
{
    QString path;
    // True when path is a copy made in the temporary folder, for the caller to delete after sending.
    bool isCopy = false;
};

// A copy without location and camera metadata for a JPEG, PNG or WebP picture; else the source itself.
StrippedPicture pictureForUpload(const QString& source, const QString& tempFolder);

} // namespace lw
