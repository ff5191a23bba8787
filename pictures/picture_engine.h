#pragma once

// The boundary between the program and the picture engine module (libvips), which the program
// loads only when a picture is first looked at or prepared. Both sides see only these value
// structs, the abstract class and std::function.

#include <QByteArray>
#include <QString>

#include <functional>

namespace lw {

// The file format families the preparation tells apart.
enum class PictureFormat
{
    Jpeg,
    Png,
    Gif,
    // HEIC/HEIF, TIFF, BMP, WebP and the like: no browser but a few shows them.
    Other
};

// What a picture's header says, read without its pixels.
struct PictureFacts
{
    bool readable = false;
    PictureFormat format = PictureFormat::Other;
    // As stored, before the orientation tag turns it.
    int width = 0;
    int height = 0;
    // The Exif orientation, 1 (upright) to 8.
    int orientation = 1;
    bool alpha = false;
    // Pixels that are not 8-bit sRGB or grey (CMYK, 16-bit, Lab) and must be converted for the web.
    bool convertColour = false;
    int pages = 1;
};

// How the web copy is written.
struct WebCopySpec
{
    PictureFormat format = PictureFormat::Jpeg;
    int longestSide = 1600;
};

class PictureEngine
{
public:
    virtual ~PictureEngine() = default;
    // Reads the header only. Safe to call from any thread.
    virtual PictureFacts inspect(const QString& path) = 0;
    // The web copy of `path`: turned upright, at most `longestSide` on its longest side (never
    // enlarged), sRGB, without metadata, encoded as `wanted.format` (JPEG: quality 85, progressive).
    // `stopped` is asked while the pixels are worked on; once it says true the work ends early.
    // Empty with the reason in `error` on failure. Safe to call from several threads at once.
    virtual QByteArray webCopy(const QString& path, const WebCopySpec& wanted,
                               const std::function<bool()>& stopped, QString* error) = 0;
};

// The module's one exported function: the engine, owned by the module and kept for the whole run.
using CreatePictureEngine = PictureEngine* (*)();
inline constexpr char CreatePictureEngineSymbol[] = "lw_create_picture_engine";

} // namespace lw
