#pragma once

#include <QMutex>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

namespace lw {

// American English spelling on Hunspell, with the seller's personal word list. The only
// place that knows Hunspell. Every member may be called from any thread: the underlining
// checks on a worker while the spelling window asks on the window's thread.
class Speller : public QObject
{
    Q_OBJECT
public:
    // dictionaryFolders are searched in order for en_US.aff and en_US.dic; wordList is the
    // personal word list, one word a line.
    explicit Speller(QStringList dictionaryFolders = defaultDictionaryFolders(),
                     QString wordList = defaultWordList(), QObject* parent = nullptr);
    ~Speller() override;

    // Where Debian and others install Hunspell's dictionaries.
    static QStringList defaultDictionaryFolders();
    // "listwright/words.txt" in the user's data folder ($XDG_DATA_HOME).
    static QString defaultWordList();

    // Loads the dictionary the first time; false when none can be loaded.
    bool load();
    // Without a dictionary every word passes.
    bool isCorrect(const QString& word);
    QStringList suggestions(const QString& word, int max = 8);
    // The word passes for as long as the program runs.
    void ignoreAll(const QString& word);
    // The word passes from now on, also after a restart; false with the reason when the word
    // list could not be written (the word still passes until the program ends).
    bool add(const QString& word, QString* error = nullptr);

    QString wordList() const { return m_wordList; }

Q_SIGNALS:
    // A word passes now that did not: Ignore All or Add.
    void accepted(const QString& word);

private:
    bool loadLocked();
    bool acceptLocked(const QString& word);

    struct Engine;
    QMutex m_mutex;
    std::unique_ptr<Engine> m_engine;
    bool m_tried = false;
    QStringList m_folders;
    QString m_wordList;
    QSet<QString> m_ignored;
};

} // namespace lw
