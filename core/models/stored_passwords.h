#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <optional>

namespace lw {

// The two passwords the program keeps: the FTP password of settings.txt and the auction
// password of eBaycfg.txt.
enum class Secret
{
    Ftp,
    Auction,
};

// Where a password is kept: the shifted line of its file (no keyring, or the keyring refused it),
// or the desktop keyring, its line then written empty.
enum class PasswordHome
{
    File,
    Keyring,
};

// Where each password is kept, and what the keyring holds. The file readers and writers ask it
// what a password line reads as and whether a line keeps its password; a password that must go
// into the keyring is asked for with storeRequested, and the keyring's answer comes back
// through stored().
class StoredPasswords : public QObject
{
    Q_OBJECT
public:
    explicit StoredPasswords(QObject* parent = nullptr);

    PasswordHome home(Secret s) const { return entry(s).home; }
    // The keyring answered at start-up and holds `kept` for s ("" for nothing).
    void useKeyring(Secret s, const QString& kept);
    // Why the keyring could not give s at start-up, in the seller's words; "" when it could.
    QString trouble(Secret s) const { return entry(s).trouble; }
    void setTrouble(Secret s, const QString& why) { entry(s).trouble = why; }

    // What a password line read as becomes: a shifted password in the file wins (the keyring gets
    // it, and the line is emptied once it has it); an empty line is the keyring's.
    QString fromLine(Secret s, const QString& linePassword);
    // The writer saves `value`: true when its line keeps the shifted password, false when the
    // line is written empty (the keyring holds the value, or is asked to).
    bool keepsLine(Secret s, const QString& value);

    // What the file's line must become after the keyring's answer.
    enum class LineChange
    {
        None,
        Empty,   // the password moved into the keyring
        Shifted, // the keyring refused it: the line holds it again
    };
    // The keyring stored `value` for s (ok) or refused it.
    LineChange stored(Secret s, const QString& value, bool ok);

Q_SIGNALS:
    void storeRequested(lw::Secret s, const QString& value);
    void homeChanged(lw::Secret s);

private:
    struct Entry
    {
        PasswordHome home = PasswordHome::File;
        QString kept;
        // A password of the file on its way into the keyring; its line keeps it until then.
        std::optional<QString> moving;
        QString trouble;
    };
    Entry& entry(Secret s) { return m_entries[static_cast<int>(s)]; }
    const Entry& entry(Secret s) const { return m_entries[static_cast<int>(s)]; }

    std::array<Entry, 2> m_entries;
};

} // namespace lw
