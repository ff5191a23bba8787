#include "settings/settings_file.h"

using namespace Qt::StringLiterals;

namespace lw {

LineTable<SettingsValues> settingsTable(const QString& installFolder)
{
    using K = LineKind;
    using S = SettingsValues;
    constexpr IfEmpty Keep = IfEmpty::Keep;
    auto pref = [](auto member) { return [member](S& s) -> LineValue { return &(s.prefs.*member); }; };
    LineTable<S> t;
    t.passwordMarker = u"q83K2vbW7"_s;
    t.add(1, pref(&PreferenceValues::auctionId), K::Text)
        .add(2, pref(&PreferenceValues::email), K::Text)
        .add(3, pref(&PreferenceValues::website), K::Text)
        .add(4, pref(&PreferenceValues::terms), K::Breaks)
        .add(
            5, [](S& s) -> LineValue { return &s.templateFolder; }, K::Text, installFolder + u"/templates"_s)
        // Whether the index fits the template list is known only once the folder is listed.
        .addNumber(
            6, [](S& s) -> LineValue { return &s.templateIndex; }, K::Number, 0, 1000000, u"0"_s, Keep)
        .add(7, pref(&PreferenceValues::includeEmail), K::Check, u"0"_s, Keep)
        .add(8, pref(&PreferenceValues::includeWebsite), K::Check, u"0"_s, Keep)
        .add(9, pref(&PreferenceValues::includeAuctions), K::Check, u"0"_s, Keep)
        .addNumber(10, pref(&PreferenceValues::auctionSite), K::Number, 0, 4, u"0"_s, Keep)
        .addNumber(11, pref(&PreferenceValues::font), K::Number, 0, 4, u"0"_s, Keep)
        .add(12, pref(&PreferenceValues::pictureTarget), K::Text, u"_Self"_s, Keep)
        .add(13, pref(&PreferenceValues::includeMePage), K::Check, u"0"_s, Keep)
        .add(14, pref(&PreferenceValues::ftpServer), K::Text)
        .add(15, pref(&PreferenceValues::ftpUserName), K::Text)
        .add(16, pref(&PreferenceValues::ftpPassword), K::Password)
        .add(17, pref(&PreferenceValues::ftpRemoteFolder), K::Text)
        .add(18, pref(&PreferenceValues::ftpPort), K::Text, u"21"_s)
        .add(19, pref(&PreferenceValues::ftpAccess), K::Check, u"0"_s, Keep)
        .add(20, pref(&PreferenceValues::webUrl), K::Text)
        .add(21, pref(&PreferenceValues::passive), K::Check, u"0"_s, Keep)
        .add(22, pref(&PreferenceValues::showCalc), K::Check, u"0"_s, Keep)
        .add(23, pref(&PreferenceValues::zipCode), K::Text)
        .add(24, pref(&PreferenceValues::shipComment), K::Text, Preferences::uspsComment(), Keep)
        .add(25, pref(&PreferenceValues::useUsps), K::Flag, u"True"_s, Keep)
        .add(26, pref(&PreferenceValues::useUps), K::Flag, u"False"_s, Keep)
        .add(28, pref(&PreferenceValues::upsLength), K::Text)
        .add(29, pref(&PreferenceValues::upsWidth), K::Text)
        .add(30, pref(&PreferenceValues::upsHeight), K::Text)
        .add(31, pref(&PreferenceValues::upsInsurance), K::Text, u"100"_s, Keep)
        .add(32, pref(&PreferenceValues::upsResidential), K::Check, u"0"_s, Keep)
        .add(37, pref(&PreferenceValues::termsColor), K::Color, u"0"_s, Keep)
        .addNumber(38, pref(&PreferenceValues::termsSize), K::PlainNumber, 1, 7, u"2"_s, Keep)
        .add(39, pref(&PreferenceValues::websiteNoticeShown), K::Flag, u"False"_s, Keep)
        .add(40, pref(&PreferenceValues::alwaysUseColor), K::Check, u"0"_s, Keep);
    return t;
}

QStringList firstRunSettingsLines(const QString& installFolder)
{
    return firstRunLines(settingsTable(installFolder));
}

SettingsRead parseSettings(const QStringList& lines, const QString& installFolder)
{
    const LineTable<SettingsValues> table = settingsTable(installFolder);
    SettingsRead r;
    r.values = firstRunValues(table);
    r.badLines = readLineTable(table, lines, r.values);
    // Older installations named the folder after themselves; an empty one is the installation's.
    QString& folder = r.values.templateFolder;
    const QString& base = installFolder;
    if (folder.isEmpty() || folder == base + u"\\Template"_s || folder == base + u"\\template"_s ||
        folder == base + u"/Template"_s || folder == base + u"/template"_s)
        folder = base + u"/templates/"_s;
    return r;
}

QStringList settingsLines(const SettingsValues& values, const QString& installFolder)
{
    return writeLineTable(settingsTable(installFolder), values);
}

} // namespace lw
