#include "core/hosts.h"

using namespace Qt::StringLiterals;

namespace lw {

namespace {
Hosts& instance()
{
    static Hosts hosts;
    return hosts;
}
} // namespace

const Hosts& Hosts::current()
{
    return instance();
}

void Hosts::set(const Hosts& hosts)
{
    instance() = hosts;
}

QString Hosts::makerPictureFolder() const
{
    return makerPictures;
}

QString Hosts::makerSite() const
{
    return u"http://"_s + maker + u"/lwr"_s;
}

QString Hosts::defaultSellingUrl() const
{
    // Signing in and selling over encrypted connections only: the sign-in page asked for with SSL,
    // and the selling page it returns to on https's own port.
    const QString returnAddress =
        u"https%3A%2F%2F"_s + selling +
        u"%2Fws2%2FeBayISAPI.dll%3FSellItem%26sspagename%3Dh%253Ah%253Asyi%253AUS%26pass%3D%7B_pass_%7D%26userid%3D"_s;
    return u"https://"_s + signIn +
           u"/aw-cgi/eBayISAPI.dll?SignIn&UsingSSL=1&pUserId=&co_partnerId=2&siteid=0&ru="_s + returnAddress +
           u"&pageType=1144"_s;
}

} // namespace lw
