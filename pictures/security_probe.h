#pragma once

#include "pictures/upload_plan.h"

#include <QObject>
#include <QString>

#include <chrono>

namespace lw {

// Asks a host, without blocking, whether it offers FTP over TLS and SFTP: AUTH TLS after the greeting
// of its FTP server, and the banner of an SSH server on port 22. Nothing is logged in; each
// question is given up after the time-out.
class SecurityProbe : public QObject
{
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds DefaultTimeout{5000};

    explicit SecurityProbe(QObject* parent = nullptr);
    ~SecurityProbe() override;

    // Ends a probe under way without its signal, and starts asking `host`.
    void start(const QString& host, int ftpPort);
    // Stops asking; no signal follows.
    void abort();
    bool isRunning() const;
    // Tests point the probe at servers of their own and shorten the wait.
    void setSshPort(quint16 port) { m_sshPort = port; }
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

Q_SIGNALS:
    // Both questions are answered or given up.
    void finished(const QString& host, int ftpPort, lw::SecureOffers offers);

private:
    class Question;
    void answered();

    quint16 m_sshPort = 22;
    std::chrono::milliseconds m_timeout = DefaultTimeout;
    QString m_host;
    int m_ftpPort = 0;
    // Children of the probe, dropped with deleteLater: a question may end inside its own signal.
    Question* m_ftp = nullptr;
    Question* m_ssh = nullptr;
};

} // namespace lw
