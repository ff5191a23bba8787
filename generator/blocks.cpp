#include "generator/blocks.h"

#include "generator/alt_text.h"

using namespace Qt::StringLiterals;

namespace lw {

std::array<QString, 4> buildMarqueeTags()
{
    return {u"</marquee>"_s, u"<marquee>"_s, u"<marquee direction = \"right\">"_s,
            u"<marquee behavior=\"alternate\">"_s};
}

QString noRightClickScript()
{
    return u"<script language=JavaScript> var message=\"\"; function clickIE() {if (document.all) "
           u"{(message);return false;}} function clickNS(e) {if  "
           u"(document.layers||(document.getElementById&&!document.all)) { if (e.which==2||e.which==3) "
           u"{(message);return false;}}} if (document.layers)  "
           u"{document.captureEvents(Event.MOUSEDOWN);document.onmousedown=clickNS;} "
           u"else{document.onmouseup=clickNS;document.oncontextmenu=clickIE;} "
           u"document.oncontextmenu=new Function(\"return false\") </script>"_s;
}

std::array<QString, 2> buildPageExtras(const QString& musicUrl)
{
    return {noRightClickScript(), u"<embed src=\""_s + musicUrl +
                                      u"\" hidden=true autostart=true loop=true><noembed><bgsound src=\""_s +
                                      musicUrl + u"\" loop=infinite></noembed>"_s};
}

QString pictureFileName(const QString& slotText)
{
    // A web address keeps its "/" parts: only a Windows path separator cuts it.
    qsizetype cut = slotText.lastIndexOf(u'\\');
    if (!slotText.contains(u"://"_s))
        cut = qMax(cut, slotText.lastIndexOf(u'/'));
    return cut < 0 ? slotText : slotText.mid(cut + 1);
}

QString pictureAddress(const QString& slotText, bool webMode, const QString& webUrl)
{
    return webMode ? webUrl + pictureFileName(slotText) : slotText;
}

QString pictureBlock(const QString& address, int slot, const GeneratorInput& in)
{
    return u"<A href = \""_s + address + u"\" target=\""_s + in.prefs.pictureTarget + u"\"><img src=\""_s +
           address + u"\" width=\""_s + in.pictures.thumbWidth.trimmed() + u"\" height=\""_s +
           in.pictures.thumbHeight.trimmed() + u"\" alt=\""_s + pictureAltText(in.ad.title, slot) +
           u"\"> </A><font color = \""_s + in.enlargeColor + u"\" size = 1><BR>Click To Enlarge!</font>"_s;
}

QString emailLink(const QString& email)
{
    return u"<DIV ALIGN = \"CENTER\"><A HREF = \"mailto:"_s + email +
           u"\">Click here to e-mail me!</A></DIV>"_s;
}

QString websiteLink(const QString& website)
{
    return u"<DIV ALIGN = \"CENTER\"><A HREF = \""_s + website +
           u"\">Click here to visit my website!</A></DIV>"_s;
}

QString otherAuctionsLink(int site, const QString& id, const Hosts& hosts)
{
    QString path;
    switch (site) {
    case 0:
        path = u"/ws/eBayISAPI.dll?ViewSellersOtherItems&include=0&userid="_s + id +
               u"&sort=3&rows=25&since=-1&rd=1"_s;
        break;
    case 1:
        path = u"/user/"_s + id;
        break;
    case 2:
        path =
            u"/cgi-bin/allauction.pl?action=search&searchstring="_s + id + u"&searchtype=username&seller=1"_s;
        break;
    case 3:
    case 4:
        path = u"/search.asp?searchtxt="_s + id + u"&searchtype=2"_s;
        break;
    default:
        return {};
    }
    return u"<DIV ALIGN = \"CENTER\"><A href = \"http://"_s + hosts.otherAuctions[site] + path +
           u"\">Click here to view my other auctions!</A></DIV>"_s;
}

QString aboutMeLink(const QString& id, const Hosts& hosts)
{
    return u"<DIV ALIGN = \"CENTER\"><A HREF = \"http://"_s + hosts.aboutMe + u"/aboutme/"_s + id +
           u"/\">Click here to view my 'About ME' page!</A></DIV>"_s;
}

QString footerLink(const Hosts& hosts)
{
    return u"<DIV ALIGN = \"CENTER\"><A href = \"http://"_s + hosts.maker +
           u"/lwr\">Ad Created With Listwright 2.3.2</A></DIV>"_s;
}

QString uspsForm(const GeneratorInput& in, const QString& logoFolder)
{
    return u"<form action=http://"_s + in.hosts.usps + u"/speed.asp name=zipform target=_blank>"_s +
           u"<div align=center><table width=365 border=1 cellpadding=4 cellspacing=0 bordercolor=#00CCFF "
           u"bordercolorlight=#C0C0C0 bordercolordark=#C0C0C0><tr><td width=360 align=center valign=middle "
           u"bordercolor=#000066 bgcolor=#F0F8FF><font face=Verdana color=#003399 size=1> To determine your "
           u"shipping cost, enter your Zip Code below and select '<strong>Calculate</strong>'.</font><font "
           u"face=Verdana><br><br>"_s +
           u"<img src=\""_s + logoFolder +
           u"usps.gif\" width=53 height=52 align=absmiddle alt=\"USPS\">&nbsp;&nbsp;"_s +
           u"<input type=text name=DZ size=6 maxlength=5><input type=submit value=Calculate Postage "
           u"name=zipok22>"_s +
           u"<input type=hidden name=OZ value="_s + in.prefs.zipCode +
           u"><input type=hidden name=P value="_s + in.ad.pounds + u"><input type=hidden name=O value="_s +
           in.ad.ounces +
           u"><input type=hidden name=LP value=package><input type=hidden name=OV value=off><input "
           u"type=hidden name=BL value=off><input type=hidden name=MT value=2><input type=hidden name=Dir "
           u"value=forward><input type=hidden name=retspec value=no><br><font color=#FF0000 size=1> <b>"_s +
           in.prefs.shipComment +
           u"</b> </font></font> </td></tr></table></div><div align=center> <font "
           u"face=verdana,helvetica,arial,sans serif size=1 color=#000080></font> </div></form>"_s;
}

QString upsForm(const GeneratorInput& in, const QString& logoFolder)
{
    return u"<form action=http://"_s + in.hosts.ups + u"/using/services/rave/qcosthtm.cgi target=_blank>"_s +
           u"<div align=center><table width=365 border=1 cellpadding=4 cellspacing=0 bordercolor=#660000 "
           u"bordercolorlight=#BDB76B bordercolordark=#BDB76B><tr><td align=center bordercolor=#660000 "
           u"bgcolor=#FCE8BE><font face=verdana,helvetica,arial,sans serif color=#000033 size=1>To determine "
           u"your shipping cost,enter your Zip Code below and select <B>Calculate</b>.</font><BR><BR>"_s +
           u"<img src=\""_s + logoFolder +
           u"ups.gif\" width=53 height=52 align=absmiddle alt=\"UPS\">&nbsp;&nbsp;"_s +
           u"<input type=text name=19_destPostal size=6 maxlength=5><input type=submit "
           u"value=Calculate><input "
           u"type=hidden name=47_rate_chart value=\"Customer Counter\"><input type=hidden "
           u"name=14_origCountry "
           u"value=US>"_s +
           u"<input type=hidden name=15_origPostal value="_s + in.prefs.zipCode +
           u"><input type=hidden name=22_destCountry value=US><input type=hidden name=49_residential value="_s +
           (in.prefs.upsResidential ? u"YES"_s : u"NO"_s) +
           u"><input type=hidden name=48_container value=00><input type=hidden name=weight_std "
           u"value=lbs.><input type=hidden name=23_weight value="_s +
           in.ad.pounds + u"><input type=hidden name=length_std value=in.>"_s +
           u"<input type=hidden name=25_length value="_s + in.prefs.upsLength +
           u"><input type=hidden name=26_width value="_s + in.prefs.upsWidth +
           u"><input type=hidden name=27_height value="_s + in.prefs.upsHeight +
           u"><input type=hidden name=24_value value="_s + in.prefs.upsInsurance +
           u"><br><font face=verdana,helvetica,arial,sans serif color=#660000 size=1><b>"_s +
           in.prefs.shipComment + u"</b></font></td></tr></table></div></form>"_s;
}

} // namespace lw
