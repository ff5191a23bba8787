#pragma once

#include "generator/generator_input.h"
#include "preview/preview_host.h"
#include "sitecheck/site_rules.h"

#include <QObject>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace lw {

// A snapshot of the ad for the preview, taken on the window's thread.
struct PreviewRequest
{
    quint64 serial = 0;
    GeneratorInput input;
    // The template is read afresh by the job, so an edit of the file shows too.
    QString templatePath;
};

// The preview's pages for a snapshot: the template read, the page made as Preview makes it and
// the phone views built from it. Pure: reads only the request and the template file, whose text it
// also hands back when asked.
PreviewContent makePreview(const PreviewRequest& request, const SiteRules& rules,
                           QString* templateText = nullptr);

// Makes the preview's pages on a thread of its own, so that typing never waits for them. Only the
// newest snapshot is made: one waiting when a newer one comes is dropped. After a page the listing
// check runs on the same thread, unless newer snapshots keep coming (then at most every few seconds).
class PreviewJob : public QObject
{
    Q_OBJECT
public:
    explicit PreviewJob(const SiteRules& rules = ebayRules(), QObject* parent = nullptr);
    // Waits for the page in hand; nothing more is reported.
    ~PreviewJob() override;

    void request(PreviewRequest request);

Q_SIGNALS:
    void pageMade(const lw::PreviewContent& content);
    // The findings line of the snapshot with that serial.
    void findingsMade(quint64 serial, const QString& line);

private:
    void run();

    const SiteRules& m_rules;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<PreviewRequest> m_pending;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace lw
