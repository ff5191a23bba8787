#include "preview/ui/browser_engine.h"

#include <QLoggingCategory>
#include <QtGlobal>

#include <unistd.h>

namespace QtWebEngineCore {
// Qt WebEngine's own start-up step, which it runs before the application exists when it is linked
// into a program: the OpenGL context the browser shares with the windows. Loaded later, as this
// module is, the engine must be given it here, or it fails on the first page (X11). Doing it only
// now keeps the program's start-up free of OpenGL.
Q_DECL_IMPORT void initialize();
} // namespace QtWebEngineCore

namespace lw {

void startBrowserEngine()
{
    // Chromium's sandbox refuses to run as root; only then is it switched off, before the engine starts.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    static const bool initialised = [] {
        // The engine's report of its graphics set-up means nothing to a seller.
        QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
        QtWebEngineCore::initialize();
        return true;
    }();
    Q_UNUSED(initialised);
}

} // namespace lw
