#include "settings/settings_file.h"

#include "core/text_file.h"
#include "settings/password_shift.h"

using namespace Qt::StringLiterals;

namespace lw {

namespace {
QString uspsDefaultComment()
{
    return u"Select either Priority Mail or Parcel Post for this item."_s;
}
} // namespace

SettingsRecord SettingsRecord::firstRun(const QString& installFolder)
{
    SettingsRecord r;
    r.templateFolder = installFolder + u"/templates"_s;
    r.shipComment = uspsDefaultComment();
    return r;
}

QStringList firstRunSettingsLines(const QString& installFolder)
{
    QStringList l;
    l << QString() << QString() << QString() << QString() << installFolder + u"/templates"_s;
    l << u"0"_s << u"0"_s << u"0"_s << u"0"_s << u"0"_s << u"0"_s << u"_Self"_s << u"0"_s;
    l << QString() << QString() << QString() << QString() << u"21"_s << u"0"_s << QString() << u"0"_s
      << u"0"_s << QString() << uspsDefaultComment() << u"True"_s << u"False"_s << u"0"_s;
    l << QString() << QString() << QString() << u"100"_s << u"0"_s;
    l << QString() << QString() << QString() << QString() << u"0"_s << u"2"_s << u"false"_s << u"0"_s;
    return l;
}

QStringList SettingsRecord::toLines() const
{
    auto b = [](bool v) { return numberText(v ? 1 : 0); };
    QStringList l;
    l << auctionId << email << website << terms << templateFolder << numberText(templateIndex)
      << b(includeEmail) << b(includeWebsite) << b(includeAuctions) << numberText(auctionSite)
      << numberText(font) << pictureTarget << b(includeMePage) << ftpServer << ftpUserName
      << scramblePassword(ftpPassword, QString::fromLatin1(SettingsPasswordMarker)) << ftpRemoteFolder
      << ftpPort << b(ftpAccess) << webUrl << b(passive) << b(showCalc) << zipCode << shipComment
      << flagText(useUsps) << flagText(useUps) << QString() << upsLength << upsWidth << upsHeight
      << upsInsurance << b(upsResidential) << QString() << QString() << QString() << QString()
      << numberText(termsColorValue) << QString::number(termsSize) << flagText(websiteNoticeShown)
      << b(alwaysUseColor);
    return l;
}

SettingsParse parseSettings(const QStringList& lines, const QString& installFolder)
{
    SettingsParse p;
    SettingsRecord& r = p.record;
    r = SettingsRecord::firstRun(installFolder);
    auto has = [&](int line) { return line <= lines.size(); };
    auto at = [&](int line) { return has(line) ? lines.at(line - 1) : QString(); };
    auto bad = [&](int line) { p.badLines << QString::number(line); };
    auto text = [&](int line, QString& into) {
        if (has(line))
            into = at(line);
    };
    // Empty lines read as the first-run value, as do lines that are not numbers
    // or whose value does not fit.
    auto number = [&](int line, int& into, int lo, int hi) {
        if (!has(line) || at(line).trimmed().isEmpty())
            return;
        const auto n = parseNumber(at(line));
        if (n && *n >= lo && *n <= hi)
            into = static_cast<int>(*n);
        else
            bad(line);
    };
    auto check = [&](int line, bool& into) {
        int v = into ? 1 : 0;
        number(line, v, 0, 1);
        into = v == 1;
    };
    auto flag = [&](int line, bool& into) {
        if (!has(line) || at(line).trimmed().isEmpty())
            return;
        if (const auto f = parseFlag(at(line)))
            into = *f;
        else
            bad(line);
    };

    text(1, r.auctionId);
    text(2, r.email);
    text(3, r.website);
    text(4, r.terms);
    const QString folder = at(5);
    const QString base = installFolder;
    if (folder.isEmpty() || folder == base + u"\\Template"_s || folder == base + u"\\template"_s ||
        folder == base + u"/Template"_s || folder == base + u"/template"_s)
        r.templateFolder = base + u"/templates/"_s;
    else
        r.templateFolder = folder;
    // Whether the index fits the template list is known only once the folder is listed.
    number(6, r.templateIndex, 0, 1000000);
    check(7, r.includeEmail);
    check(8, r.includeWebsite);
    check(9, r.includeAuctions);
    number(10, r.auctionSite, 0, 4);
    number(11, r.font, 0, 4);
    if (has(12) && !at(12).isEmpty())
        r.pictureTarget = at(12);
    check(13, r.includeMePage);
    text(14, r.ftpServer);
    text(15, r.ftpUserName);
    if (has(16))
        r.ftpPassword = unscramblePassword(at(16));
    text(17, r.ftpRemoteFolder);
    text(18, r.ftpPort);
    check(19, r.ftpAccess);
    text(20, r.webUrl);
    check(21, r.passive);
    check(22, r.showCalc);
    text(23, r.zipCode);
    if (has(24) && !at(24).isEmpty())
        r.shipComment = at(24);
    flag(25, r.useUsps);
    flag(26, r.useUps);
    text(28, r.upsLength);
    text(29, r.upsWidth);
    text(30, r.upsHeight);
    if (has(31) && !at(31).isEmpty())
        r.upsInsurance = at(31);
    check(32, r.upsResidential);
    if (has(37) && !at(37).trimmed().isEmpty()) {
        const auto n = parseNumber(at(37));
        if (n && *n >= -0xFFFFFFFFLL && *n <= 0xFFFFFFFFLL)
            r.termsColorValue = *n;
        else
            bad(37);
    }
    number(38, r.termsSize, 1, 7);
    flag(39, r.websiteNoticeShown);
    check(40, r.alwaysUseColor);
    return p;
}

} // namespace lw
