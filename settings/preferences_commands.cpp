#include "settings/preferences_commands.h"

#include "core/desktop_services.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "core/text_file.h"
#include "pictures/picture_slots.h"
#include "settings/settings_file.h"
#include "settings/template_commands.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace lw {

using F = Preferences::Field;

QString settingsPath()
{
    return installPath(u"settings.txt"_s);
}

void connectTemplateSelection(SharedState& state)
{
    QObject::connect(&state.templates, &TemplateCatalogue::selectionChanged, &state,
                     [&state] { showTemplateSelection(state); });
}

void websiteLinkNotice(SharedState& state, DesktopServices& ds)
{
    if (state.prefs.websiteNoticeShown())
        return;
    ds.messageBox(
        u"This is a one-time message which is being presented because you have selected to include your "
        u"website URL in your listings (under Preferences).  For the most part, auction sites do not allow "
        u"you "
        u"to link to an external site unless it is used to further describe your listing.  Below you will "
        u"find "
        u"the rules eBay has laid out in regards to using external links in your listings (most auction "
        u"sites "
        u"have similar rules).  Improper link usage may result in auction termination or account suspension."
        u"\r\n\r\n"
        u"- Page can further describe the item being sold in listing\r\n"
        u"- Link can have additional photos of item for sale\r\n"
        u"- Link can take user to further terms and conditions about the listing\r\n"
        u"- The link should not directly offer other products for sale\r\n"
        u"\r\n"
        u"Tarrowby cannot be held responsible if your auction gets pulled due to a website URL you post."_s,
        MsgStyle::Information, u"Website Linking Information"_s);
    state.prefs.setWebsiteNoticeShown(true);
}

void loadSettings(SharedState& state, PreferencesWindowState& window, DesktopServices& ds)
{
    const QString base = installFolder();
    const QString path = settingsPath();
    if (!QFileInfo::exists(path))
        writeTextLines(path, firstRunSettingsLines(base), nullptr, true);
    // An unreadable file loads as the first run would.
    const TextReadResult file = readTextLines(path);
    const SettingsRecord r = parseSettings(file.ok ? file.lines : firstRunSettingsLines(base), base).record;

    Preferences& p = state.prefs;
    if (r.alwaysUseColor)
        p.setTermsColor(ColorPair::fromValue(r.termsColorValue));
    p.setTermsSize(r.termsSize);
    p.setWebsiteNoticeShown(r.websiteNoticeShown);

    p.setText(F::AuctionId, r.auctionId);
    p.setText(F::Email, r.email);
    p.setText(F::Website, r.website);
    p.setText(F::Terms, r.terms);
    state.templates.setFolder(r.templateFolder);
    state.templates.setSelectedIndex(r.templateIndex < state.templates.files().size() ? r.templateIndex : 0);
    p.setFlag(F::IncludeEmail, r.includeEmail);
    const bool websiteWasOn = p.flag(F::IncludeWebsite);
    p.setFlag(F::IncludeWebsite, r.includeWebsite);
    if (r.includeWebsite && !websiteWasOn)
        websiteLinkNotice(state, ds);
    p.setFlag(F::IncludeAuctions, r.includeAuctions);
    p.setIndex(F::AuctionSite, r.auctionSite);
    p.setIndex(F::Font, r.font);
    if (r.pictureTarget == u"_Self")
        p.setFlag(F::WindowState, false), p.setPictureTarget(u"_Self"_s);
    else if (r.pictureTarget == u"_Blank")
        p.setFlag(F::WindowState, true), p.setPictureTarget(u"_Blank"_s);
    p.setFlag(F::IncludeMePage, r.includeMePage);
    QString terms = r.terms;
    p.setText(F::Terms, terms.replace(u"<BR>"_s, u"\r\n"_s));
    p.setText(F::FtpServer, r.ftpServer);
    p.setText(F::FtpUserName, r.ftpUserName);
    p.setText(F::FtpPassword, r.ftpPassword);
    p.setText(F::FtpRemoteFolder, r.ftpRemoteFolder);
    p.setText(F::FtpPort, r.ftpPort);
    p.setFlag(F::FtpAccess, r.ftpAccess);
    p.setText(F::WebUrl, r.webUrl);
    p.setFlag(F::Passive, r.passive);
    p.setFlag(F::ShowCalc, r.showCalc);
    p.setText(F::ZipCode, r.zipCode);
    p.setFlag(F::UseUsps, r.useUsps);
    p.setFlag(F::UseUps, r.useUps);
    p.setText(F::ShipComment, r.shipComment);
    p.setText(F::UpsLength, r.upsLength);
    p.setText(F::UpsWidth, r.upsWidth);
    p.setText(F::UpsHeight, r.upsHeight);
    p.setText(F::UpsInsurance, r.upsInsurance);
    p.setFlag(F::UpsResidential, r.upsResidential);
    p.setFlag(F::AlwaysUseColor, r.alwaysUseColor);

    if (!p.flag(F::UseUsps) && !p.flag(F::UseUps)) {
        p.setFlag(F::UseUsps, true);
        p.setFlag(F::ShowCalc, false);
    }
    if (p.flag(F::FtpAccess))
        p.copyFtpAccount();
    applyBrowseRule(state);

    cmdPrefOK_Click(state, window, ds, OkOrigin::Loader);
}

bool saveSettings(SharedState& state, QString* error)
{
    const Preferences& p = state.prefs;
    SettingsRecord r;
    r.auctionId = p.text(F::AuctionId);
    r.email = p.text(F::Email);
    r.website = p.text(F::Website);
    QString terms = p.text(F::Terms);
    // Every kind of line break, or a lone CR or LF would split the line in the file.
    r.terms = terms.replace(u"\r\n"_s, u"<BR>"_s).replace(u'\r', u"<BR>"_s).replace(u'\n', u"<BR>"_s);
    r.templateFolder = state.templates.folder();
    r.templateIndex = state.templates.selectedIndex();
    r.includeEmail = p.flag(F::IncludeEmail);
    r.includeWebsite = p.flag(F::IncludeWebsite);
    r.includeAuctions = p.flag(F::IncludeAuctions);
    r.auctionSite = p.index(F::AuctionSite);
    r.font = p.index(F::Font);
    r.pictureTarget = p.pictureTarget();
    r.includeMePage = p.flag(F::IncludeMePage);
    r.ftpServer = p.text(F::FtpServer);
    r.ftpUserName = p.text(F::FtpUserName);
    r.ftpPassword = p.text(F::FtpPassword);
    r.ftpRemoteFolder = p.text(F::FtpRemoteFolder);
    r.ftpPort = p.text(F::FtpPort);
    r.ftpAccess = p.flag(F::FtpAccess);
    r.webUrl = p.text(F::WebUrl);
    r.passive = p.flag(F::Passive);
    r.showCalc = p.flag(F::ShowCalc);
    r.zipCode = p.text(F::ZipCode);
    r.shipComment = p.text(F::ShipComment);
    r.useUsps = p.flag(F::UseUsps);
    r.useUps = p.flag(F::UseUps);
    r.upsLength = p.text(F::UpsLength);
    r.upsWidth = p.text(F::UpsWidth);
    r.upsHeight = p.text(F::UpsHeight);
    r.upsInsurance = p.text(F::UpsInsurance);
    r.upsResidential = p.flag(F::UpsResidential);
    r.termsColorValue = p.termsColor().value;
    r.termsSize = p.termsSize();
    r.websiteNoticeShown = p.websiteNoticeShown();
    r.alwaysUseColor = p.flag(F::AlwaysUseColor);
    return writeTextLines(settingsPath(), r.toLines(), error, true);
}

bool cmdPrefOK_Click(SharedState& state, PreferencesWindowState& window, DesktopServices& ds, OkOrigin origin)
{
    const Preferences& p = state.prefs;
    if (p.flag(F::FtpAccess)) {
        if (p.text(F::FtpServer).isEmpty() || p.text(F::FtpUserName).isEmpty() ||
            p.text(F::FtpPassword).isEmpty() || p.text(F::WebUrl).isEmpty() ||
            !isNumber(p.text(F::FtpPort))) {
            ds.messageBox(
                u"You have selected to use the FTP access feature of Listwright.  However, in order to use "
                u"this "
                u"feature all fields of the FTP configuration section must be accurately filled out.  You "
                u"are "
                u"receiving this message because one or more fields are not filled out, or they contain "
                u"invalid "
                u"data.  The only optional field is 'Remote URL'.  The Remote URL field only needs to be "
                u"specified if you go to a sub-directory once connected to the FTP server before "
                u"transferring "
                u"your images.  For more information, please view the help file.\r\n\r\nNote: The FTP Port "
                u"number must be a number value, and cannot contain any text."_s,
                MsgStyle::Exclamation, u"Error: FTP Port"_s);
            window.currentTab = 1;
            return false;
        }
    }
    if (p.flag(F::ShowCalc)) {
        if (!isNumber(p.text(F::ZipCode))) {
            ds.messageBox(
                u"You have entered an invalid zipcode under the shipping preferences.  In order to use "
                u"the shippintg calculator feature, you need to enter a 5 digit zipcode which consists "
                u"only of numeric values."_s,
                MsgStyle::Exclamation, u"Error: Zipcode Value"_s);
            window.currentTab = 2;
            return false;
        }
        if (p.flag(F::UseUps) && (!isNumber(p.text(F::UpsLength)) || !isNumber(p.text(F::UpsWidth)) ||
                                  !isNumber(p.text(F::UpsHeight)) || !isNumber(p.text(F::UpsInsurance)))) {
            ds.messageBox(
                u"In order to use the UPS shipping calculator, you must have a width, length, height, "
                u"and insurance value entered in the UPS preferences.  Please ensure that all fields "
                u"only consist of numeric values and that each field contains a value."_s,
                MsgStyle::Exclamation, u"Error: UPS Values"_s);
            window.currentTab = 2;
            return false;
        }
    }
    QString error;
    if (!saveSettings(state, &error))
        ds.messageBox(u"The preferences could not be saved to "_s + settingsPath() + u": "_s + error,
                      MsgStyle::Exclamation, u"Error Saving Preferences"_s);
    // The loader applies the selected template's look every time, so a new ad
    // always starts from its template's colours.
    if (origin == OkOrigin::Loader || state.templates.selectedIndex() != window.openingSelection) {
        DefaultColors(state, ds);
        show_colors(state);
    }
    if (p.flag(F::FtpAccess))
        state.prefs.copyFtpAccount();
    window.visible = false;
    return true;
}

} // namespace lw
