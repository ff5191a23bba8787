#include "sitecheck/page_sources.h"

#include "generator/convert.h"

#include <algorithm>

namespace lw {

bool PageSources::readMarks(const QString& marked, QString* clean, QList<Segment>* segments)
{
    clean->clear();
    clean->reserve(marked.size());
    segments->clear();
    const Origin outside{PageSource::Template, 0};
    segments->append({0, outside});
    QList<Origin> open;
    auto innermostFromHere = [&] {
        const Origin o = open.isEmpty() ? outside : open.last();
        if (segments->last().first == clean->size())
            segments->last().second = o;
        else
            segments->append({clean->size(), o});
    };
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
            open.append({PageSource(code / 16), code % 16});
            innermostFromHere();
        } else if (c == SourceClose) {
            if (open.isEmpty())
                return false;
            open.removeLast();
            innermostFromHere();
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
    if (result.ok && readMarks(result.page, &clean, &sources.m_segments) && clean == page)
        sources.m_known = true;
    else
        sources.m_segments.clear();
    return sources;
}

PageSources::Origin PageSources::at(qsizetype position) const
{
    if (!m_known)
        return {};
    const auto after = std::upper_bound(m_segments.begin(), m_segments.end(), position,
                                        [](qsizetype p, const Segment& s) { return p < s.first; });
    return after == m_segments.begin() ? Origin{PageSource::Template, 0} : std::prev(after)->second;
}

} // namespace lw
