#include "editor/spell_cache.h"

#include "editor/speller.h"

#include <QTimer>

namespace lw {

namespace {

// A batch stays short enough for the first underlines of a long text to come early.
constexpr qsizetype BatchSize = 500;
// A seller never types this many different words; past it the cache starts again.
constexpr qsizetype MostKnown = 200000;

} // namespace

SpellCache::SpellCache(Speller& speller, QObject* parent)
    : QObject(parent), m_speller(speller), m_worker(new QObject)
{
    m_worker->moveToThread(&m_thread);
    m_thread.start(QThread::LowPriority);
    connect(&speller, &Speller::accepted, this, [this](const QString& word) {
        m_known.removeIf(
            [&word](const auto& it) { return it.key().compare(word, Qt::CaseInsensitive) == 0; });
        // Answers on their way may be from before the word was accepted.
        ++m_generation;
        m_asked.clear();
        Q_EMIT forgotten();
    });
}

SpellCache::~SpellCache()
{
    m_thread.quit();
    m_thread.wait();
    delete m_worker;
}

std::optional<bool> SpellCache::isCorrect(const QString& word)
{
    if (const auto it = m_known.constFind(word); it != m_known.cend())
        return *it;
    if (!m_asked.contains(word)) {
        m_asked.insert(word);
        m_waiting.append(word);
        if (!m_sending) {
            m_sending = true;
            // Gathers the words of this pass over the text into one batch.
            QTimer::singleShot(0, this, &SpellCache::send);
        }
    }
    return std::nullopt;
}

void SpellCache::send()
{
    if (m_waiting.isEmpty()) {
        m_sending = false;
        return;
    }
    const QStringList words = m_waiting.mid(0, BatchSize);
    m_waiting.remove(0, words.size());
    const quint64 generation = m_generation;
    Speller* speller = &m_speller;
    QMetaObject::invokeMethod(m_worker, [this, speller, words, generation] {
        QList<bool> correct;
        correct.reserve(words.size());
        for (const QString& w : words)
            correct.append(speller->isCorrect(w));
        QMetaObject::invokeMethod(
            this, [this, generation, words, correct] { receive(generation, words, correct); },
            Qt::QueuedConnection);
    });
}

void SpellCache::receive(quint64 generation, const QStringList& words, const QList<bool>& correct)
{
    if (generation == m_generation) {
        if (m_known.size() > MostKnown)
            m_known.clear();
        for (qsizetype i = 0; i < words.size(); ++i) {
            m_known.insert(words[i], correct[i]);
            m_asked.remove(words[i]);
        }
        Q_EMIT learned();
    }
    // One batch at a time, so a long text never floods the worker.
    send();
}

} // namespace lw
