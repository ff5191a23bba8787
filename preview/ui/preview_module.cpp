#include "preview/preview_host.h"
#include "preview/ui/browser_engine.h"
#include "preview/ui/frm_live_preview.h"

// The module's entry for this window: the program resolves it by name after loading the module.
extern "C" Q_DECL_EXPORT lw::PreviewWindow* lw_create_live_preview(lw::PreviewHost& host, QWidget* parent)
{
    lw::startBrowserEngine();
    return new lw::frmLivePreview(host, parent);
}
