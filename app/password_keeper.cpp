#include "app/password_keeper.h"

#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "core/password_shift.h"
#include "core/text_file.h"
#include "settings/preferences_commands.h"
#include "settings/settings_file.h"
#include "submission/submission_settings.h"

using namespace Qt::StringLiterals;

namespace lw {

namespace {

constexpr std::array<Secret, 2> Secrets = {Secret::Ftp, Secret::Auction};

int slot(Secret s)
{
    return static_cast<int>(s);
}

QString passwordName(Secret s)
{
    return s == Secret::Ftp ? u"FTP password"_s : u"eBay password"_s;
}

} // namespace

PasswordKeeper::PasswordKeeper(SharedState& state, QObject* parent) : QObject(parent), m_state(state)
{
    connect(&m_keyring, &Keyring::readFinished, this, &PasswordKeeper::readFinished);
    connect(&m_keyring, &Keyring::writeFinished, this, [this](Secret s, bool ok) { writeFinished(s, ok); });
    connect(&m_state.passwords, &StoredPasswords::storeRequested, this, &PasswordKeeper::store);
}

void PasswordKeeper::start()
{
    for (Secret s : Secrets)
        m_keyring.read(s);
}

bool PasswordKeeper::isIdle() const
{
    for (const Writes& w : m_writes)
        if (w.running)
            return false;
    return true;
}

void PasswordKeeper::readFinished(Secret s, Keyring::Outcome outcome, const QString& value,
                                  const QString& error)
{
    m_answers[slot(s)] = Answer{outcome, value, error};
    for (const auto& a : m_answers)
        if (!a)
            return;
    const Answer* failed = nullptr;
    for (const auto& a : m_answers)
        if (a->outcome == Keyring::Outcome::Failed)
            failed = &*a;
    StoredPasswords& passwords = m_state.passwords;
    for (Secret s : Secrets) {
        const Answer& a = *m_answers[slot(s)];
        if (failed) {
            // No keyring to keep them: the files keep them as they always did.
            passwords.setTrouble(s, u"the desktop keyring could not be reached ("_s + failed->error + u')');
            continue;
        }
        passwords.useKeyring(s, a.value);
        if (a.outcome == Keyring::Outcome::NotFound)
            passwords.setTrouble(s, u"the desktop keyring is locked or holds no "_s + passwordName(s) +
                                        u" for Listwright"_s);
    }
    Q_EMIT ready();
}

void PasswordKeeper::store(Secret s, const QString& value)
{
    Writes& w = m_writes[slot(s)];
    w.wanted = value;
    if (!w.running)
        startWrite(s);
}

void PasswordKeeper::startWrite(Secret s)
{
    Writes& w = m_writes[slot(s)];
    w.running = w.wanted;
    m_keyring.write(s, *w.running);
}

void PasswordKeeper::writeFinished(Secret s, bool ok)
{
    Writes& w = m_writes[slot(s)];
    if (!w.running)
        return;
    const QString done = *w.running;
    w.running.reset();
    if (w.wanted != done) {
        startWrite(s);
        return;
    }
    w.wanted.reset();
    rewriteLine(s, done, m_state.passwords.stored(s, done, ok));
    if (isIdle())
        Q_EMIT idle();
}

void PasswordKeeper::rewriteLine(Secret s, const QString& value, StoredPasswords::LineChange change)
{
    if (change == StoredPasswords::LineChange::None)
        return;
    // Only the password's own line: the rest of the file is what its last save wrote.
    QString path;
    int line = 0;
    QString marker;
    if (s == Secret::Ftp) {
        const auto table = settingsTable(installFolder());
        path = settingsPath();
        line = passwordLine(table);
        marker = table.passwordMarker;
    } else {
        const auto table = submissionTable();
        path = submissionSettingsPath();
        line = passwordLine(table);
        marker = table.passwordMarker;
    }
    TextReadResult file = readTextLines(path);
    if (!file.ok)
        return;
    while (file.lines.size() < line)
        file.lines << QString();
    file.lines[line - 1] =
        change == StoredPasswords::LineChange::Empty ? QString() : scramblePassword(value, marker);
    writeTextLines(path, file.lines, nullptr, true);
}

} // namespace lw
