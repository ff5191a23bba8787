#include "submission/selling_pages.h"

#include "sitecheck/site_hosts.h"

using namespace Qt::StringLiterals;

namespace lw {

namespace {

const QString DescribeTitle = u"Sell Your Item: Describe Your Item"_s;

} // namespace

bool needsRootHtml(const QString& locationName)
{
    return locationName == DescribeTitle;
}

SellingPage recognisePage(const QString& locationName, const QString& rootHtml)
{
    static const struct
    {
        const char16_t* name;
        SellingPage page;
    } names[] = {
        {u"submit", SellingPage::Welcome},
        {u"submit.htm", SellingPage::Welcome},
        {u"Sell Your Item - Sign In", SellingPage::SignIn},
        {u"Sell Your Item: Choose a Selling Format", SellingPage::SellingFormat},
        {u"Sell Your Item step 1 of 5: Category", SellingPage::Category},
        {u"Sell Your Item: Enter Pictures & Item Details", SellingPage::Pictures},
        {u"Sell Your Item: Enter Payment & Shipping", SellingPage::PaymentShipping},
        {u"Sell Your Item: Confirmation", SellingPage::Confirmation},
    };
    if (locationName == DescribeTitle)
        return rootHtml.contains(u"Any Item Specifics left blank will be displayed as"_s)
                   ? SellingPage::ItemSpecifics
                   : SellingPage::Description;
    for (const auto& n : names)
        if (locationName == QStringView(n.name))
            return n.page;
    return SellingPage::Other;
}

ButtonRow buttonRow(SellingPage page)
{
    using B = ButtonState;
    switch (page) {
    case SellingPage::Welcome:
        return {};
    case SellingPage::Other:
        return {B::Hidden, B::Off, B::Off, B::Off, B::Off, B::Unchanged, B::Unchanged};
    case SellingPage::SignIn:
        return {B::Hidden, B::Highlighted, B::Off, B::Off, B::Off, B::Disabled, B::Disabled};
    case SellingPage::SellingFormat:
        return {B::Unchanged, B::Off, B::Off, B::Off, B::Off, B::Disabled, B::Enabled};
    case SellingPage::Category:
    case SellingPage::ItemSpecifics:
    case SellingPage::PaymentShipping:
        return {B::Unchanged, B::Off, B::Off, B::Off, B::Off, B::Enabled, B::Enabled};
    case SellingPage::Description:
        return {B::Unchanged, B::Off, B::Highlighted, B::Highlighted, B::Off, B::Enabled, B::Enabled};
    case SellingPage::Pictures:
        return {B::Unchanged, B::Off, B::Off, B::Off, B::Highlighted, B::Enabled, B::Enabled};
    case SellingPage::Confirmation:
        return {B::Unchanged, B::Unchanged, B::Unchanged, B::Unchanged,
                B::Unchanged, B::Disabled,  B::Disabled};
    }
    return {};
}

std::optional<ElementPosition> findSignInButton(const QList<FormElements>& forms)
{
    for (int i = 0; i < forms.size(); ++i)
        for (int j = 0; j < forms[i].size(); ++j) {
            const FormElement& e = forms[i][j];
            if (e.value == u"Sign In >" || (i == 1 && e.type == u"submit"))
                return ElementPosition{i, j};
        }
    return std::nullopt;
}

std::optional<ElementPosition> findGalleryOption(const QList<FormElements>& forms)
{
    for (int i = 0; i < forms.size(); ++i)
        for (int j = 0; j < forms[i].size(); ++j) {
            const FormElement& e = forms[i][j];
            if (e.value == u"1" && (e.name == u"Gallery" || e.name == u"GalleryBasic"))
                return ElementPosition{i, j};
        }
    return std::nullopt;
}

SignInPage signInPage(const QUrl& address)
{
    if (address.scheme() != u"https")
        return SignInPage::NotSecure;
    return isHostOf(ebayHosts(), address.host()) ? SignInPage::Allowed : SignInPage::OtherHost;
}

QString pageOrigin(const QUrl& address)
{
    const int port = address.port();
    QString origin = address.scheme() + u"://"_s + address.host(QUrl::FullyEncoded);
    if (port != -1 && port != 443)
        origin += u':' + QString::number(port);
    return origin;
}

AuctionTitle auctionTitle(const QString& adTitle)
{
    if (adTitle.size() <= AuctionTitleLimit)
        return {adTitle, false};
    int end = AuctionTitleLimit;
    // Never half a character outside the basic plane.
    if (adTitle.at(end - 1).isHighSurrogate())
        --end;
    return {adTitle.left(end), true};
}

QString sellingPictureAddress(const QString& choice, bool ftpUploadOn, const QString& webImageAddress)
{
    QString address = choice;
    address.replace(u' ', u"%20"_s);
    return ftpUploadOn ? webImageAddress + address : address;
}

bool usesSiteHosting(const QString& rootHtml)
{
    return rootHtml.contains(u"click on the \"Browse...\" buttons below."_s) ||
           rootHtml.contains(u"adjust your pictures"_s);
}

} // namespace lw
