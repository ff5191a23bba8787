#pragma once

#include <QList>
#include <QString>

namespace lw {

struct HtmlAttribute
{
    QString name; // lower case
    QString value;
    qsizetype offset = 0; // where the value (or, without one, the name) starts in the page
};

// One element or text of a parsed page, in document order.
struct HtmlNode
{
    enum class Kind
    {
        Element,
        Text
    };
    Kind kind = Kind::Element;
    QString tag; // lower case; empty for text
    QList<HtmlAttribute> attributes;
    QString text;         // entities decoded
    qsizetype offset = 0; // where it starts in the page, in QString units
    int parent = -1;      // index into nodes(), -1 for the root element
    // Inside a script, a style sheet or another element whose text no reader sees as text.
    bool hidden = false;

    bool isElement(QStringView name) const { return kind == Kind::Element && tag == name; }
    // The value of an attribute, null when the element has none of that name.
    QString attribute(QStringView name) const;
};

// A page parsed the way browsers parse it (HTML5, through Gumbo), flattened into nodes.
class HtmlDocument
{
public:
    // Deeper pages are not parsed: Gumbo slows down with the square of the depth and frees its tree
    // by recursion, so a page of nothing but opening tags could stall or crash the program. Pages
    // people write nest a few dozen levels.
    static constexpr int MaxNesting = 1000;

    explicit HtmlDocument(const QString& html);

    // False when the page nests too deep to be parsed; it then has no nodes.
    bool parsed() const { return m_parsed; }
    // An estimate of the page's nesting from its tags, at least a quarter of the depth the parser
    // would build (tables and lists add implied levels).
    static int nestingEstimate(QStringView html);

    const QList<HtmlNode>& nodes() const { return m_nodes; }
    // The visible text of the page: texts outside scripts, styles and the like, blanks collapsed,
    // a line break and a block's end counted as one blank.
    QString plainText() const;

private:
    QList<HtmlNode> m_nodes;
    bool m_parsed = false;
};

} // namespace lw
