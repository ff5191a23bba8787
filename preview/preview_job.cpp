#include "preview/preview_job.h"

#include "core/text_file.h"
#include "generator/convert.h"
#include "preview/preview_pages.h"

#include <QElapsedTimer>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

// While the seller types, the listing check runs no more often than this.
constexpr qint64 FindingsWhileTypingMs = 2000;

QString errorPage(const QString& why)
{
    return u"<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body style=\"font:14px sans-serif;"
           u"margin:24px;color:#7a0000\"><p><b>The ad could not be made.</b></p><p>"_s +
           why.toHtmlEscaped() + u"</p></body></html>"_s;
}

} // namespace

PreviewContent makePreview(const PreviewRequest& request, const SiteRules& rules, QString* templateText)
{
    PreviewContent content;
    content.serial = request.serial;
    content.baseUrl = QUrl::fromLocalFile(request.input.installFolder + u'/').toString();
    GeneratorInput in = request.input;
    in.preview = true;
    in.markSources = false;
    QString why = u"No template is selected."_s;
    // One character over the limit is enough for the generator to refuse the template.
    const std::optional<QString> text =
        request.templatePath.isEmpty() ? std::nullopt
                                       : readTextFile(request.templatePath, &why, 4 * (MaxTemplateChars + 1));
    GeneratorResult result;
    if (text) {
        in.templateText = *text;
        if (templateText)
            *templateText = *text;
        result = expandTemplate(in);
    } else {
        result.error =
            request.templatePath.isEmpty()
                ? why
                : QString(u"The template "_s + request.templatePath + u" could not be read: "_s + why);
    }
    content.ok = result.ok;
    if (!result.ok) {
        content.error = result.error.isEmpty() ? u"The template could not be filled."_s : result.error;
        content.page = content.phonePage = content.summaryPage = errorPage(content.error);
        return content;
    }
    content.page = result.page;
    content.phonePage = phonePage(result.page);
    content.summaryPage = phoneSummaryPage(result.page, rules);
    return content;
}

PreviewJob::PreviewJob(const SiteRules& rules, QObject* parent)
    : QObject(parent), m_rules(rules), m_thread([this] { run(); })
{
}

PreviewJob::~PreviewJob()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void PreviewJob::request(PreviewRequest request)
{
    {
        const std::lock_guard lock(m_mutex);
        m_pending = std::move(request);
    }
    m_wake.notify_one();
}

void PreviewJob::run()
{
    QElapsedTimer sinceFindings;
    for (;;) {
        PreviewRequest request;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stop || m_pending; });
            if (m_stop)
                return;
            request = std::move(*m_pending);
            m_pending.reset();
        }
        QString templateText;
        const PreviewContent content = makePreview(request, m_rules, &templateText);
        QMetaObject::invokeMethod(
            this, [this, content] { Q_EMIT pageMade(content); }, Qt::QueuedConnection);
        if (!content.ok)
            continue;
        {
            const std::lock_guard lock(m_mutex);
            if (m_stop ||
                (m_pending && sinceFindings.isValid() && !sinceFindings.hasExpired(FindingsWhileTypingMs)))
                continue;
        }
        sinceFindings.start();
        request.input.templateText = templateText;
        const QString line = findingsLine(checkAd(request.input, m_rules), m_rules);
        QMetaObject::invokeMethod(
            this, [this, serial = request.serial, line] { Q_EMIT findingsMade(serial, line); },
            Qt::QueuedConnection);
    }
}

} // namespace lw
