#include "core/models/stored_passwords.h"

namespace lw {

StoredPasswords::StoredPasswords(QObject* parent) : QObject(parent) {}

void StoredPasswords::useKeyring(Secret s, const QString& kept)
{
    Entry& e = entry(s);
    e.kept = kept;
    e.moving.reset();
    if (e.home == PasswordHome::Keyring)
        return;
    e.home = PasswordHome::Keyring;
    Q_EMIT homeChanged(s);
}

QString StoredPasswords::fromLine(Secret s, const QString& linePassword)
{
    Entry& e = entry(s);
    if (linePassword.isEmpty())
        return e.home == PasswordHome::Keyring ? e.kept : QString();
    if (e.home == PasswordHome::Keyring && e.moving != linePassword) {
        e.moving = linePassword;
        Q_EMIT storeRequested(s, linePassword);
    }
    return linePassword;
}

bool StoredPasswords::keepsLine(Secret s, const QString& value)
{
    Entry& e = entry(s);
    if (e.home == PasswordHome::File)
        return true;
    // Until the keyring has it, the file's password stays where it is.
    if (e.moving == value)
        return true;
    e.moving.reset();
    if (!value.isEmpty())
        e.trouble.clear();
    if (value != e.kept) {
        e.kept = value;
        Q_EMIT storeRequested(s, value);
    }
    return false;
}

StoredPasswords::LineChange StoredPasswords::stored(Secret s, const QString& value, bool ok)
{
    Entry& e = entry(s);
    if (e.home == PasswordHome::File)
        return LineChange::None;
    if (!ok) {
        e.home = PasswordHome::File;
        e.moving.reset();
        e.kept.clear();
        Q_EMIT homeChanged(s);
        return LineChange::Shifted;
    }
    if (e.moving != value)
        return LineChange::None;
    e.moving.reset();
    e.kept = value;
    return LineChange::Empty;
}

} // namespace lw
