#pragma once

#include "generator/generator_input.h"

#include <QList>
#include <QString>

namespace lw {

// Where each part of a page comes from: the spans of the values the generator inserted.
class PageSources
{
public:
    struct Span
    {
        PageSource source = PageSource::Page;
        int index = 0;
        qsizetype start = 0, end = 0; // [start, end) in the clean page
    };
    struct Origin
    {
        PageSource source = PageSource::Page;
        int index = 0;
    };

    // Generates the page of the input again with source marks; when the marks, taken out, give
    // exactly the page, the sources are known, else every part is put down to the page as a whole.
    static PageSources of(const QString& page, const GeneratorInput& in);
    // Takes the marks out of a marked page; false when they do not nest.
    static bool readMarks(const QString& marked, QString* clean, QList<Span>* spans);

    bool known() const { return m_known; }
    // The innermost inserted value at a position of the page; outside all of them the template.
    Origin at(qsizetype position) const;
    const QList<Span>& spans() const { return m_spans; }

private:
    bool m_known = false;
    QList<Span> m_spans;
};

} // namespace lw
