#include "preview/ui/browser_engine.h"
#include "submission/submission_host.h"
#include "submission/ui/frm_list_ad.h"

// The module's entry for this window: the program resolves it by name after loading the module.
extern "C" Q_DECL_EXPORT lw::SubmissionWindow* lw_create_submission_window(lw::SubmissionHost& host,
                                                                           QWidget* parent)
{
    lw::startBrowserEngine();
    return new lw::frmListAd(host, parent);
}
