#include "editor/speller.h"

#include "core/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QStandardPaths>

#include <hunspell.hxx>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

// Hunspell refuses longer words, and its suggestions for long nonsense take seconds.
constexpr qsizetype LongestWord = 100;
constexpr qsizetype LongestSuggested = 50;

// nullopt when the list is there but cannot be read: it must not be written over then.
std::optional<QStringList> readWordList(const QString& path, QString* error = nullptr)
{
    QStringList words;
    if (!QFileInfo::exists(path))
        return words;
    const std::optional<QString> text = readTextFile(path, error);
    if (!text)
        return std::nullopt;
    for (const QString& line : splitLines(*text)) {
        const QString word = line.trimmed();
        if (!word.isEmpty() && !words.contains(word))
            words.append(word);
    }
    return words;
}

} // namespace

struct Speller::Engine
{
    Engine(const QString& aff, const QString& dic)
        : hunspell(QFile::encodeName(aff).constData(), QFile::encodeName(dic).constData())
    {
        QByteArray encoding = QByteArray::fromStdString(hunspell.get_dict_encoding()).toUpper();
        utf8 = encoding.replace('-', "") == "UTF8";
    }
    std::string encode(const QString& word) const
    {
        return utf8 ? word.toStdString() : word.toLatin1().toStdString();
    }
    QString decode(const std::string& word) const
    {
        return utf8 ? QString::fromStdString(word) : QString::fromLatin1(word.data(), qsizetype(word.size()));
    }

    Hunspell hunspell;
    bool utf8 = true;
};

Speller::Speller(QStringList dictionaryFolders, QString wordList, QObject* parent)
    : QObject(parent), m_folders(std::move(dictionaryFolders)), m_wordList(std::move(wordList))
{
}

Speller::~Speller() = default;

QStringList Speller::defaultDictionaryFolders()
{
    return {u"/usr/share/hunspell"_s, u"/usr/local/share/hunspell"_s, u"/usr/share/myspell/dicts"_s,
            u"/usr/share/myspell"_s};
}

QString Speller::defaultWordList()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/listwright/words.txt"_s;
}

bool Speller::load()
{
    QMutexLocker lock(&m_mutex);
    return loadLocked();
}

bool Speller::loadLocked()
{
    if (m_tried)
        return m_engine != nullptr;
    m_tried = true;
    for (const QString& folder : m_folders) {
        const QString aff = folder + u"/en_US.aff"_s, dic = folder + u"/en_US.dic"_s;
        if (!QFileInfo(aff).isReadable() || !QFileInfo(dic).isReadable())
            continue;
        auto engine = std::make_unique<Engine>(aff, dic);
        // Hunspell gives no verdict on loading; a damaged dictionary shows in its commonest word.
        if (!engine->hunspell.spell(std::string("the")))
            continue;
        m_engine = std::move(engine);
        break;
    }
    if (m_engine)
        for (const QString& word : readWordList(m_wordList).value_or(QStringList()))
            m_engine->hunspell.add(m_engine->encode(word));
    return m_engine != nullptr;
}

bool Speller::isCorrect(const QString& word)
{
    QMutexLocker lock(&m_mutex);
    if (!loadLocked() || m_ignored.contains(word))
        return true;
    return word.size() <= LongestWord && m_engine->hunspell.spell(m_engine->encode(word));
}

QStringList Speller::suggestions(const QString& word, int max)
{
    QMutexLocker lock(&m_mutex);
    QStringList out;
    if (!loadLocked() || word.size() > LongestSuggested)
        return out;
    QStringList all;
    // Hunspell ranks names first for a capitalised word ("Teh": "Te" before "The"); a title's
    // capitalised words are mostly ordinary words, whose suggestions come first here.
    const QString rest = word.mid(1);
    if (word.size() > 1 && word[0].isUpper() && rest == rest.toLower())
        for (const std::string& s : m_engine->hunspell.suggest(m_engine->encode(word.toLower()))) {
            const QString lower = m_engine->decode(s);
            all.append(lower.left(1).toUpper() + lower.mid(1));
        }
    for (const std::string& s : m_engine->hunspell.suggest(m_engine->encode(word)))
        all.append(m_engine->decode(s));
    for (const QString& s : all)
        if (out.size() < max && !out.contains(s))
            out.append(s);
    return out;
}

void Speller::ignoreAll(const QString& word)
{
    {
        QMutexLocker lock(&m_mutex);
        m_ignored.insert(word);
    }
    Q_EMIT accepted(word);
}

bool Speller::add(const QString& word, QString* error)
{
    bool written = true;
    {
        QMutexLocker lock(&m_mutex);
        if (loadLocked())
            m_engine->hunspell.add(m_engine->encode(word));
        else
            m_ignored.insert(word);
        // Another window of the program may have added words since this one started.
        std::optional<QStringList> words = readWordList(m_wordList, error);
        if (!words) {
            written = false;
        } else if (!words->contains(word)) {
            words->append(word);
            QDir().mkpath(QFileInfo(m_wordList).absolutePath());
            written = writeFileAtomic(m_wordList, (words->join(u'\n') + u'\n').toUtf8(), error);
        }
    }
    Q_EMIT accepted(word);
    return written;
}

} // namespace lw
