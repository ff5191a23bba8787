#include "submission/submission_host.h"
#include "submission/ui/frm_list_ad.h"

#include <QtGlobal>

#include <unistd.h>

// The module's only entry: the program resolves it by name after loading the module.
extern "C" Q_DECL_EXPORT lw::SubmissionWindow* lw_create_submission_window(lw::SubmissionHost& host,
                                                                           QWidget* parent)
{
    // Chromium's sandbox refuses to run as root; only then is it switched off, before the engine starts.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    return new lw::frmListAd(host, parent);
}
