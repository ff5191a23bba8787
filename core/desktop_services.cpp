#include "core/desktop_services.h"

#include "core/install_folder.h"

using namespace Qt::StringLiterals;

namespace lw {

void openPage(DesktopServices& ds, const QString& pathOrAddress)
{
    if (ds.shellOpen(pathOrAddress, installFolder()))
        return;
    ds.messageBox(openPageFailedText(pathOrAddress), MsgIcon::Exclamation,
                  QString::fromLatin1(OpenPageFailedTitle));
}

QString openPageFailedText(const QString& pathOrAddress, const QString& reason)
{
    return u"Listwright could not open "_s + pathOrAddress + u" in your web browser.\r\n\r\n"_s +
           (reason.isEmpty() ? QString() : reason + u"\r\n\r\n"_s) +
           u"Please check that the page exists and that a web browser is set as the default program for "
           u"web pages."_s;
}

} // namespace lw
