#include "settings/preferences_commands.h"

#include "core/desktop_services.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "core/text_file.h"
#include "core/user_files.h"
#include "pictures/picture_slots.h"
#include "settings/own_settings.h"
#include "settings/settings_file.h"
#include "settings/template_commands.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace lw {

using F = Preferences::Field;

QString settingsPath()
{
    return userFileToWrite(u"settings.txt"_s);
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
        MsgIcon::Information, u"Website Linking Information"_s);
    state.prefs.setWebsiteNoticeShown(true);
}

void loadSettings(SharedState& state, PreferencesWindowState& window, DesktopServices& ds)
{
    const QString base = installFolder();
    QString path = userFileToRead(u"settings.txt"_s);
    if (!QFileInfo::exists(path)) {
        path = settingsPath();
        writeTextLines(path, firstRunSettingsLines(base), nullptr, true);
    }
    // An unreadable file loads as the first run would.
    const TextReadResult file = readTextLines(path);
    const SettingsValues read = parseSettings(file.ok ? file.lines : QStringList(), base).values;

    Preferences& p = state.prefs;
    const PreferenceValues& now = p.values();
    PreferenceValues next = read.prefs;
    readOwnSettings(next);
    next.ftpPassword = state.passwords.fromLine(Secret::Ftp, next.ftpPassword);
    if (!next.alwaysUseColor)
        next.termsColor = now.termsColor;
    // Only the two targets the window offers are taken; anything else leaves the window's.
    if (next.pictureTarget == u"_Self" || next.pictureTarget == u"_Blank") {
        next.windowState = next.pictureTarget == u"_Blank";
    } else {
        next.pictureTarget = now.pictureTarget;
        next.windowState = now.windowState;
    }
    if (next.useUps)
        next.useUsps = false;
    if (!next.useUsps && !next.useUps) {
        next.useUsps = true;
        next.showCalc = false;
        next.shipComment = Preferences::uspsComment();
    }
    const bool websiteWasOn = now.includeWebsite;
    p.setValues(next);
    if (next.includeWebsite && !websiteWasOn)
        websiteLinkNotice(state, ds);
    state.templates.setFolder(read.templateFolder);
    state.templates.setSelectedIndex(read.templateIndex < state.templates.files().size() ? read.templateIndex
                                                                                         : 0);
    if (next.ftpAccess)
        p.copyFtpAccount();
    applyBrowseRule(state);

    cmdPrefOK_Click(state, window, ds, OkOrigin::Loader);
}

bool saveSettings(SharedState& state, QString* error)
{
    const SettingsValues values{state.prefs.values(), state.templates.folder(),
                                state.templates.selectedIndex()};
    const QString base = installFolder();
    QStringList lines = settingsLines(values, base);
    if (!state.passwords.keepsLine(Secret::Ftp, values.prefs.ftpPassword))
        lines[passwordLine(settingsTable(base)) - 1].clear();
    return writeTextLines(settingsPath(), lines, error, true) && writeOwnSettings(values.prefs, error);
}

bool cmdPrefOK_Click(SharedState& state, PreferencesWindowState& window, DesktopServices& ds, OkOrigin origin)
{
    const Preferences& p = state.prefs;
    // A password the keyring did not give at start-up is no fault of the settings: Generate says
    // why it is missing when it needs it.
    const bool passwordWithheld =
        origin == OkOrigin::Loader && !state.passwords.trouble(Secret::Ftp).isEmpty();
    if (p.flag(F::FtpAccess)) {
        if (p.text(F::FtpServer).isEmpty() || p.text(F::FtpUserName).isEmpty() ||
            (p.text(F::FtpPassword).isEmpty() && !passwordWithheld) || p.text(F::WebUrl).isEmpty() ||
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
                MsgIcon::Exclamation, u"Error: FTP Port"_s);
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
                MsgIcon::Exclamation, u"Error: Zipcode Value"_s);
            window.currentTab = 2;
            return false;
        }
        if (p.flag(F::UseUps) && (!isNumber(p.text(F::UpsLength)) || !isNumber(p.text(F::UpsWidth)) ||
                                  !isNumber(p.text(F::UpsHeight)) || !isNumber(p.text(F::UpsInsurance)))) {
            ds.messageBox(
                u"In order to use the UPS shipping calculator, you must have a width, length, height, "
                u"and insurance value entered in the UPS preferences.  Please ensure that all fields "
                u"only consist of numeric values and that each field contains a value."_s,
                MsgIcon::Exclamation, u"Error: UPS Values"_s);
            window.currentTab = 2;
            return false;
        }
    }
    QString error;
    if (!saveSettings(state, &error))
        ds.messageBox(u"The preferences could not be saved to "_s + settingsPath() + u".\r\n"_s + error,
                      MsgIcon::Exclamation, u"Error Saving Preferences"_s);
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
