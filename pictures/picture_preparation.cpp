#include "pictures/picture_preparation.h"

#include "core/file_writer.h"
#include "core/private_folder.h"
#include "pictures/picture_engine_loader.h"
#include "pictures/web_ready.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

const QString Title = u"Error Preparing Pictures"_s;

QString sendAsTheyAre()
{
    return u"\r\n\r\nYour ad has not been generated.  To send the pictures as they are, switch off "
           u"\"Prepare pictures for the web\" in the FTP settings of the Preferences window."_s;
}

// Several pictures at once, one a core; two suffice for a batch and bound the memory.
constexpr int MaxWorkers = 2;

} // namespace

QString preparationAbortedText()
{
    return u"You have aborted the preparation of the pictures for the web.  Nothing has been sent to your "
           u"FTP server, and your ad has not been generated."_s;
}

class PicturePreparation::Run
{
public:
    Run(PicturePreparation* owner, PictureEngine* engine, const QList<UploadItem>& items,
        const QString& folder, int longestSide)
        : items(items.begin(), items.end()), m_owner(owner), m_engine(engine), m_folder(folder),
          m_longestSide(longestSide)
    {
        for (int i = 0; i < items.size(); ++i)
            if (items[i].slot >= 0)
                m_todo.push_back(i);
        const int workers = std::clamp(std::min(QThread::idealThreadCount(), MaxWorkers), 1,
                                       std::max<int>(1, int(m_todo.size())));
        m_running = workers;
        for (int k = 0; k < workers; ++k)
            m_threads.emplace_back([this] { work(); });
    }
    ~Run()
    {
        abort();
        for (std::thread& t : m_threads)
            t.join();
    }
    void abort() { m_aborted = true; }
    bool aborted() const { return m_aborted; }

    // A vector of its own: the threads write their own items, never a list they share with another.
    std::vector<UploadItem> items;
    QString failure;

private:
    void work()
    {
        for (std::size_t next = m_next++; next < m_todo.size() && !m_aborted && !m_failed; next = m_next++)
            prepare(m_todo[next], int(next) + 1);
        if (--m_running == 0)
            post([](PicturePreparation* owner) { owner->runEnded(); });
    }

    void prepare(int index, int number)
    {
        const int count = int(m_todo.size());
        post([number, count](PicturePreparation* owner) { Q_EMIT owner->pictureStarted(number, count); });
        UploadItem& item = items[index];
        const PictureFacts facts = m_engine->inspect(item.localPath);
        const WebPlan plan = webPlan(facts, item.remoteName, m_longestSide);
        // A file that is no readable picture goes as it is, as without preparing.
        if (plan.asIs)
            return;
        QString error;
        const QByteArray bytes = m_engine->webCopy(
            item.localPath, plan.wanted, [this] { return m_aborted.load(); }, &error);
        if (m_aborted)
            return;
        const QString named = u"Image "_s + QString::number(item.slot + 1) + u" ("_s + item.remoteName + u')';
        if (bytes.isEmpty()) {
            fail(named + u" could not be prepared for the web: "_s + error + u'.' + sendAsTheyAre());
            return;
        }
        const QString folder = m_folder + QString::number(item.slot) + u'/';
        const QString path = folder + plan.remoteName;
        if (!QDir().mkpath(folder) || !writeFile(path, bytes, {true, true}, &error)) {
            fail(u"The web copy of "_s + named + u" could not be written in "_s +
                 QDir::toNativeSeparators(folder) + u": "_s + error + sendAsTheyAre());
            return;
        }
        item.localPath = path;
        item.remoteName = plan.remoteName;
    }

    void fail(const QString& text)
    {
        const std::lock_guard lock(m_lock);
        if (!m_failed.exchange(true))
            failure = text;
    }

    template <typename Call> void post(Call call)
    {
        PicturePreparation* owner = m_owner;
        QMetaObject::invokeMethod(
            owner,
            [owner, run = this, call] {
                if (owner->m_run.get() == run)
                    call(owner);
            },
            Qt::QueuedConnection);
    }

    PicturePreparation* const m_owner;
    PictureEngine* const m_engine;
    const QString m_folder;
    const int m_longestSide;
    std::vector<int> m_todo;
    std::atomic<std::size_t> m_next{0};
    std::atomic<int> m_running{0};
    std::atomic<bool> m_aborted{false};
    std::atomic<bool> m_failed{false};
    std::mutex m_lock;
    std::vector<std::thread> m_threads;
};

PicturePreparation::PicturePreparation(QObject* parent) : QObject(parent) {}

PicturePreparation::~PicturePreparation()
{
    m_run.reset();
    discard();
}

void PicturePreparation::start(const QList<UploadItem>& items, int longestSide)
{
    m_run.reset();
    discard();
    m_items = items;
    auto endLater = [this](const QString& text) {
        QMetaObject::invokeMethod(
            this, [this, text] { Q_EMIT finished(text.isEmpty(), Title, text); }, Qt::QueuedConnection);
    };
    const auto sellers = [](const UploadItem& item) { return item.slot >= 0; };
    // Only the emoticon and letter pictures: nothing to prepare, no engine to load.
    if (std::none_of(items.begin(), items.end(), sellers)) {
        endLater({});
        return;
    }
    QString error;
    PictureEngine* engine = pictureEngine(&error);
    if (!engine) {
        endLater(u"The pictures could not be prepared for the web, because that part of Listwright could not "
                 u"be loaded:\r\n\r\n"_s +
                 error + u"\r\n\r\nPlease reinstall Listwright."_s + sendAsTheyAre());
        return;
    }
    // The web copies carry no location, but they are the seller's pictures: nobody else may read them.
    const std::optional<QString> base = privateFolder(QDir::tempPath(), &error);
    QTemporaryDir folder(base.value_or(QString()) + u"prepared-XXXXXX"_s);
    if (!base || !folder.isValid()) {
        endLater(u"No private folder for the pictures prepared for the web could be made in the temporary "
                 u"folder "_s +
                 QDir::toNativeSeparators(QDir::tempPath()) + u": "_s +
                 (base ? folder.errorString() : error) + u'.' + sendAsTheyAre());
        return;
    }
    folder.setAutoRemove(false);
    m_folder = folder.path() + u'/';
    m_run = std::make_unique<Run>(this, engine, items, m_folder, longestSide);
}

void PicturePreparation::abort()
{
    if (m_run)
        m_run->abort();
}

void PicturePreparation::discard()
{
    if (!m_folder.isEmpty() && !m_run)
        QDir(m_folder).removeRecursively();
    if (!m_run)
        m_folder.clear();
}

void PicturePreparation::runEnded()
{
    const std::unique_ptr<Run> run = std::move(m_run);
    const bool aborted = run->aborted();
    const QString failure = run->failure;
    m_items = QList<UploadItem>(run->items.begin(), run->items.end());
    if (aborted || !failure.isEmpty())
        discard();
    Q_EMIT finished(!aborted && failure.isEmpty(), aborted ? QString() : Title,
                    aborted ? preparationAbortedText() : failure);
}

} // namespace lw
