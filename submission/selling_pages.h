#pragma once

#include "submission/page_document.h"

#include <QString>
#include <QUrl>

#include <optional>

namespace lw {

// The auction site's selling pages as the submission window tells them apart.
enum class SellingPage
{
    Welcome,
    SignIn,
    SellingFormat,
    Category,
    ItemSpecifics,
    Description,
    Pictures,
    PaymentShipping,
    Confirmation,
    Other,
};

// The title shared by the item-specifics and the description form: the page's HTML tells which.
bool needsRootHtml(const QString& locationName);
SellingPage recognisePage(const QString& locationName, const QString& rootHtml = {});

// What a recognised page does to one button (or button pair).
enum class ButtonState
{
    Unchanged,
    Hidden,      // hidden, button-face colour
    Off,         // disabled, button-face colour
    Highlighted, // enabled, the 0xE0E0E0 highlight, its caption back
    Disabled,    // Back and Continue: disabled
    Enabled,     // Back and Continue: enabled
};

struct ButtonRow
{
    ButtonState start = ButtonState::Unchanged;
    ButtonState signIn = ButtonState::Unchanged;
    ButtonState title = ButtonState::Unchanged;
    ButtonState description = ButtonState::Unchanged;
    ButtonState pictures = ButtonState::Unchanged;
    ButtonState back = ButtonState::Unchanged;
    ButtonState next = ButtonState::Unchanged;
    bool operator==(const ButtonRow&) const = default;
};

ButtonRow buttonRow(SellingPage page);

struct ElementPosition
{
    int form = 0;
    int element = 0;
    bool operator==(const ElementPosition&) const = default;
};

// FindSignInButton: the first element valued "Sign In >", or of type "submit" in form 1.
std::optional<ElementPosition> findSignInButton(const QList<FormElements>& forms);
// FindGalleryOption: the first element valued "1" and named "Gallery" or "GalleryBasic".
std::optional<ElementPosition> findGalleryOption(const QList<FormElements>& forms);

// Whether Auto Sign-in may fill in the password on the page at `address`: only on a page that came
// over https:// from one of the auction site's own hosts.
enum class SignInPage
{
    Allowed,
    NotSecure,
    OtherHost,
};
SignInPage signInPage(const QUrl& address);
// The page's origin as its own location.origin gives it ("https://host" or "https://host:port"): the
// fill script checks it, so that a page that changed meanwhile gets nothing.
QString pageOrigin(const QUrl& address);

// The site's title field holds 55 characters.
inline constexpr int AuctionTitleLimit = 55;
struct AuctionTitle
{
    QString text;
    bool cut = false;
};
AuctionTitle auctionTitle(const QString& adTitle);

// A picked picture's address for the selling form: spaces as "%20", after the web image address
// when FTP upload is on.
QString sellingPictureAddress(const QString& choice, bool ftpUploadOn, const QString& webImageAddress);
// The seller's account uses the site's own picture hosting, which takes uploads, not addresses.
bool usesSiteHosting(const QString& rootHtml);

} // namespace lw
