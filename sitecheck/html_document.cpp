#include "sitecheck/html_document.h"

#include <gumbo.h>

#include <QHash>
#include <QSet>

#include <algorithm>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

QString fromPiece(const char* data, size_t length)
{
    return QString::fromUtf8(data, qsizetype(length));
}

QString tagName(const GumboElement& e)
{
    // One shared string per known tag: a page has tens of thousands of elements.
    static const std::vector<QString> known = [] {
        std::vector<QString> names;
        for (int t = 0; t < GUMBO_TAG_UNKNOWN; ++t)
            names.push_back(QString::fromLatin1(gumbo_normalized_tagname(GumboTag(t))));
        return names;
    }();
    if (e.tag >= 0 && e.tag < GUMBO_TAG_UNKNOWN)
        return known[size_t(e.tag)];
    GumboStringPiece piece = e.original_tag;
    gumbo_tag_from_original_text(&piece);
    return fromPiece(piece.data, piece.length).toLower();
}

// Elements whose text a reader never sees as text.
bool hidesText(QStringView tag)
{
    return tag == u"script" || tag == u"style" || tag == u"noscript" || tag == u"noembed" ||
           tag == u"noframes" || tag == u"template" || tag == u"title" || tag == u"xmp";
}

bool breaksText(QStringView tag)
{
    static const QStringList blocks = {u"br"_s, u"p"_s,     u"div"_s, u"li"_s, u"tr"_s, u"td"_s,
                                       u"th"_s, u"table"_s, u"h1"_s,  u"h2"_s, u"h3"_s, u"h4"_s,
                                       u"h5"_s, u"h6"_s,    u"ul"_s,  u"ol"_s, u"hr"_s, u"center"_s};
    return blocks.contains(tag);
}

// A tag name packed into a number: six bits a character, the first ten characters.
quint64 packedName(QStringView name)
{
    quint64 key = 0;
    for (qsizetype i = 0; i < name.size() && i < 10; ++i) {
        const char16_t c = name[i].unicode() | 0x20;
        key = key << 6 | (c >= u'a' && c <= u'z' ? c - u'a' + 11 : (c & 0x0F) + 1);
    }
    return key;
}

QSet<quint64> packedNames(std::initializer_list<const char16_t*> names)
{
    QSet<quint64> set;
    for (const char16_t* n : names)
        set.insert(packedName(QStringView(n)));
    return set;
}

bool isVoid(quint64 tag)
{
    static const QSet<quint64> voids = packedNames(
        {u"area", u"base", u"br", u"col", u"embed", u"hr", u"img", u"input", u"link", u"meta", u"param",
         u"source", u"track", u"wbr", u"keygen", u"basefont", u"bgsound", u"frame", u"image"});
    return voids.contains(tag);
}

// A second one of these closes the first rather than nesting in it.
bool closesItsKind(quint64 tag)
{
    static const QSet<quint64> kinds = packedNames({u"p", u"li", u"td", u"th", u"tr", u"option", u"dt", u"dd",
                                                    u"tbody", u"thead", u"tfoot", u"colgroup", u"a"});
    return kinds.contains(tag);
}

} // namespace

int HtmlDocument::nestingEstimate(QStringView html)
{
    // Open elements by name: an end tag closes only what is open, as in the parser.
    QHash<quint64, int> open;
    int depth = 0, deepest = 0;
    const qsizetype n = html.size();
    const QChar* data = html.data();
    for (qsizetype i = 0; i + 1 < n; ++i) {
        if (data[i] != u'<')
            continue;
        const bool end = data[i + 1] == u'/';
        qsizetype j = i + (end ? 2 : 1);
        const qsizetype start = j;
        auto nameChar = [](char16_t c) {
            return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
        };
        if (j >= n || !QChar::isLetter(data[j].unicode()) || data[j].unicode() >= 128)
            continue;
        while (j < n && nameChar(data[j].unicode()))
            ++j;
        const quint64 name = packedName(html.sliced(start, j - start));
        i = j - 1;
        if (isVoid(name))
            continue;
        int& count = open[name];
        if (end) {
            if (count > 0) {
                --count;
                --depth;
            }
        } else if (!(count > 0 && closesItsKind(name))) {
            ++count;
            deepest = qMax(deepest, ++depth);
        }
    }
    return deepest;
}

QString HtmlNode::attribute(QStringView name) const
{
    for (const HtmlAttribute& a : attributes)
        if (a.name == name)
            return a.value.isNull() ? u""_s : a.value;
    return {};
}

HtmlDocument::HtmlDocument(const QString& html)
{
    if (nestingEstimate(html) > MaxNesting)
        return;
    m_parsed = true;
    const QByteArray utf8 = html.toUtf8();
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0; // the check needs the tree, not the parser's complaints
    GumboOutput* output = gumbo_parse_with_options(&options, utf8.constData(), size_t(utf8.size()));

    // Byte offsets of Gumbo, turned into QString positions in one pass at the end.
    std::vector<std::pair<unsigned, qsizetype*>> offsets;
    const qsizetype tags = utf8.count('<');
    m_nodes.reserve(2 * tags + 4);
    offsets.reserve(size_t(3 * tags + 4));
    std::vector<std::pair<const GumboNode*, int>> stack{{output->root, -1}};
    while (!stack.empty()) {
        const auto [node, parent] = stack.back();
        stack.pop_back();
        HtmlNode n;
        n.parent = parent;
        n.hidden = parent >= 0 && m_nodes.at(parent).hidden;
        unsigned byteOffset = 0;
        if (node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE) {
            const GumboElement& e = node->v.element;
            n.tag = tagName(e);
            n.hidden = n.hidden || hidesText(n.tag);
            byteOffset = e.start_pos.offset;
            n.attributes.reserve(qsizetype(e.attributes.length));
            for (unsigned i = 0; i < e.attributes.length; ++i) {
                const auto* a = static_cast<const GumboAttribute*>(e.attributes.data[i]);
                // Gumbo gives the names in lower case already.
                n.attributes.append({QString::fromUtf8(a->name), QString::fromUtf8(a->value), 0});
            }
        } else if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE ||
                   node->type == GUMBO_NODE_CDATA) {
            n.kind = HtmlNode::Kind::Text;
            n.text = QString::fromUtf8(node->v.text.text);
            byteOffset = node->v.text.start_pos.offset;
        } else {
            continue; // comments
        }
        const int index = int(m_nodes.size());
        m_nodes.append(std::move(n));
        offsets.emplace_back(byteOffset, nullptr);
        if (m_nodes.back().kind == HtmlNode::Kind::Element) {
            const GumboElement& e = node->v.element;
            for (unsigned i = 0; i < e.attributes.length; ++i) {
                const auto* a = static_cast<const GumboAttribute*>(e.attributes.data[i]);
                offsets.emplace_back(a->original_value.length ? a->value_start.offset : a->name_start.offset,
                                     nullptr);
            }
            for (unsigned i = e.children.length; i-- > 0;)
                stack.emplace_back(static_cast<const GumboNode*>(e.children.data[i]), index);
        }
    }
    gumbo_destroy_output(&options, output);

    // The pointers are taken only now: the node list no longer grows.
    qsizetype k = 0;
    for (HtmlNode& n : m_nodes) {
        offsets[size_t(k++)].second = &n.offset;
        for (HtmlAttribute& a : n.attributes)
            offsets[size_t(k++)].second = &a.offset;
    }
    std::sort(offsets.begin(), offsets.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    qsizetype position = 0;
    unsigned byte = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.constData());
    const auto size = unsigned(utf8.size());
    for (const auto& [target, out] : offsets) {
        for (; byte < target && byte < size; ++byte) {
            const unsigned char c = bytes[byte];
            if ((c & 0xC0) != 0x80)
                position += c >= 0xF0 ? 2 : 1; // four bytes make a surrogate pair
        }
        *out = position;
    }
}

QString HtmlDocument::plainText() const
{
    QString text;
    for (const HtmlNode& n : m_nodes) {
        if (n.kind == HtmlNode::Kind::Element) {
            if (breaksText(n.tag))
                text += u' ';
        } else if (!n.hidden) {
            text += n.text;
        }
    }
    text.replace(QChar(0xA0), u' ');
    return text.simplified();
}

} // namespace lw
