#pragma once

#include "core/models/stored_passwords.h"

#include <QObject>
#include <QString>

namespace lw {

// The desktop's secret store (the Secret Service of GNOME and KDE, or KWallet) through QtKeychain:
// the one class that includes its header. Every call is a job that answers later by a signal; none
// waits, and none shows a prompt of the program's own.
class Keyring : public QObject
{
    Q_OBJECT
public:
    enum class Outcome
    {
        Found,
        NotFound, // no such entry, or a locked keyring that stayed locked
        Failed,   // no keyring to ask, or it refused
    };
    Q_ENUM(Outcome)

    explicit Keyring(QObject* parent = nullptr);

    void read(Secret s);
    // An empty value removes the entry.
    void write(Secret s, const QString& value);

    // The entry's label in the seller's keyring manager.
    static QString label(Secret s);

Q_SIGNALS:
    void readFinished(lw::Secret s, lw::Keyring::Outcome outcome, const QString& value, const QString& error);
    void writeFinished(lw::Secret s, bool ok, const QString& error);
};

} // namespace lw
