#include "pictures/security_probe.h"

#include <QTcpSocket>
#include <QTimer>

#include <cctype>
#include <functional>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

// A greeting and one reply, or a banner: a server that sends more is no server of this kind.
constexpr qsizetype MaxBytes = 16 * 1024;

bool isReplyEnd(const QByteArray& line)
{
    // The last line of an FTP reply: three digits and a space ("220 ", or "220" alone).
    return line.size() >= 3 && std::isdigit(uchar(line[0])) && std::isdigit(uchar(line[1])) &&
           std::isdigit(uchar(line[2])) && (line.size() == 3 || line[3] == ' ' || line[3] == '\r');
}

} // namespace

// One connection and its one question; answers once, on its own or at the time-out.
class SecurityProbe::Question : public QObject
{
public:
    enum class Kind
    {
        Ftp,
        Ssh
    };

    Question(Kind kind, const QString& host, quint16 port, std::chrono::milliseconds timeout,
             std::function<void()> answered, QObject* parent)
        : QObject(parent), m_kind(kind), m_answered(std::move(answered))
    {
        m_timer.setSingleShot(true);
        connect(&m_timer, &QTimer::timeout, this, [this] { finish(false); });
        connect(&m_socket, &QTcpSocket::readyRead, this, &Question::read);
        connect(&m_socket, &QTcpSocket::errorOccurred, this, [this] { finish(false); });
        m_timer.start(timeout);
        m_socket.connectToHost(host, port);
    }

    bool isDone() const { return m_done; }
    bool offered() const { return m_offered; }
    // Ends without an answer.
    void cancel()
    {
        m_answered = nullptr;
        finish(false);
    }

private:
    void read()
    {
        m_buffer += m_socket.readAll();
        if (m_buffer.size() > MaxBytes)
            return finish(false);
        for (qsizetype end = m_buffer.indexOf('\n'); end >= 0 && !m_done; end = m_buffer.indexOf('\n')) {
            const QByteArray line = m_buffer.left(end).trimmed();
            m_buffer.remove(0, end + 1);
            m_kind == Kind::Ftp ? readFtp(line) : readSsh(line);
        }
    }

    void readFtp(const QByteArray& line)
    {
        if (!isReplyEnd(line))
            return;
        if (m_askedTls)
            return finish(line.startsWith("234"));
        if (!line.startsWith("220"))
            return finish(false);
        m_askedTls = true;
        m_socket.write("AUTH TLS\r\n");
    }

    void readSsh(const QByteArray& line)
    {
        // Lines before the banner are allowed; the banner names the protocol version.
        if (line.startsWith("SSH-"))
            finish(line.startsWith("SSH-2.0-") || line.startsWith("SSH-1.99-"));
    }

    void finish(bool offered)
    {
        if (m_done)
            return;
        m_done = true;
        m_offered = offered;
        m_timer.stop();
        m_socket.disconnect(this);
        m_socket.abort();
        if (m_answered)
            m_answered();
    }

    const Kind m_kind;
    std::function<void()> m_answered;
    QTcpSocket m_socket;
    QTimer m_timer;
    QByteArray m_buffer;
    bool m_askedTls = false;
    bool m_done = false;
    bool m_offered = false;
};

SecurityProbe::SecurityProbe(QObject* parent) : QObject(parent) {}

SecurityProbe::~SecurityProbe()
{
    abort();
}

void SecurityProbe::start(const QString& host, int ftpPort)
{
    abort();
    m_host = host;
    m_ftpPort = ftpPort > 0 ? ftpPort : 21;
    m_ftp = new Question(
        Question::Kind::Ftp, host, quint16(m_ftpPort), m_timeout, [this] { answered(); }, this);
    m_ssh = new Question(
        Question::Kind::Ssh, host, m_sshPort, m_timeout, [this] { answered(); }, this);
    // Both may have failed at once (no network at all).
    answered();
}

void SecurityProbe::abort()
{
    for (Question** question : {&m_ftp, &m_ssh}) {
        if (*question) {
            (*question)->cancel();
            (*question)->deleteLater();
            *question = nullptr;
        }
    }
}

bool SecurityProbe::isRunning() const
{
    return m_ftp && m_ssh && !(m_ftp->isDone() && m_ssh->isDone());
}

void SecurityProbe::answered()
{
    if (!m_ftp || !m_ssh || !m_ftp->isDone() || !m_ssh->isDone())
        return;
    const SecureOffers offers{m_ftp->offered(), m_ssh->offered()};
    const QString host = m_host;
    const int port = m_ftpPort;
    // The receiver may start again at once.
    abort();
    Q_EMIT finished(host, port, offers);
}

} // namespace lw
