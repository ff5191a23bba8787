#include "generator/convert.h"

#include "generator/blocks.h"
#include "generator/markup.h"

using namespace Qt::StringLiterals;

namespace lw {

TokenList buildTokenList(const QString& page)
{
    TokenList list;
    qsizetype braceStart = -1;
    qsizetype bracketStart = -1;
    const qsizetype n = page.size();
    const QChar* data = page.constData();
    auto add = [&list](QString token) {
        if (list.tokens.size() >= MaxTokens) {
            list.error = u"The template has more than 150 placeholders."_s;
            return false;
        }
        list.tokens.append(std::move(token));
        return true;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = data[i].unicode();
        if (c == u'{') {
            braceStart = i;
        } else if (c == u'}') {
            if (braceStart < 0) {
                list.error = u"The template has a \"}\" without its \"{\"."_s;
                return list;
            }
            if (!add(page.mid(braceStart, i - braceStart + 1)))
                return list;
        } else if (c == u'[') {
            bracketStart = i;
            if (!add(u"["_s))
                return list;
        } else if (c == u']') {
            if (bracketStart < 0) {
                list.error = u"The template has a \"]\" without its \"[\"."_s;
                return list;
            }
            if (!add(u"]"_s))
                return list;
            list.optionalSection = page.mid(bracketStart, i - bracketStart + 1);
        }
    }
    list.ok = true;
    return list;
}

namespace {

// The working page: every substitution replaces all occurrences in the whole page.
class Page
{
public:
    explicit Page(QString text) : m_text(std::move(text)) {}

    void replace(const QString& token, const QString& value)
    {
        if (token.isEmpty())
            return;
        if (m_tooLarge)
            return;
        if (replaceEvery(m_text, token, value, &m_spare, MaxPageChars, &m_tooLarge))
            m_dirty = m_dirty || token != value;
    }
    // A placeholder inside an inserted text is replaced again, so a page can
    // grow without bound; past the limit the generation fails instead.
    bool tooLarge() const { return m_tooLarge; }
    // True when the page may have changed since the last call.
    bool takeDirty()
    {
        const bool d = m_dirty;
        m_dirty = false;
        return d;
    }
    QString& text() { return m_text; }

private:
    QString m_text;
    QString m_spare; // the previous text's buffer, reused by the next replacement
    bool m_dirty = true;
    bool m_tooLarge = false;
};

// The five fonts of the preferences window's list; an index outside it names none.
QString defaultFontName(int index)
{
    static const QString fonts[] = {u"Arial"_s, u"Courier"_s, u"Times New Roman"_s, u"Comic Sans MS"_s,
                                    u"Verdana"_s};
    return index >= 0 && index < 5 ? fonts[index] : QString();
}

} // namespace

QString markSource(PageSource source, int index, const QString& value)
{
    if (value.isEmpty())
        return value;
    const auto code = char16_t(SourceCodeBase + int(source) * 16 + (index & 15));
    return QChar(SourceOpen) + QChar(code) + value + QChar(SourceClose);
}

bool uploadsPictures(const GeneratorInput& in)
{
    return !in.preview && in.prefs.ftpAccess;
}

QStringList codePicturesUsed(const GeneratorInput& in)
{
    // The codes expand exactly as on the page, into a folder name no text holds.
    const QString marker = u"\u0001emt\u0001/"_s;
    const QString digit = styleDigit(in.ad.letterStyle);
    QStringList used;
    for (const QString& text : {in.ad.title, in.ad.subTitle, in.ad.description}) {
        const QString expanded = expandCodes(text, marker, digit);
        for (qsizetype at = expanded.indexOf(marker); at >= 0; at = expanded.indexOf(marker, at + 1)) {
            const qsizetype start = at + marker.size();
            const QString name = expanded.mid(start, expanded.indexOf(u".gif"_s, start) + 4 - start);
            if (!used.contains(u"icons/emt/"_s + name))
                used << u"icons/emt/"_s + name;
        }
    }
    if (in.prefs.showCalc && in.prefs.useUsps)
        used << u"icons/usps.gif"_s;
    if (in.prefs.showCalc && in.prefs.useUps)
        used << u"icons/ups.gif"_s;
    return used;
}

GeneratorResult expandTemplate(const GeneratorInput& in)
{
    GeneratorResult result;
    if (in.templateText.size() > MaxTemplateChars) {
        result.error = u"The template is longer than 32,767 characters."_s;
        return result;
    }

    const QString webFolder = uploadsPictures(in)
                                  ? in.prefs.webUrl + QString::fromLatin1(CodePictureFolder) + u'/'
                                  : in.hosts.makerPictureFolder();
    const QString codeFolder = imageFolder(in.preview, in.installFolder, webFolder);
    const QString shipLogos = logoFolder(in.preview, in.installFolder, webFolder);
    const QString digit = styleDigit(in.ad.letterStyle);
    using S = PageSource;
    auto mark = [&in](S source, const QString& value, int index = 0) {
        return in.markSources ? markSource(source, index, value) : value;
    };
    const QString title = expandCodes(in.ad.title, codeFolder, digit);
    const QString subTitle = expandCodes(in.ad.subTitle, codeFolder, digit);
    const QString description =
        mark(S::Description, expandCodes(lineBreaksToHtml(in.ad.description), codeFolder, digit));
    const QString terms = mark(S::Terms, lineBreaksToHtml(in.prefs.terms));

    const TokenList list = buildTokenList(in.templateText);
    if (!list.ok) {
        result.error = list.error;
        return result;
    }

    Page page(in.templateText);
    const bool webMode = uploadsPictures(in);
    const QString empty;

    for (int t = 1; t <= MaxTokens; ++t) {
        const QString& T = t <= list.tokens.size() ? list.tokens.at(t - 1) : empty;

        if (t == 1) {
            for (int k = 0; k <= 9; ++k) {
                const QString g = u"{IMAGE"_s + QString::number(k) + u'}';
                if (!list.tokens.contains(g))
                    continue;
                const QString& slot = in.pictures.slots[k].text;
                if (slot.isEmpty())
                    page.replace(g, {});
                else
                    page.replace(g, mark(S::Picture,
                                         pictureBlock(pictureAddress(slot, webMode, in.prefs.webUrl), k, in),
                                         k));
            }
        }

        if (T.isEmpty()) {
            // An empty token matches no placeholder; only the optional-section rule applies.
            if (!in.ad.includeOptional && !list.optionalSection.isEmpty() && page.takeDirty())
                page.replace(list.optionalSection, {});
            continue;
        }

        auto scrollInto = [&](const QString& token, const QString& text, const bool* scroll, S source) {
            if (T != token)
                return;
            if (scroll[0])
                page.replace(T, mark(source, in.marqueeTags[1] + text + in.marqueeTags[0]));
            if (scroll[1])
                page.replace(T, mark(source, in.marqueeTags[2] + text + in.marqueeTags[0]));
            if (scroll[2])
                page.replace(T, mark(source, in.marqueeTags[3] + text + in.marqueeTags[0]));
            if (!scroll[0])
                page.replace(T, mark(source, text));
        };
        scrollInto(u"{TITLE}"_s, title, &in.ad.effects[0], S::Title);
        scrollInto(u"{SUB-TITLE}"_s, subTitle, &in.ad.effects[3], S::SubTitle);
        if (T == u"{BODYTEXT1}")
            page.replace(T, description);

        if (T == u"{TITLECOLOR}")
            page.replace(T, in.ad.titleColor.text);
        if (T == u"{SUBTITLECOLOR}")
            page.replace(T, in.ad.subTitleColor.text);
        if (T == u"{DESCRIPTIONCOLOR}")
            page.replace(T, in.ad.descriptionColor.text);
        if (T == u"{TERMSCOLOR}")
            page.replace(T, in.prefs.termsColor.text);

        if (T == u"{TERMSSIZE}")
            page.replace(T, QString::number(in.prefs.termsSize));
        if (T == u"{TITLESIZE}")
            page.replace(T, mark(S::Title, in.ad.titleSize));
        if (T == u"{SUBTITLESIZE}")
            page.replace(T, mark(S::SubTitle, in.ad.subTitleSize));
        if (T == u"{DROPCAPSIZE}")
            page.replace(T, {});
        if (T == u"{DESCRIPTIONSIZE}")
            page.replace(T, mark(S::Description, in.ad.descriptionSize));

        for (int n = 1; n <= 4; ++n) {
            if (T != u"{t"_s + QString::number(n) + u'}')
                continue;
            if (!in.tables[n].useTexture)
                page.replace(T, mark(S::Tables, u"bgcolor = "_s + in.tables[n].colorText));
            if (in.tables[n].useTexture)
                page.replace(T, mark(S::Tables, u"background = "_s + in.tables[n].texture));
        }

        if (T == u"{TERMS1}")
            page.replace(T, terms);

        if (in.ad.includeOptional) {
            if (T == u"{TERMS1COLOR}")
                page.replace(T, {});
            if (T == u"{CONDITION}")
                page.replace(T, mark(S::Optional, in.ad.condition));
            if (T == u"{AGE}")
                page.replace(T, mark(S::Optional, in.ad.age));
            if (T == u"{COMMENTS}")
                page.replace(T, mark(S::Optional, in.ad.comments));
            if (T == u"{SHIPCOST}")
                page.replace(T, mark(S::Optional, in.ad.shipCost));
            if (T == u"[" || T == u"]")
                page.replace(T, {});
        }

        if (T == u"{BODYBGCOLOR}")
            page.replace(T, mark(S::Tables, u"<style> <!--Body {background: url("_s + in.tables[0].texture +
                                                u")}--> </style><body background="_s + in.tables[0].texture));

        if (!in.ad.includeOptional && !list.optionalSection.isEmpty() && page.takeDirty())
            page.replace(list.optionalSection, {});

        if (T == u"{EMAIL}" && in.prefs.includeEmail)
            page.replace(T, mark(S::EmailLink, emailLink(in.prefs.email)));
        if (T == u"{WEBSITE}" && in.prefs.includeWebsite)
            page.replace(T, mark(S::WebsiteLink, websiteLink(in.prefs.website)));

        if (T == u"{OPTCOLOR}")
            page.replace(T, in.ad.optionalColor.text);

        if (T == u"{OTHERAUCTIONS}" && in.prefs.includeAuctions && in.prefs.auctionSite >= 0 &&
            in.prefs.auctionSite <= 4)
            page.replace(T, mark(S::OtherAuctions,
                                 otherAuctionsLink(in.prefs.auctionSite, in.prefs.auctionId, in.hosts)));
        if (T == u"{MEPAGE}" && in.prefs.includeMePage)
            page.replace(T, mark(S::AboutMe, aboutMeLink(in.prefs.auctionId, in.hosts)));

        if ((T == u"{EMAIL}" && !in.prefs.includeEmail) || (T == u"{WEBSITE}" && !in.prefs.includeWebsite) ||
            (T == u"{OTHERAUCTIONS}" && !in.prefs.includeAuctions) ||
            (T == u"{MEPAGE}" && !in.prefs.includeMePage))
            page.replace(T, {});

        if (T == u"{NORIGHTCLICK}")
            page.replace(T, in.ad.effects[6] ? mark(S::NoRightClick, in.pageExtras[0]) : QString());
        if (T == u"{BGMUSIC}")
            page.replace(T, in.ad.effects[7] ? mark(S::Music, in.pageExtras[1]) : QString());
        if (T == u"{REZO}")
            page.replace(T, !in.hideFooter ? mark(S::Footer, footerLink(in.hosts)) : QString());

        if (T == u"{SHIPCALC}") {
            if (!in.prefs.showCalc) {
                page.replace(T, {});
            } else {
                if (in.prefs.useUsps)
                    page.replace(T, mark(S::Calculator, uspsForm(in, shipLogos)));
                if (in.prefs.useUps)
                    page.replace(T, mark(S::Calculator, upsForm(in, shipLogos)));
            }
        }

        if (T == u"{DEFAULTFONT}")
            page.replace(T, defaultFontName(in.prefs.font));
    }

    if (page.tooLarge()) {
        result.error = u"The finished ad would be larger than the generator allows."_s;
        return result;
    }
    result.ok = true;
    result.page = std::move(page.text());
    return result;
}

} // namespace lw
