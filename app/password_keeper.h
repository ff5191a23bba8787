#pragma once

#include "core/models/stored_passwords.h"
#include "support/keyring.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>

namespace lw {

class SharedState;

// Keeps the two passwords in the desktop keyring: asks it for them before start-up, moves the
// shifted passwords of settings.txt and eBaycfg.txt into it, writes every password the files are
// saved with, and gives a password back to its file's line when the keyring refuses it. Without
// a keyring the passwords stay in their files, as before.
class PasswordKeeper : public QObject
{
    Q_OBJECT
public:
    explicit PasswordKeeper(SharedState& state, QObject* parent = nullptr);

    // Asks the keyring for both passwords; ready() follows once it has answered, keyring or none.
    void start();
    // No keyring write is under way.
    bool isIdle() const;

Q_SIGNALS:
    void ready();
    void idle();

private:
    void readFinished(Secret s, Keyring::Outcome outcome, const QString& value, const QString& error);
    void store(Secret s, const QString& value);
    void startWrite(Secret s);
    void writeFinished(Secret s, bool ok);
    void rewriteLine(Secret s, const QString& value, StoredPasswords::LineChange change);

    struct Answer
    {
        Keyring::Outcome outcome;
        QString value;
        QString error;
    };
    // One write at a time per password; a newer value waits for the one under way.
    struct Writes
    {
        std::optional<QString> running;
        std::optional<QString> wanted;
    };

    SharedState& m_state;
    Keyring m_keyring;
    std::array<std::optional<Answer>, 2> m_answers;
    std::array<Writes, 2> m_writes;
};

} // namespace lw
