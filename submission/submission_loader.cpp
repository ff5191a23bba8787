#include "submission/submission_loader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

const QString ModuleFile = u"lw_browser.so"_s;

} // namespace

QStringList submissionModuleCandidates()
{
    // Beside the program in the build folder; in "modules/" of an installation, where the
    // package's library set-up (ldconfig) has no business with it.
    const QString dir = QCoreApplication::applicationDirPath();
    return {dir + u'/' + ModuleFile, dir + u"/modules/"_s + ModuleFile,
            dir + u"/../lib/listwright/modules/"_s + ModuleFile};
}

QFunctionPointer browserModuleEntry(const char* symbol, QString* error)
{
    QStringList reasons;
    for (const QString& path : submissionModuleCandidates()) {
        if (!QFileInfo::exists(path))
            continue;
        // Never unloaded: the windows' code lives in it for the rest of the run.
        QLibrary module(path);
        module.setLoadHints(QLibrary::PreventUnloadHint);
        if (!module.load()) {
            reasons << module.errorString();
            continue;
        }
        if (const QFunctionPointer entry = module.resolve(symbol))
            return entry;
        reasons << module.errorString();
    }
    if (error)
        *error = reasons.isEmpty() ? u"The file "_s + ModuleFile + u" was not found beside the program."_s
                                   : reasons.join(u"\r\n"_s);
    return nullptr;
}

std::unique_ptr<SubmissionWindow> createSubmissionWindow(SubmissionHost& host, QWidget* parent,
                                                         QString* error)
{
    const auto create =
        reinterpret_cast<CreateSubmissionWindow>(browserModuleEntry(CreateSubmissionWindowSymbol, error));
    return std::unique_ptr<SubmissionWindow>(create ? create(host, parent) : nullptr);
}

QString submissionModuleMissingText(const QString& error)
{
    return u"The submission window could not be opened, because its part of Listwright could not be loaded:\r\n\r\n"_s +
           error +
           u"\r\n\r\nPlease reinstall Listwright.  Until then you can generate the ad and paste it into the "
           u"auction "
           u"site's selling form yourself."_s;
}

} // namespace lw
