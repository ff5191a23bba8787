#include "support/keyring.h"

#include <qt6keychain/keychain.h>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

// The entry's name within its label: the file whose line it keeps.
QString entryKey(Secret s)
{
    return s == Secret::Ftp ? u"settings.txt"_s : u"eBaycfg.txt"_s;
}

template <typename JobType> JobType* job(Secret s, QObject* parent)
{
    // The label is the job's service: QtKeychain shows it as the entry's name.
    auto* j = new JobType(Keyring::label(s), parent);
    j->setKey(entryKey(s));
    j->setAutoDelete(true);
    return j;
}

} // namespace

Keyring::Keyring(QObject* parent) : QObject(parent) {}

QString Keyring::label(Secret s)
{
    return s == Secret::Ftp ? u"Listwright FTP password"_s : u"Listwright eBay password"_s;
}

void Keyring::read(Secret s)
{
    auto* j = job<QKeychain::ReadPasswordJob>(s, this);
    connect(j, &QKeychain::Job::finished, this, [this, s, j] {
        switch (j->error()) {
        case QKeychain::NoError:
            Q_EMIT readFinished(s, Outcome::Found, j->textData(), {});
            return;
        case QKeychain::EntryNotFound:
            Q_EMIT readFinished(s, Outcome::NotFound, {}, j->errorString());
            return;
        default:
            Q_EMIT readFinished(s, Outcome::Failed, {}, j->errorString());
            return;
        }
    });
    j->start();
}

void Keyring::write(Secret s, const QString& value)
{
    QKeychain::Job* j = nullptr;
    if (value.isEmpty()) {
        j = job<QKeychain::DeletePasswordJob>(s, this);
    } else {
        auto* w = job<QKeychain::WritePasswordJob>(s, this);
        w->setTextData(value);
        j = w;
    }
    connect(j, &QKeychain::Job::finished, this, [this, s, j, removing = value.isEmpty()] {
        // Removing what is not there leaves the keyring as wanted.
        const bool ok =
            j->error() == QKeychain::NoError || (removing && j->error() == QKeychain::EntryNotFound);
        Q_EMIT writeFinished(s, ok, ok ? QString() : j->errorString());
    });
    j->start();
}

} // namespace lw
