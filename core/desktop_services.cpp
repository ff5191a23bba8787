#include "core/desktop_services.h"

#include "core/install_folder.h"

using namespace Qt::StringLiterals;

namespace lw {

void openPage(DesktopServices& ds, const QString& pathOrAddress)
{
    if (ds.shellOpen(pathOrAddress, installFolder()))
        return;
    ds.messageBox(
        u"Listwright could not open "_s + pathOrAddress +
            u" in your web browser.\r\n\r\nPlease check that the page exists and that a web browser "
            u"is set as the default program for web pages."_s,
        MsgIcon::Exclamation, u"Unable To Open Page"_s);
}

} // namespace lw
