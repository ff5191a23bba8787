#include "sitecheck/page_sources.h"

#include "generator/convert.h"

namespace lw {

bool PageSources::readMarks(const QString& marked, QString* clean, QList<Span>* spans)
{
    clean->clear();
    clean->reserve(marked.size());
    spans->clear();
    QList<Span> open;
    const qsizetype n = marked.size();
    const QChar* data = marked.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = data[i].unicode();
        if (c == SourceOpen) {
            if (i + 1 >= n)
                return false;
            const int code = int(data[++i].unicode()) - SourceCodeBase;
            if (code < 0 || code >= int(PageSource::Count) * 16)
                return false;
            open.append({PageSource(code / 16), code % 16, clean->size(), 0});
        } else if (c == SourceClose) {
            if (open.isEmpty())
                return false;
            Span s = open.takeLast();
            s.end = clean->size();
            spans->append(s);
        } else {
            clean->append(data[i]);
        }
    }
    return open.isEmpty();
}

PageSources PageSources::of(const QString& page, const GeneratorInput& in)
{
    PageSources sources;
    GeneratorInput marked = in;
    marked.markSources = true;
    const GeneratorResult result = expandTemplate(marked);
    QString clean;
    if (result.ok && readMarks(result.page, &clean, &sources.m_spans) && clean == page)
        sources.m_known = true;
    else
        sources.m_spans.clear();
    return sources;
}

PageSources::Origin PageSources::at(qsizetype position) const
{
    if (!m_known)
        return {};
    // Spans nest, so the innermost one holding the position starts last.
    const Span* best = nullptr;
    for (const Span& s : m_spans)
        if (s.start <= position && position < s.end &&
            (!best || s.start > best->start || (s.start == best->start && s.end < best->end)))
            best = &s;
    if (!best)
        return {PageSource::Template, 0};
    return {best->source, best->index};
}

} // namespace lw
