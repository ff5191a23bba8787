#include "pictures/picture_engine_loader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

#include <mutex>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

const QString ModuleFile = u"lw_picture_engine.so"_s;

struct Loaded
{
    PictureEngine* engine = nullptr;
    QString error;
};

Loaded load()
{
    // Beside the program in the build folder; in "modules/" of an installation.
    const QString dir = QCoreApplication::applicationDirPath();
    QStringList reasons;
    const QStringList candidates = {dir + u'/' + ModuleFile, dir + u"/modules/"_s + ModuleFile,
                                    dir + u"/../lib/listwright/modules/"_s + ModuleFile};
    for (const QString& path : candidates) {
        if (!QFileInfo::exists(path))
            continue;
        QLibrary module(path);
        module.setLoadHints(QLibrary::PreventUnloadHint);
        const auto create = reinterpret_cast<CreatePictureEngine>(module.resolve(CreatePictureEngineSymbol));
        if (PictureEngine* engine = create ? create() : nullptr)
            return {engine, {}};
        reasons << (create ? u"The picture engine in %1 could not start."_s.arg(path) : module.errorString());
    }
    return {nullptr, reasons.isEmpty() ? u"The file "_s + ModuleFile + u" was not found beside the program."_s
                                       : reasons.join(u"\r\n"_s)};
}

} // namespace

PictureEngine* pictureEngine(QString* error)
{
    static std::once_flag once;
    static Loaded loaded;
    std::call_once(once, [] { loaded = load(); });
    if (!loaded.engine && error)
        *error = loaded.error;
    return loaded.engine;
}

} // namespace lw
