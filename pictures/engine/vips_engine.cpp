// The picture engine module: libvips, loaded by the program the first time a picture is looked at
// or prepared, so that start-up neither maps nor pays for it.
#include "pictures/picture_engine.h"

#include <QFile>

#include <vips/vips.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace lw {

namespace {

// Whether vips may open a file, and as what. Only loaders of photographs and pictures: a PDF, SVG or
// matrix file in a picture slot is no picture to put on the web. vips reads "[...]" at the end of a
// file name as load options, so such a name (no picture's) is not given to it.
bool pictureLoader(const QByteArray& name, PictureFormat* format)
{
    const char* loader = name.endsWith(']') ? nullptr : vips_foreign_find_load(name.constData());
    vips_error_clear();
    if (!loader)
        return false;
    static const std::pair<const char*, PictureFormat> known[] = {
        {"Jpeg", PictureFormat::Jpeg},  {"Png", PictureFormat::Png},    {"Gif", PictureFormat::Gif},
        {"Heif", PictureFormat::Other}, {"Tiff", PictureFormat::Other}, {"Webp", PictureFormat::Other},
        {"Jxl", PictureFormat::Other},  {"Jp2k", PictureFormat::Other}, {"Magick", PictureFormat::Other}};
    for (const auto& [part, kind] : known) {
        if (std::strstr(loader, part)) {
            *format = kind;
            return true;
        }
    }
    return false;
}

QString takeError()
{
    char* text = vips_error_buffer_copy();
    const QString error = QString::fromUtf8(text).trimmed();
    g_free(text);
    return error;
}

// Ends the pixel work once the caller is no longer waiting for it.
void checkStopped(VipsImage* image, VipsProgress*, const std::function<bool()>* stopped)
{
    if ((*stopped)())
        vips_image_set_kill(image, TRUE);
}

class VipsEngine final : public PictureEngine
{
public:
    PictureFacts inspect(const QString& path) override
    {
        PictureFacts facts;
        const QByteArray name = QFile::encodeName(path);
        VipsImage* image = nullptr;
        if (pictureLoader(name, &facts.format))
            image = vips_image_new_from_file(name.constData(), "access", VIPS_ACCESS_SEQUENTIAL, nullptr);
        vips_error_clear();
        if (image) {
            facts.readable = true;
            facts.width = image->Xsize;
            facts.height = vips_image_get_page_height(image);
            facts.orientation = vips_image_get_orientation(image);
            facts.alpha = vips_image_hasalpha(image);
            facts.pages = vips_image_get_n_pages(image);
            const VipsInterpretation kind = image->Type;
            facts.convertColour = image->BandFmt != VIPS_FORMAT_UCHAR ||
                                  (kind != VIPS_INTERPRETATION_sRGB && kind != VIPS_INTERPRETATION_B_W);
            g_object_unref(image);
        }
        vips_thread_shutdown();
        return facts;
    }

    QByteArray webCopy(const QString& path, const WebCopySpec& wanted, const std::function<bool()>& stopped,
                       QString* error) override
    {
        const QByteArray name = QFile::encodeName(path);
        PictureFormat format = PictureFormat::Other;
        if (!pictureLoader(name, &format)) {
            *error = QStringLiteral("it is not a picture Listwright can read");
            return {};
        }
        // A colour profile (a phone's Display P3) or CMYK pixels are converted to sRGB through the
        // profiles; pixels without one are sRGB already, and spared the work.
        VipsImage* header =
            vips_image_new_from_file(name.constData(), "access", VIPS_ACCESS_SEQUENTIAL, nullptr);
        const bool managed = header && (vips_image_get_typeof(header, VIPS_META_ICC_NAME) ||
                                        header->Type == VIPS_INTERPRETATION_CMYK);
        if (header)
            g_object_unref(header);
        // Every frame of a moving GIF; the first picture of any other file.
        const bool frames = format == PictureFormat::Gif && wanted.format == PictureFormat::Gif;
        VipsImage* ready = nullptr;
        // Shrink-on-load: a JPEG is decoded at a fraction of its size, never whole.
        if (vips_thumbnail(QByteArray(name + (frames ? "[n=-1]" : "")).constData(), &ready,
                           wanted.longestSide, "height", wanted.longestSide, "size", VIPS_SIZE_DOWN,
                           managed ? "export_profile" : nullptr, "srgb", nullptr)) {
            *error = takeError();
            vips_thread_shutdown();
            return {};
        }
        bool ok = true;
        const auto then = [&ready, &ok](int result, VipsImage* next) {
            ok = result == 0;
            if (ok) {
                g_object_unref(ready);
                ready = next;
            }
        };
        VipsImage* next = nullptr;
        // 16-bit, Lab and the like: 8-bit sRGB or grey for the web.
        const VipsInterpretation kind = ready->Type;
        if (ready->BandFmt != VIPS_FORMAT_UCHAR ||
            (kind != VIPS_INTERPRETATION_sRGB && kind != VIPS_INTERPRETATION_B_W)) {
            const bool grey = kind == VIPS_INTERPRETATION_GREY16 || kind == VIPS_INTERPRETATION_B_W;
            const int result = vips_colourspace(
                ready, &next, grey ? VIPS_INTERPRETATION_B_W : VIPS_INTERPRETATION_sRGB, nullptr);
            then(result, next);
        }
        if (ok && ready->BandFmt != VIPS_FORMAT_UCHAR) {
            const int result = vips_cast_uchar(ready, &next, nullptr);
            then(result, next);
        }
        if (ok && wanted.format == PictureFormat::Jpeg && vips_image_hasalpha(ready)) {
            VipsArrayDouble* white = vips_array_double_newv(1, 255.0);
            const int result = vips_flatten(ready, &next, "background", white, nullptr);
            vips_area_unref(VIPS_AREA(white));
            then(result, next);
        }
        vips_image_set_progress(ready, TRUE);
        g_signal_connect(ready, "eval", G_CALLBACK(checkStopped),
                         const_cast<std::function<bool()>*>(&stopped));
        void* bytes = nullptr;
        size_t size = 0;
        if (ok) {
            switch (wanted.format) {
            case PictureFormat::Png:
                ok = vips_pngsave_buffer(ready, &bytes, &size, "strip", TRUE, nullptr) == 0;
                break;
            case PictureFormat::Gif:
                ok = vips_gifsave_buffer(ready, &bytes, &size, "strip", TRUE, nullptr) == 0;
                break;
            default:
                ok = vips_jpegsave_buffer(ready, &bytes, &size, "Q", 85, "interlace", TRUE, "optimize_coding",
                                          TRUE, "strip", TRUE, nullptr) == 0;
                break;
            }
        }
        g_object_unref(ready);
        QByteArray result;
        if (ok)
            result = QByteArray(static_cast<const char*>(bytes), qsizetype(size));
        else
            *error = stopped() ? QStringLiteral("stopped") : takeError();
        g_free(bytes);
        vips_error_clear();
        vips_thread_shutdown();
        return result;
    }
};

// libvips writes its warnings on standard error, which carries the headless command's messages.
void dropMessage(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

} // namespace

} // namespace lw

extern "C" Q_DECL_EXPORT lw::PictureEngine* lw_create_picture_engine()
{
    static std::once_flag started;
    static lw::VipsEngine* engine = nullptr;
    std::call_once(started, [] {
        if (VIPS_INIT("listwright"))
            return;
        // Nothing is looked at twice: a cache would only hold on to memory.
        vips_cache_set_max(0);
        // The program prepares several pictures at once, one on each core.
        vips_concurrency_set(1);
        g_log_set_handler("VIPS", GLogLevelFlags(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE), lw::dropMessage,
                          nullptr);
        engine = new lw::VipsEngine;
        // Its idle worker threads end before the process does; the program's own users of the
        // engine are gone by then.
        std::atexit(vips_shutdown);
    });
    return engine;
}
