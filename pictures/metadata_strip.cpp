#include "pictures/metadata_strip.h"

namespace lw {

// Stand-in until the metadata remover lands: every picture goes as it is.
StrippedPicture pictureForUpload(const QString& source, const QString&)
{
    return {source, false};
}

} // namespace lw
