#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QThread>

#include <optional>

namespace lw {

class Speller;

// The verdicts on the words of the text boxes, for underlining as the seller types. A word
// not seen before goes to a worker thread, so typing never waits for the dictionary; the
// boxes look again when learned() says the answers are in.
class SpellCache : public QObject
{
    Q_OBJECT
public:
    explicit SpellCache(Speller& speller, QObject* parent = nullptr);
    ~SpellCache() override;

    // nullopt while the worker has the word.
    std::optional<bool> isCorrect(const QString& word);
    Speller& speller() { return m_speller; }

Q_SIGNALS:
    // Answers came in for words that were waiting.
    void learned();
    // A word the seller accepted passes now: every box must look again.
    void forgotten();

private:
    void send();
    void receive(quint64 generation, const QStringList& words, const QList<bool>& correct);

    Speller& m_speller;
    QHash<QString, bool> m_known;
    QStringList m_waiting;
    QSet<QString> m_asked;
    bool m_sending = false;
    quint64 m_generation = 0;
    QThread m_thread;
    QObject* m_worker;
};

} // namespace lw
