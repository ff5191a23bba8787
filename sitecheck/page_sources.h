#pragma once

#include "generator/generator_input.h"

#include <QList>
#include <QString>

#include <utility>

namespace lw {

// Where each part of a page comes from: the values the generator inserted, innermost first.
class PageSources
{
public:
    struct Origin
    {
        PageSource source = PageSource::Page;
        int index = 0;
    };
    // From this position of the clean page on, up to the next one, the innermost value is this.
    using Segment = std::pair<qsizetype, Origin>;

    // Generates the page of the input again with source marks; when the marks, taken out, give
    // exactly the page, the sources are known, else every part is put down to the page as a whole.
    static PageSources of(const QString& page, const GeneratorInput& in);
    // Takes the marks out of a marked page; false when they do not nest.
    static bool readMarks(const QString& marked, QString* clean, QList<Segment>* segments);

    bool known() const { return m_known; }
    // The innermost inserted value at a position of the page; outside all of them the template.
    Origin at(qsizetype position) const;

private:
    bool m_known = false;
    QList<Segment> m_segments;
};

} // namespace lw
