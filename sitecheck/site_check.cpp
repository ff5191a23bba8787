#include "sitecheck/site_check.h"

#include "generator/convert.h"
#include "generator/markup.h"
#include "sitecheck/html_document.h"
#include "sitecheck/page_sources.h"
#include "sitecheck/text_colours.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

using S = PageSource;

// Plain text, never markup, is searched with these.
const QRegularExpression& emailPattern()
{
    static const QRegularExpression re(
        u"[A-Za-z0-9._%+-]+@[A-Za-z0-9-]+(?:\\.[A-Za-z0-9-]+)*\\.[A-Za-z]{2,}"_s);
    return re;
}

const QRegularExpression& webAddressPattern()
{
    static const QRegularExpression re(u"(?:\\bhttps?://|\\bwww\\.)[^\\s<>\"']+"_s,
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

// url(...) of style sheets that loads over plain HTTP.
const QRegularExpression& cssHttpPattern()
{
    static const QRegularExpression re(u"url\\(\\s*['\"]?\\s*(http://[^'\")\\s]*)"_s,
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

// The file names the letter codes expand to: "H1.gif", "As3.gif", "expl9.gif".
const QRegularExpression& letterPicturePattern()
{
    static const QRegularExpression re(
        u"(?:^|/)(?:[A-Z]s?|[0-9]|expl|period|comma|percent|question|at|money|and)[1-9]\\.gif$"_s);
    return re;
}

bool startsWithCi(const QString& text, QStringView prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

QString elided(const QString& text, qsizetype max = 100)
{
    return text.size() <= max ? text : text.left(max - 3) + u"..."_s;
}

// Whether an address names a picture by its file's extension.
bool isPictureAddress(const QString& address)
{
    QString path = QUrl(address).path().toLower();
    static const QStringList extensions = {u".jpg"_s,  u".jpeg"_s, u".gif"_s, u".png"_s,
                                           u".webp"_s, u".bmp"_s,  u".tif"_s, u".tiff"_s};
    return std::any_of(extensions.begin(), extensions.end(),
                       [&path](const QString& e) { return path.endsWith(e); });
}

struct Hit
{
    QString rule;
    S source = S::Page;
    int index = 0;
    QString what;
    QString example;
    FixKind fix = FixKind::None;
    qsizetype order = 0;
    int count = 1;
};

class Checker
{
public:
    Checker(const QString& page, const GeneratorInput& in, const SiteRules& rules)
        : m_page(page), m_in(in), m_rules(rules), m_sources(PageSources::of(page, in)), m_doc(page)
    {
    }

    SiteCheckResult run()
    {
        checkSize();
        if (!m_doc.parsed())
            addFrom(u"nesting"_s, S::Page, 0, 0,
                    u"The page nests its elements deeper than "_s +
                        QString::number(HtmlDocument::MaxNesting) +
                        u" levels, which the site may not show as meant; it was not checked further"_s);
        checkNodes();
        checkSummary();
        checkLetterPictures();
        checkPictureSizes();
        checkContrast();
        SiteCheckResult result;
        result.ok = true;
        result.sourcesKnown = m_sources.known();
        std::stable_sort(m_hits.begin(), m_hits.end(), [this](const Hit& a, const Hit& b) {
            const FindingKind ka = m_rules.kindOf(a.rule), kb = m_rules.kindOf(b.rule);
            return ka != kb ? ka < kb : a.order < b.order;
        });
        for (const Hit& h : m_hits) {
            Finding f;
            f.kind = m_rules.kindOf(h.rule);
            f.rule = h.rule;
            f.source = h.source;
            f.index = h.index;
            f.fix = h.fix;
            f.text = h.what;
            if (h.count > 1)
                f.text += u" ("_s + QString::number(h.count) + u" times)"_s;
            if (!h.example.isEmpty())
                f.text += u": "_s + h.example;
            result.findings.append(f);
        }
        return result;
    }

private:
    void add(const QString& rule, qsizetype offset, const QString& what, const QString& example = {})
    {
        const PageSources::Origin o = m_sources.at(offset);
        addFrom(rule, o.source, o.index, offset, what, example);
    }

    void addFrom(const QString& rule, S source, int index, qsizetype offset, const QString& what,
                 const QString& example = {})
    {
        for (Hit& h : m_hits) {
            if (h.rule == rule && h.source == source && h.index == index && h.what == what) {
                ++h.count;
                return;
            }
        }
        m_hits.append({rule, source, index, what, elided(example), fixFor(rule, source, index), offset, 1});
    }

    FixKind fixFor(const QString& rule, S source, int index) const
    {
        if (source == S::NoRightClick || source == S::Music)
            return FixKind::SwitchOffEffect;
        if (source == S::Footer)
            return FixKind::LeaveOutFooter;
        if (source == S::Calculator || source == S::EmailLink || source == S::WebsiteLink ||
            source == S::OtherAuctions || source == S::AboutMe)
            return FixKind::SwitchOffPreference;
        if (rule == u"picture-address" && source == S::Picture) {
            if (uploadsPictures(m_in))
                return startsWithCi(m_in.prefs.webUrl, u"http://") ? FixKind::WebUrlHttps : FixKind::None;
            return startsWithCi(m_in.pictures.slots[size_t(index)].text, u"http://") ? FixKind::PictureHttps
                                                                                     : FixKind::None;
        }
        if (rule == u"mobile-summary")
            return descriptionPlainText(m_in.ad.description).isEmpty() ? FixKind::None
                                                                       : FixKind::AddMobileSummary;
        return FixKind::None;
    }

    void checkSize()
    {
        if (m_page.size() <= m_rules.maxPageChars)
            return;
        const QLocale c = QLocale::c();
        addFrom(u"size"_s, S::Page, 0, 0,
                u"The page has "_s + c.toString(m_page.size()) + u" characters; the site takes at most "_s +
                    c.toString(m_rules.maxPageChars));
    }

    void checkNodes()
    {
        const QList<HtmlNode>& nodes = m_doc.nodes();
        for (int i = 0; i < nodes.size(); ++i) {
            const HtmlNode& n = nodes.at(i);
            if (n.kind == HtmlNode::Kind::Text) {
                checkText(n);
                continue;
            }
            for (const auto& [tag, what] : m_rules.activeTags)
                if (n.tag == tag)
                    add(u"active-content"_s, n.offset,
                        u"The site refuses active content: "_s + what + u" (<"_s + tag + u">)"_s);
            if (n.tag == u"form" && !n.attribute(u"action").trimmed().isEmpty())
                add(u"active-content"_s, n.offset,
                    u"The site refuses active content: a form that sends its fields (<form action>)"_s);
            if (n.tag == u"meta" &&
                n.attribute(u"http-equiv").trimmed().compare(u"refresh", Qt::CaseInsensitive) == 0)
                add(u"active-content"_s, n.offset,
                    u"The site refuses active content: a page refresh (<meta http-equiv=refresh>)"_s);
            for (const HtmlAttribute& a : n.attributes)
                checkAttribute(n, a);
        }
    }

    void checkAttribute(const HtmlNode& n, const HtmlAttribute& a)
    {
        if (a.name.size() > 2 && a.name.startsWith(u"on"))
            add(u"active-content"_s, a.offset,
                u"The site refuses active content: an event script ("_s + a.name + u')');
        if (a.name == u"style") {
            checkCss(a.value, a.offset);
            return;
        }
        static const QStringList addresses = {u"src"_s,    u"background"_s, u"href"_s,   u"data"_s,
                                              u"poster"_s, u"lowsrc"_s,     u"dynsrc"_s, u"action"_s};
        if (!addresses.contains(a.name))
            return;
        QString value = a.value.trimmed();
        value.remove(u'\t').remove(u'\n').remove(u'\r'); // browsers ignore them inside addresses
        if (startsWithCi(value, u"javascript:")) {
            add(u"active-content"_s, a.offset,
                u"The site refuses active content: a script address (javascript:)"_s);
            return;
        }
        const PageSources::Origin origin = m_sources.at(a.offset);
        if (origin.source == S::Picture && (n.tag == u"img" || n.tag == u"a")) {
            checkPictureAddress(n, a, value, origin.index);
            return;
        }
        const bool link = a.name == u"href" && (n.tag == u"a" || n.tag == u"area");
        if (link && startsWithCi(value, u"mailto:")) {
            add(u"contact-email"_s, a.offset, u"E-mail links may get the listing removed"_s,
                value.mid(7).section(u'?', 0, 0));
            return;
        }
        if (startsWithCi(value, u"http://") && a.name != u"action" && (!link || isPictureAddress(value)))
            add(u"http-content"_s, a.offset, httpWhat(value), value);
        if (link && (startsWithCi(value, u"http://") || startsWithCi(value, u"https://"))) {
            const QString host = QUrl(value).host();
            if (!m_rules.isOwnHost(host))
                add(u"outside-link"_s, a.offset,
                    u"Links to other sites than "_s + m_rules.name + u"'s may get the listing removed"_s,
                    host.isEmpty() ? value : host);
        }
    }

    QString httpWhat(const QString& address) const
    {
        if (address.startsWith(m_in.hosts.makerPictureFolder()))
            return u"Emoticon, letter or carrier pictures come over plain HTTP from Listwright's picture "
                   u"folder; with the FTP upload to an https:// web image address they go along with your "
                   u"pictures"_s;
        return u"Loaded over plain HTTP; the site takes HTTPS content only"_s;
    }

    void checkPictureAddress(const HtmlNode& n, const HtmlAttribute& a, const QString& value, int slot)
    {
        // The thumbnail's link names the same address: the thumbnail speaks for both.
        if (!(n.tag == u"img" && a.name == u"src") || startsWithCi(value, u"https://"))
            return;
        if (startsWithCi(value, u"http://"))
            addFrom(u"picture-address"_s, S::Picture, slot, a.offset,
                    u"The picture's address is not HTTPS; the site shows HTTPS pictures only"_s, value);
        else
            addFrom(u"picture-address"_s, S::Picture, slot, a.offset,
                    u"The picture is a file on this computer, which the site cannot show; switch on the FTP "
                    u"upload or give the picture's https:// address"_s,
                    value);
    }

    void checkCss(const QString& css, qsizetype offset)
    {
        QRegularExpressionMatchIterator it = cssHttpPattern().globalMatch(css);
        while (it.hasNext()) {
            const QString address = it.next().captured(1);
            add(u"http-content"_s, offset, httpWhat(address), address);
        }
    }

    void checkText(const HtmlNode& n)
    {
        if (n.parent >= 0 && m_doc.nodes().at(n.parent).isElement(u"style")) {
            checkCss(n.text, n.offset);
            return;
        }
        if (n.hidden)
            return;
        // Most texts hold neither; the patterns run only on those that may.
        if (n.text.contains(u'@')) {
            QRegularExpressionMatchIterator mail = emailPattern().globalMatch(n.text);
            while (mail.hasNext()) {
                const QRegularExpressionMatch m = mail.next();
                add(u"contact-email"_s, n.offset + m.capturedStart(),
                    u"E-mail addresses in the text may get the listing removed"_s, m.captured());
            }
        }
        if (!n.text.contains(u"www."_s, Qt::CaseInsensitive) && !n.text.contains(u"://"_s))
            return;
        QRegularExpressionMatchIterator web = webAddressPattern().globalMatch(n.text);
        while (web.hasNext()) {
            // Where in the text it stands, so that a text joining the template and an inserted value
            // is put down to the right one (entities make this a close estimate).
            const QRegularExpressionMatch m = web.next();
            add(u"web-address-text"_s, n.offset + m.capturedStart(),
                u"Web addresses in the text may get the listing removed"_s, m.captured());
        }
    }

    void checkSummary()
    {
        if (markedSummaryNode(m_doc, m_rules) >= 0)
            return;
        const qsizetype shown = m_doc.plainText().size();
        if (shown <= m_rules.summaryChars)
            return;
        addFrom(u"mobile-summary"_s, S::Description, 0, 0,
                u"Phones show about "_s + QString::number(m_rules.summaryChars) + u" of the page's "_s +
                    QLocale::c().toString(shown) + u" characters of text; no summary is marked for them"_s);
    }

    void checkLetterPictures()
    {
        const QList<HtmlNode>& nodes = m_doc.nodes();
        QList<std::pair<PageSources::Origin, int>> words; // per source
        int total = 0;
        bool previousLetter = false;
        int previousParent = -2;
        for (const HtmlNode& n : nodes) {
            const bool letter =
                n.isElement(u"img") && letterPicturePattern().match(n.attribute(u"src")).hasMatch();
            if (letter && !(previousLetter && previousParent == n.parent)) {
                ++total;
                const PageSources::Origin o = m_sources.at(n.offset);
                auto it = std::find_if(words.begin(), words.end(), [&o](const auto& w) {
                    return w.first.source == o.source && w.first.index == o.index;
                });
                if (it == words.end())
                    words.append({o, 1});
                else
                    ++it->second;
            }
            previousLetter = letter;
            previousParent = n.parent;
        }
        if (total <= m_rules.letterImageWords)
            return;
        for (const auto& [origin, count] : words)
            addFrom(u"letter-images"_s, origin.source, origin.index, 0,
                    QString::number(count) + (count == 1 ? u" word is"_s : u" words are"_s) +
                        u" spelled with letter pictures, which search and phones cannot read"_s);
    }

    void checkPictureSizes()
    {
        for (int k = 0; k < int(m_in.pictures.slots.size()); ++k) {
            const PictureSlot& slot = m_in.pictures.slots[size_t(k)];
            if (!slot.enabled || slot.text.isEmpty() || slot.text.contains(u"://"_s))
                continue;
            if (!QFileInfo(slot.text).isFile())
                continue;
            // The header tells the size; the picture is not decoded.
            const QSize size = QImageReader(slot.text).size();
            if (!size.isValid() || qMax(size.width(), size.height()) >= m_rules.minPictureSide)
                continue;
            addFrom(u"picture-size"_s, S::Picture, k, 0,
                    u"The picture measures "_s + QString::number(size.width()) + u" by "_s +
                        QString::number(size.height()) + u" pixels; the site wants at least "_s +
                        QString::number(m_rules.minPictureSide) + u" on the longest side"_s,
                    slot.text);
        }
    }

    // Text the seller's colours make hard to read; the template's own colours are readable as shipped.
    void checkContrast()
    {
        QList<TextColours> worst;
        for (const TextColours& t : templateTextColours(m_in)) {
            if (!t.seller || t.readable())
                continue;
            auto same = std::find_if(worst.begin(), worst.end(), [&t](const TextColours& o) {
                return o.color == t.color && o.background == t.background;
            });
            if (same == worst.end())
                worst.append(t);
            else if (t.contrast() / t.required() < same->contrast() / same->required())
                *same = t;
        }
        for (const TextColours& t : worst) {
            static const QList<std::pair<QString, S>> sources = {
                {u"title colour"_s, S::Title},
                {u"sub-title colour"_s, S::SubTitle},
                {u"description colour"_s, S::Description},
                {u"terms colour"_s, S::Terms},
                {u"optional information colour"_s, S::Optional}};
            S source = S::Tables;
            for (const auto& [name, s] : sources)
                if (t.color == name)
                    source = s;
            // Rounded down, so that a ratio just short of the mark never reads as reaching it.
            const QString ratio = QString::number(std::floor(t.contrast() * 10) / 10, 'f', 1);
            addFrom(u"contrast"_s, source, 0, 0,
                    t.color + u" on "_s + t.background + u": contrast "_s + ratio + u":1"_s);
        }
    }

    const QString& m_page;
    const GeneratorInput& m_in;
    const SiteRules& m_rules;
    PageSources m_sources;
    HtmlDocument m_doc;
    QList<Hit> m_hits;
};

} // namespace

int markedSummaryNode(const HtmlDocument& doc, const SiteRules& rules)
{
    const QList<HtmlNode>& nodes = doc.nodes();
    for (int i = 0; i < nodes.size(); ++i) {
        if (nodes.at(i).attribute(u"property").trimmed() != rules.summaryProperty)
            continue;
        for (int up = i; up >= 0; up = nodes.at(up).parent)
            if (nodes.at(up).attribute(u"typeof").trimmed() == rules.summaryType)
                return i;
    }
    return -1;
}

int SiteCheckResult::count(FindingKind kind) const
{
    return int(
        std::count_if(findings.begin(), findings.end(), [kind](const Finding& f) { return f.kind == kind; }));
}

QString sourceName(PageSource source, int index)
{
    switch (source) {
    case S::Page:
        return u"the page as a whole"_s;
    case S::Template:
        return u"the template"_s;
    case S::Title:
        return u"the title"_s;
    case S::SubTitle:
        return u"the sub-title"_s;
    case S::Description:
        return u"the description"_s;
    case S::Terms:
        return u"preference Auction Terms"_s;
    case S::Optional:
        return u"the optional information"_s;
    case S::Picture:
        return u"picture "_s + QString::number(index + 1);
    case S::Tables:
        return u"the table backgrounds (Customize Template)"_s;
    case S::EmailLink:
        return u"preference Include Email Link In Ad"_s;
    case S::WebsiteLink:
        return u"preference Include Website Link In Ad"_s;
    case S::OtherAuctions:
        return u"preference Include Other Auctions Link In Ad"_s;
    case S::AboutMe:
        return u"preference Include 'About Me' eBay Page"_s;
    case S::Calculator:
        return u"preference Display Shipping Calculator In Ads"_s;
    case S::NoRightClick:
        return u"effect Disable Right-Click"_s;
    case S::Music:
        return u"effect Background Music"_s;
    case S::Footer:
        return u"the footer"_s;
    case S::Count:
        break;
    }
    return {};
}

QString Finding::where() const
{
    return sourceName(source, index);
}

QString Finding::fixCaption() const
{
    switch (fix) {
    case FixKind::None:
        return {};
    case FixKind::SwitchOffEffect:
        return u"Switch Effect Off"_s;
    case FixKind::SwitchOffPreference:
        return u"Switch Off"_s;
    case FixKind::LeaveOutFooter:
        return u"Leave Footer Out"_s;
    case FixKind::PictureHttps:
    case FixKind::WebUrlHttps:
        return u"Use https://"_s;
    case FixKind::AddMobileSummary:
        return u"Add Summary"_s;
    }
    return {};
}

QString Finding::fixName() const
{
    switch (fix) {
    case FixKind::None:
        return {};
    case FixKind::SwitchOffEffect:
        return u"switch-off-effect"_s;
    case FixKind::SwitchOffPreference:
        return u"switch-off-preference"_s;
    case FixKind::LeaveOutFooter:
        return u"leave-out-footer"_s;
    case FixKind::PictureHttps:
        return u"picture-https"_s;
    case FixKind::WebUrlHttps:
        return u"web-image-url-https"_s;
    case FixKind::AddMobileSummary:
        return u"add-mobile-summary"_s;
    }
    return {};
}

SiteCheckResult checkPage(const QString& page, const GeneratorInput& in, const SiteRules& rules)
{
    return Checker(page, in, rules).run();
}

SiteCheckResult checkAd(const GeneratorInput& in, const SiteRules& rules)
{
    GeneratorInput generate = in;
    generate.preview = false;
    generate.markSources = false;
    const GeneratorResult page = expandTemplate(generate);
    if (!page.ok) {
        SiteCheckResult result;
        result.error = page.error;
        return result;
    }
    return checkPage(page.page, generate, rules);
}

QString descriptionPlainText(const QString& description)
{
    // Emoticons say nothing; a letter picture reads as its letter.
    static const QRegularExpression emoticon(u"\\[S(?:[1-9]|1[0-9]|2[0-4])\\]"_s);
    static const QRegularExpression letter(u"\\[([A-Za-z0-9!.,%?@$&])\\]"_s);
    QString text = description;
    text.remove(emoticon);
    text.replace(letter, u"\\1"_s);
    return HtmlDocument(lineBreaksToHtml(text)).plainText();
}

} // namespace lw
