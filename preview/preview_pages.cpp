#include "preview/preview_pages.h"

#include "sitecheck/html_document.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

const QString PhoneHead = u"<!DOCTYPE html><html><head><meta charset=\"utf-8\"><meta name=\"viewport\" "
                          u"content=\"width=device-width, initial-scale=1\">"_s;

const QString SummaryStyle =
    u"<style>body{margin:0;font:15px/1.45 sans-serif;color:#1a1a1a;background:#fff}"
    u"h1{margin:0;padding:10px 14px;font-size:14px;background:#f2f2f2;border-bottom:1px solid #ddd}"
    u"main{padding:12px 14px;overflow-wrap:anywhere}ul,ol{padding-left:22px}"
    u".limit{display:block;margin:6px 0;border-top:2px dashed #c00000;color:#c00000;font-size:12px}"
    u".over{color:#8a8a8a;text-decoration:line-through}"
    u".note{margin:0 14px 14px;padding:8px 10px;font-size:13px;color:#4a4000;background:#fff8dc;"
    u"border:1px solid #e8d58c;border-radius:4px}</style>"_s;

bool insideNode(const QList<HtmlNode>& nodes, int node, int ancestor)
{
    // Parents come before their children in document order.
    for (int p = nodes.at(node).parent; p >= ancestor; p = nodes.at(p).parent)
        if (p == ancestor)
            return true;
    return false;
}

// The marked summary as the site keeps it: lists and line breaks, every other tag dropped and its
// text kept. A list item counts three characters, a line break one, as the site counts them.
class SummaryWriter
{
public:
    explicit SummaryWriter(int limit) : m_limit(limit) {}

    void write(const QList<HtmlNode>& nodes, int summary)
    {
        QList<int> open;
        for (int i = summary + 1; i < nodes.size() && insideNode(nodes, i, summary); ++i) {
            while (!open.isEmpty() && !insideNode(nodes, i, open.last()))
                m_html += u"</"_s + nodes.at(open.takeLast()).tag + u'>';
            const HtmlNode& n = nodes.at(i);
            if (n.hidden)
                continue;
            if (n.kind == HtmlNode::Kind::Text) {
                static const QRegularExpression blanks(u"[ \\t\\r\\n\\f]+"_s);
                text(QString(n.text).replace(blanks, u" "_s));
            } else if (n.tag == u"br") {
                count(1);
                m_html += u"<br>"_s;
            } else if (n.tag == u"ul" || n.tag == u"ol" || n.tag == u"li") {
                if (n.tag == u"li")
                    count(3);
                m_html += u'<' + n.tag + u'>';
                open.append(i);
            }
        }
        while (!open.isEmpty())
            m_html += u"</"_s + nodes.at(open.takeLast()).tag + u'>';
    }

    QString html() const { return m_html; }
    int characters() const { return m_count; }

private:
    void text(const QString& t)
    {
        const qsizetype room = m_over ? 0 : qMax(0, m_limit - m_count);
        m_html += t.left(room).toHtmlEscaped();
        count(int(t.size()));
        // Each piece past the limit on its own, so that no mark spans the lists' own ends.
        if (t.size() > room)
            m_html += u"<span class=\"over\">"_s + t.mid(room).toHtmlEscaped() + u"</span>"_s;
    }

    void count(int n)
    {
        m_count += n;
        if (m_count > m_limit)
            passLimit();
    }

    void passLimit()
    {
        if (m_over)
            return;
        m_over = true;
        m_html += u"<span class=\"limit\">"_s + QString::number(m_limit) +
                  u" characters: phones drop what follows</span>"_s;
    }

    int m_limit;
    int m_count = 0;
    bool m_over = false;
    QString m_html;
};

} // namespace

QString phonePage(const QString& page)
{
    return PhoneHead + u"</head><body>"_s + page + u"</body></html>"_s;
}

QString phoneSummaryPage(const QString& page, const SiteRules& rules)
{
    const HtmlDocument doc(page);
    const QLocale c = QLocale::c();
    const int limit = rules.summaryChars;
    QString main, note;
    if (const int summary = markedSummaryNode(doc, rules); summary >= 0) {
        SummaryWriter writer(limit);
        writer.write(doc.nodes(), summary);
        main = writer.html();
        note = u"The marked summary has "_s + c.toString(writer.characters()) + u" of the "_s +
               c.toString(limit) + u" characters "_s + rules.name + u" shows on a phone."_s;
        if (writer.characters() > limit)
            note += u" The struck-through rest is dropped."_s;
    } else {
        const QString text = doc.plainText();
        main = text.left(limit).toHtmlEscaped() + (text.size() > limit ? u"\u2026"_s : QString());
        note = u"No mobile summary is marked, so a phone shows about the first "_s + c.toString(limit) +
               u" characters of the page's text ("_s + c.toString(text.size()) + u" in all). "_s +
               u"The listing check can add a summary made from the description: <a href=\""_s +
               QString::fromLatin1(PreviewCheckLink) + u"\">Check Ad For Site Rules</a>."_s;
    }
    return PhoneHead + SummaryStyle + u"</head><body><h1>Item description</h1><main>"_s + main +
           u"</main><p class=\"note\">"_s + note + u"</p></body></html>"_s;
}

QString findingsLine(const SiteCheckResult& result, const SiteRules& rules)
{
    if (!result.ok)
        return QString(u"The listing check could not make the page: "_s + result.error).toHtmlEscaped();
    const int rejected = result.count(FindingKind::Rejected);
    const int risky = result.count(FindingKind::Risky);
    const int advice = result.count(FindingKind::Advice);
    if (rejected + risky + advice == 0)
        return rules.name + u" would take this ad: nothing found"_s;
    QStringList parts;
    if (rejected > 0)
        parts << u"<span style=\"color:#b00000\">"_s + rules.name + u" would reject "_s +
                     QString::number(rejected) + (rejected == 1 ? u" part"_s : u" parts"_s) + u"</span>"_s;
    else
        parts << rules.name + u" would take this ad"_s;
    if (risky > 0)
        parts << QString::number(risky) + u" risky"_s;
    if (advice > 0)
        parts << QString::number(advice) + u" advice"_s;
    return parts.join(u" \u00B7 "_s);
}

} // namespace lw
