#pragma once

#include <QString>

#include <array>

namespace lw {

// Every host the program talks to or links to. Tests replace them to point at loopback servers.
struct Hosts
{
    QString maker = QStringLiteral("www.listwright.example");
    QString supportEmail = QStringLiteral("support@listwright.example");
    // The update check's and the Updater's HTTPS hosts ("name" or "name:port"): build options too.
    QString versionServer = QStringLiteral(LW_VERSION_SERVER);
    QString packageServer = QStringLiteral(LW_PACKAGE_SERVER);
    std::array<QString, 5> otherAuctions = {
        QStringLiteral("cgi6.ebay.com"), QStringLiteral("auctions.yahoo.com"),
        QStringLiteral("www.auctionfire.example"), QStringLiteral("www.smalltownauction.example"),
        QStringLiteral("www.auctionsanonymous.example")};
    QString aboutMe = QStringLiteral("members.ebay.com");
    QString usps = QStringLiteral("postcalc.usps.gov");
    QString ups = QStringLiteral("www.ups.com");
    QString signIn = QStringLiteral("signin.ebay.com");
    QString selling = QStringLiteral("cgi5.ebay.com");
    QString auctionHome = QStringLiteral("http://www.ebay.com");
    // Where ads that are not uploaded find the emoticon, letter and carrier pictures: a build
    // option, so that whoever distributes the program can point it at real hosting.
    QString makerPictures = QStringLiteral(LW_MAKER_PICTURE_FOLDER);

    static const Hosts& current();
    static void set(const Hosts& hosts);

    // The maker's picture folder that generated ads link to.
    QString makerPictureFolder() const;
    QString makerSite() const;
    QString defaultSellingUrl() const;
};

} // namespace lw
