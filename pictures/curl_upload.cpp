#include "pictures/curl_upload.h"

#include "core/private_folder.h"
#include "pictures/metadata_strip.h"
#include "pictures/upload_plan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QUrl>

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#ifdef __linux__
#include <linux/sockios.h>
#endif
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

// Often enough for a moving bar, rarely enough not to flood the window's event loop.
constexpr auto ProgressInterval = std::chrono::milliseconds(100);
// An FTP reply of several lines is a greeting or a feature list: a few kilobytes at most.
constexpr qsizetype MaxReplyBytes = 64 * 1024;
// What a removal of an empty file left by a failed store may add to the wait for the message.
constexpr auto CleanupLimit = std::chrono::seconds(5);

QString seconds(std::chrono::milliseconds time)
{
    return QString::number(std::max<qint64>(1, time.count() / 1000));
}

struct Failure
{
    int number;
    QString description;
};

QString quoted(const QString& text)
{
    return u'"' + text + u'"';
}

Failure unreadable(const QString& path)
{
    return {CURLE_READ_ERROR,
            u"The picture file %1 could not be read: it is missing, or you may not read it."_s.arg(
                quoted(QDir::toNativeSeparators(path)))};
}

} // namespace

// One upload on its worker thread. The owner keeps it until its end is reported, so the thread
// never outlives the handles it uses.
class CurlUpload::Run
{
public:
    struct Timeouts
    {
        std::chrono::milliseconds connect, stall;
    };
    Run(CurlUpload* owner, quint64 id, const UploadRequest& request, const QString& tempFolder,
        Timeouts timeouts);
    ~Run();
    void abort();

private:
    void main();
    std::optional<Failure> sendAll();
    std::optional<Failure> configure();
    std::optional<Failure> checkFolder();
    std::optional<Failure> send(int index);
    void removeEmptyFile(const QStringList& folders, const QString& name);
    CURLcode perform();
    void readReplyLine(QByteArrayView line);
    Failure describe(CURLcode code) const;
    QByteArray url(const QStringList& folders, const QString& name) const;
    qint64 unsentBytes();
    void reportProgress(qint64 handed, bool now);
    template <typename Signal> void post(Signal signal);

    static int onProgress(void* run, curl_off_t, curl_off_t, curl_off_t, curl_off_t sent);
    static size_t onRead(char* buffer, size_t size, size_t count, void* run);
    static int onHostKey(CURL*, const curl_khkey*, const curl_khkey*, curl_khmatch match, void* run);
    static curl_socket_t onOpenSocket(void* run, curlsocktype, curl_sockaddr* address);
    static int onCloseSocket(void* run, curl_socket_t socket);
    static int onDebug(CURL*, curl_infotype type, char* data, size_t size, void* run);

    CurlUpload* const m_owner;
    const quint64 m_id;
    const UploadRequest m_request;
    const QString m_tempFolder;
    const QString m_caFile;
    const QString m_knownHosts;
    const Timeouts m_timeouts;

    CURL* m_easy = nullptr;
    // Cleaned up by the thread once done; abort() may wake it until then.
    CURLM* m_multi = nullptr;
    // curl waits for some server replies inside a call (the one after a file); abort() cuts these
    // sockets so that no such wait outlasts it.
    std::vector<curl_socket_t> m_sockets;
    std::mutex m_lock;
    std::atomic<bool> m_aborted{false};

    ServerProtocol m_protocol = ServerProtocol::Ftp;
    // The connections to the server's own port. FTP's control connection ends with QUIT and its
    // answer, SFTP's with replies to every write: nothing of a picture is left on its way there.
    std::vector<curl_socket_t> m_controlSockets;
    int m_controlPort = 0;
    // The server sent a whole FTP reply on its control connection.
    bool m_greeted = false;
    // It sent lines that are no FTP reply: the upload is given up.
    bool m_notFtp = false;
    // The code of a reply of several lines under way, and its length so far.
    QByteArray m_replyCode;
    qsizetype m_replyBytes = 0;
    QByteArray m_origin;
    QStringList m_remoteFolder;
    // Known to exist once a picture went there or it was looked at, so a sub-folder may be made in it.
    bool m_folderReached = false;
    bool m_hostKeyChanged = false;

    std::vector<qint64> m_estimates;
    int m_index = -1;
    QStringList m_making;
    bool m_sending = false;
    // The store of the current file was asked for (STOR), and curl has started taking the file.
    bool m_storeSent = false;
    bool m_itemMoving = false;
    QFile* m_file = nullptr;
    // What curl took of the file; its own count may still hold the last picture's at first.
    qint64 m_read = 0;
    qint64 m_itemTotal = 0;
    qint64 m_batchDone = 0;
    qint64 m_batchTotal = 0;
    std::chrono::steady_clock::time_point m_lastReport;
    qint64 m_reported = 0;
    qint64 m_handed = 0;

    std::thread m_thread;
};

CurlUpload::Run::Run(CurlUpload* owner, quint64 id, const UploadRequest& request, const QString& tempFolder,
                     Timeouts timeouts)
    : m_owner(owner), m_id(id), m_request(request), m_tempFolder(tempFolder),
      m_caFile(qEnvironmentVariable("LISTWRIGHT_CA_FILE")),
      m_knownHosts(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                   u"/listwright/known_hosts"_s),
      m_timeouts(timeouts), m_easy(curl_easy_init()), m_multi(curl_multi_init())
{
    m_thread = std::thread([this] { main(); });
}

CurlUpload::Run::~Run()
{
    abort();
    m_thread.join();
}

void CurlUpload::Run::abort()
{
    m_aborted = true;
    const std::lock_guard lock(m_lock);
    for (const curl_socket_t socket : m_sockets)
        ::shutdown(socket, SHUT_RDWR);
    if (m_multi)
        curl_multi_wakeup(m_multi);
}

template <typename Signal> void CurlUpload::Run::post(Signal signal)
{
    CurlUpload* owner = m_owner;
    QMetaObject::invokeMethod(
        owner,
        [owner, id = m_id, signal] {
            if (owner->m_runCount == id)
                signal(owner);
        },
        Qt::QueuedConnection);
}

void CurlUpload::Run::main()
{
    const std::optional<Failure> failure = sendAll();
    CURLM* multi = nullptr;
    {
        const std::lock_guard lock(m_lock);
        std::swap(multi, m_multi);
    }
    // Says goodbye to the server (QUIT) unless the connection was cut.
    if (multi)
        curl_multi_cleanup(multi);
    if (m_easy)
        curl_easy_cleanup(m_easy);

    const bool ok = !failure && !m_aborted;
    const QString text = ok          ? QString()
                         : m_aborted ? uploadAbortedText()
                                     : uploadErrorText(failure->number, failure->description);
    post([ok, text](CurlUpload* owner) { owner->runEnded(ok, text); });
}

std::optional<Failure> CurlUpload::Run::sendAll()
{
    if (!m_easy || !m_multi)
        return Failure{CURLE_OUT_OF_MEMORY,
                       u"The upload could not be prepared: the computer is short of memory."_s};
    // Every file is looked at before anything is sent, so a missing one does not leave half an ad online.
    for (const UploadItem& item : m_request.items) {
        const QFileInfo info(item.localPath);
        if (!info.isFile() || !info.isReadable())
            return unreadable(item.localPath);
        m_estimates.push_back(info.size());
        m_batchTotal += info.size();
    }
    if (std::optional<Failure> failure = configure())
        return failure;
    for (int k = 0; k < m_request.items.size() && !m_aborted; ++k) {
        if (std::optional<Failure> failure = send(k))
            return failure;
    }
    return std::nullopt;
}

std::optional<Failure> CurlUpload::Run::configure()
{
    const Preferences::FtpAccount& account = m_request.account;
    QString host = account.server.trimmed();
    m_protocol = serverProtocol(host);
    if (m_protocol == ServerProtocol::Unknown)
        return describe(CURLE_UNSUPPORTED_PROTOCOL);
    if (const qsizetype schemeEnd = host.indexOf(u"://"_s); schemeEnd >= 0)
        host = host.mid(schemeEnd + 3);
    const bool sftp = m_protocol == ServerProtocol::Sftp;
    // FTP over TLS is asked for on the plain port (AUTH TLS), not curl's implicit ftps://.
    m_origin = (sftp ? "sftp://" : "ftp://") + host.section(u'/', 0, 0).toUtf8();
    const int port = ftpPortNumber(account.port);
    if (port > 0)
        m_origin += ':' + QByteArray::number(port);
    m_controlPort = port > 0 ? port : sftp ? 22 : 21;
    // The remote folder is below the folder the login lands in.
    m_origin += sftp ? "/~/" : "/";
    m_remoteFolder = account.remoteFolder.split(u'/', Qt::SkipEmptyParts);
    m_folderReached = m_remoteFolder.isEmpty();

    CURL* c = m_easy;
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, sftp ? "sftp" : "ftp");
    curl_easy_setopt(c, CURLOPT_USERNAME, account.userName.toUtf8().constData());
    curl_easy_setopt(c, CURLOPT_PASSWORD, account.password.toUtf8().constData());
    // The connect time-out covers the FTP server's greeting and the login too.
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, long(m_timeouts.connect.count()));
    curl_easy_setopt(c, CURLOPT_ACCEPTTIMEOUT_MS, long(m_timeouts.connect.count()));
    const long stall = seconds(m_timeouts.stall).toLong();
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, stall);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, stall);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &Run::onProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(c, CURLOPT_READFUNCTION, &Run::onRead);
    // Nothing is downloaded; what a look at a file or folder reports goes nowhere.
    const curl_write_callback discard = [](char*, size_t size, size_t count, void*) { return size * count; };
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, discard);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, discard);
    curl_easy_setopt(c, CURLOPT_READDATA, this);
    curl_easy_setopt(c, CURLOPT_OPENSOCKETFUNCTION, &Run::onOpenSocket);
    curl_easy_setopt(c, CURLOPT_OPENSOCKETDATA, this);
    curl_easy_setopt(c, CURLOPT_CLOSESOCKETFUNCTION, &Run::onCloseSocket);
    curl_easy_setopt(c, CURLOPT_CLOSESOCKETDATA, this);
    if (sftp) {
        QDir().mkpath(QFileInfo(m_knownHosts).path());
        curl_easy_setopt(c, CURLOPT_SSH_AUTH_TYPES, long(CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD));
        curl_easy_setopt(c, CURLOPT_SSH_KNOWNHOSTS, QFile::encodeName(m_knownHosts).constData());
        curl_easy_setopt(c, CURLOPT_SSH_KEYFUNCTION, &Run::onHostKey);
        curl_easy_setopt(c, CURLOPT_SSH_KEYDATA, this);
        return std::nullopt;
    }
    // The server's replies are read as they come, to tell a server that is no FTP server.
    curl_easy_setopt(c, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(c, CURLOPT_DEBUGFUNCTION, &Run::onDebug);
    curl_easy_setopt(c, CURLOPT_DEBUGDATA, this);
    // Over TLS no router can read the PORT command to let the server's connection in: passive always.
    const bool passive = m_request.passive || m_protocol == ServerProtocol::Ftps;
    curl_easy_setopt(c, CURLOPT_FTPPORT, passive ? static_cast<const char*>(nullptr) : "-");
    if (m_protocol == ServerProtocol::Ftps) {
        curl_easy_setopt(c, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
        curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    }
    if (m_protocol != ServerProtocol::Ftps || m_caFile.isEmpty())
        return std::nullopt;
    // Extra authorities join the system's: a blob takes the place of curl's own bundle file.
    QFile extra(m_caFile);
    if (!extra.open(QIODevice::ReadOnly))
        return describe(CURLE_SSL_CACERT_BADFILE);
    QByteArray bundle = extra.readAll();
    char* system = nullptr;
    if (curl_easy_getinfo(c, CURLINFO_CAINFO, &system) == CURLE_OK && system) {
        QFile systemFile(QFile::decodeName(system));
        if (systemFile.open(QIODevice::ReadOnly))
            bundle += '\n' + systemFile.readAll();
    }
    curl_blob blob{bundle.data(), size_t(bundle.size()), CURL_BLOB_COPY};
    curl_easy_setopt(c, CURLOPT_CAINFO_BLOB, &blob);
    return std::nullopt;
}

std::optional<Failure> CurlUpload::Run::checkFolder()
{
    // FTP changes into the folder and SFTP opens it; neither makes it.
    QStringList parents = m_remoteFolder;
    const QString last = m_protocol == ServerProtocol::Sftp ? parents.takeLast() : QString();
    curl_easy_setopt(m_easy, CURLOPT_URL, url(parents, last).constData());
    curl_easy_setopt(m_easy, CURLOPT_UPLOAD, 0L);
    curl_easy_setopt(m_easy, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(m_easy, CURLOPT_FTP_CREATE_MISSING_DIRS, long(CURLFTP_CREATE_DIR_NONE));
    m_making.clear();
    if (const CURLcode code = perform(); code != CURLE_OK)
        return describe(code);
    m_folderReached = true;
    return std::nullopt;
}

std::optional<Failure> CurlUpload::Run::send(int index)
{
    const UploadItem& item = m_request.items.at(index);
    m_index = index;
    post([index](CurlUpload* owner) { Q_EMIT owner->itemStarted(index); });
    const QStringList sub = item.subFolder.split(u'/', Qt::SkipEmptyParts);
    if (!sub.isEmpty() && !m_folderReached) {
        if (std::optional<Failure> failure = checkFolder())
            return failure;
    }

    const StrippedPicture picture = pictureForUpload(item.localPath, m_tempFolder);
    const auto dropCopy = qScopeGuard([&picture] {
        if (picture.isCopy)
            QFile::remove(picture.path);
    });
    QFile file(picture.path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return unreadable(item.localPath);
    m_itemTotal = file.size();
    m_batchTotal += m_itemTotal - m_estimates[index];
    reportProgress(0, true);

    const QStringList folders = m_remoteFolder + sub;
    curl_easy_setopt(m_easy, CURLOPT_URL, url(folders, item.remoteName).constData());
    curl_easy_setopt(m_easy, CURLOPT_NOBODY, 0L);
    curl_easy_setopt(m_easy, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(m_easy, CURLOPT_INFILESIZE_LARGE, curl_off_t(m_itemTotal));
    curl_easy_setopt(m_easy, CURLOPT_FTP_CREATE_MISSING_DIRS,
                     long(sub.isEmpty() ? CURLFTP_CREATE_DIR_NONE : CURLFTP_CREATE_DIR_RETRY));
    m_making = sub;
    m_file = &file;
    m_read = 0;
    m_storeSent = false;
    m_itemMoving = false;
    m_sending = true;
    const CURLcode code = perform();
    m_sending = false;
    m_file = nullptr;
    if (code != CURLE_OK) {
        const Failure failure = describe(code);
        if (m_storeSent && !m_aborted && !m_notFtp)
            removeEmptyFile(folders, item.remoteName);
        return failure;
    }
    m_folderReached = true;
    reportProgress(m_itemTotal, true);
    m_batchDone += m_itemTotal;
    return std::nullopt;
}

void CurlUpload::Run::removeEmptyFile(const QStringList& folders, const QString& name)
{
    const QByteArray command = "DELE " + name.toUtf8();
    if (command.contains('\r') || command.contains('\n'))
        return;
    // Its size first (SIZE): a file that holds anything is not the store's to remove.
    curl_easy_setopt(m_easy, CURLOPT_URL, url(folders, name).constData());
    curl_easy_setopt(m_easy, CURLOPT_UPLOAD, 0L);
    curl_easy_setopt(m_easy, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(m_easy, CURLOPT_FTP_CREATE_MISSING_DIRS, long(CURLFTP_CREATE_DIR_NONE));
    curl_easy_setopt(m_easy, CURLOPT_TIMEOUT_MS, long(std::chrono::milliseconds(CleanupLimit).count()));
    curl_off_t size = -1;
    if (perform() == CURLE_OK &&
        curl_easy_getinfo(m_easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size) == CURLE_OK && size == 0) {
        curl_slist* commands = curl_slist_append(nullptr, command.constData());
        curl_easy_setopt(m_easy, CURLOPT_POSTQUOTE, commands);
        perform();
        curl_easy_setopt(m_easy, CURLOPT_POSTQUOTE, nullptr);
        curl_slist_free_all(commands);
    }
    curl_easy_setopt(m_easy, CURLOPT_TIMEOUT_MS, 0L);
}

CURLcode CurlUpload::Run::perform()
{
    if (curl_multi_add_handle(m_multi, m_easy) != CURLM_OK)
        return CURLE_FAILED_INIT;
    CURLcode result = CURLE_ABORTED_BY_CALLBACK;
    int running = 1;
    // Waking up on abort() cuts the transfer at once, even while connecting.
    while (running && !m_aborted && !m_notFtp) {
        if (curl_multi_perform(m_multi, &running) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        if (running)
            curl_multi_poll(m_multi, nullptr, 0, int(ProgressInterval.count()), nullptr);
        // The bytes reach the server while curl waits, not only when it hands over more.
        if (m_sending)
            reportProgress(m_handed, false);
    }
    int queued = 0;
    while (const CURLMsg* message = curl_multi_info_read(m_multi, &queued)) {
        if (message->msg == CURLMSG_DONE && !m_aborted)
            result = message->data.result;
    }
    if (m_notFtp && !m_aborted)
        result = CURLE_WEIRD_SERVER_REPLY;
    curl_multi_remove_handle(m_multi, m_easy);
    return result;
}

QByteArray CurlUpload::Run::url(const QStringList& folders, const QString& name) const
{
    QByteArray url = m_origin;
    for (const QString& folder : folders)
        url += QUrl::toPercentEncoding(folder) + '/';
    return url + QUrl::toPercentEncoding(name);
}

qint64 CurlUpload::Run::unsentBytes()
{
    qint64 unsent = 0;
#ifdef SIOCOUTQ
    const std::lock_guard lock(m_lock);
    for (const curl_socket_t socket : m_sockets) {
        int queued = 0;
        if (::ioctl(socket, SIOCOUTQ, &queued) == 0)
            unsent += queued;
    }
#endif
    return unsent;
}

void CurlUpload::Run::reportProgress(qint64 handed, bool now)
{
    const auto time = std::chrono::steady_clock::now();
    m_handed = handed;
    if (!now && time - m_lastReport < ProgressInterval)
        return;
    // The system takes megabytes at once; what still waits in its queues has not reached the server.
    const qint64 sent = now ? handed : std::max<qint64>(0, handed - unsentBytes());
    if (!now && sent == m_reported)
        return;
    m_lastReport = time;
    m_reported = sent;
    const qint64 item = m_itemTotal;
    const qint64 batchSent = m_batchDone + sent;
    const qint64 batch = m_batchTotal;
    post([=](CurlUpload* owner) { Q_EMIT owner->progress(sent, item, batchSent, batch); });
}

int CurlUpload::Run::onProgress(void* run, curl_off_t, curl_off_t, curl_off_t, curl_off_t sent)
{
    auto* self = static_cast<Run*>(run);
    if (self->m_aborted || self->m_notFtp)
        return 1;
    if (self->m_sending)
        self->reportProgress(std::min<qint64>(sent, self->m_read), false);
    return 0;
}

size_t CurlUpload::Run::onRead(char* buffer, size_t size, size_t count, void* run)
{
    auto* self = static_cast<Run*>(run);
    self->m_itemMoving = true;
    const qint64 read = self->m_file->read(buffer, qint64(size * count));
    if (read < 0)
        return CURL_READFUNC_ABORT;
    self->m_read += read;
    return size_t(read);
}

int CurlUpload::Run::onHostKey(CURL*, const curl_khkey*, const curl_khkey*, curl_khmatch match, void* run)
{
    switch (match) {
    case CURLKHMATCH_OK:
        return CURLKHSTAT_FINE;
    case CURLKHMATCH_MISSING:
        // A server met for the first time is trusted and remembered, as OpenSSH's accept-new does.
        return CURLKHSTAT_FINE_ADD_TO_FILE;
    default:
        static_cast<Run*>(run)->m_hostKeyChanged = true;
        return CURLKHSTAT_REJECT;
    }
}

curl_socket_t CurlUpload::Run::onOpenSocket(void* run, curlsocktype, curl_sockaddr* address)
{
    auto* self = static_cast<Run*>(run);
    const std::lock_guard lock(self->m_lock);
    const curl_socket_t socket =
        ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
    if (socket == CURL_SOCKET_BAD)
        return socket;
    self->m_sockets.push_back(socket);
    // sin_port and sin6_port lie at the same place.
    const auto* inet = reinterpret_cast<const sockaddr_in*>(&address->addr);
    if ((address->family == AF_INET || address->family == AF_INET6) &&
        ntohs(inet->sin_port) == self->m_controlPort) {
        self->m_controlSockets.push_back(socket);
        self->m_greeted = false;
        self->m_replyCode.clear();
    }
    return socket;
}

int CurlUpload::Run::onCloseSocket(void* run, curl_socket_t socket)
{
    auto* self = static_cast<Run*>(run);
    // A socket closed with bytes unread (a TLS 1.3 session ticket, say) is reset, and the server
    // may then lose the end of the picture ("426"): so a data connection that took a whole picture
    // reads on until the server closes too. Nothing is worth waiting for on any other.
    const bool control = std::erase(self->m_controlSockets, socket) > 0;
    const bool wholePicture = !control && self->m_sending && self->m_read >= self->m_itemTotal;
    sockaddr_storage peer{};
    socklen_t peerSize = sizeof peer;
    const bool connected = ::getpeername(socket, reinterpret_cast<sockaddr*>(&peer), &peerSize) == 0;
    if (wholePicture && connected && !self->m_aborted && ::shutdown(socket, SHUT_WR) == 0) {
        const auto deadline = std::chrono::steady_clock::now() + self->m_timeouts.stall;
        pollfd readable{socket, POLLIN, 0};
        char sink[4096];
        while (!self->m_aborted && std::chrono::steady_clock::now() < deadline) {
            // A slow line is still taking the end of the picture: the bars go on moving meanwhile.
            if (self->m_sending)
                self->reportProgress(self->m_handed, false);
            if (::poll(&readable, 1, 100) < 0)
                break;
            const ssize_t got = readable.revents ? ::recv(socket, sink, sizeof sink, MSG_DONTWAIT) : -1;
            if (got == 0 || (got < 0 && readable.revents))
                break;
        }
    }
    // Closed under the lock, so abort() never cuts a number the system has given out again.
    const std::lock_guard lock(self->m_lock);
    std::erase(self->m_sockets, socket);
    return ::close(socket);
}

int CurlUpload::Run::onDebug(CURL*, curl_infotype type, char* data, size_t size, void* run)
{
    auto* self = static_cast<Run*>(run);
    const QByteArrayView text(data, qsizetype(size));
    if (type == CURLINFO_HEADER_IN)
        self->readReplyLine(text);
    else if (type == CURLINFO_HEADER_OUT && text.startsWith("STOR "))
        self->m_storeSent = true;
    // curl cuts a reply line that fills its buffer and reads on; no FTP server sends one.
    else if (type == CURLINFO_TEXT && text.startsWith("Excessive server response line"))
        self->m_notFtp = true;
    return 0;
}

void CurlUpload::Run::readReplyLine(QByteArrayView line)
{
    // "220 Welcome", or "220-Welcome" and its lines up to one that begins "220 ".
    const auto digit = [&line](qsizetype i) { return line.size() > i && std::isdigit(uchar(line[i])); };
    const char mark = line.size() > 3 ? line[3] : ' ';
    const bool coded =
        digit(0) && digit(1) && digit(2) && (mark == ' ' || mark == '-' || mark == '\r' || mark == '\n');
    if (m_replyCode.isEmpty()) {
        if (!coded)
            m_notFtp = true;
        else if (mark == '-')
            m_replyCode = line.first(3).toByteArray();
        else
            m_greeted = true;
        m_replyBytes = line.size();
        return;
    }
    m_replyBytes += line.size();
    if (coded && mark != '-' && line.startsWith(m_replyCode)) {
        m_replyCode.clear();
        m_greeted = true;
    } else if (m_replyBytes > MaxReplyBytes) {
        m_notFtp = true;
    }
}

Failure CurlUpload::Run::describe(CURLcode code) const
{
    const Preferences::FtpAccount& account = m_request.account;
    const QString server = quoted(account.server.trimmed());
    const int port = ftpPortNumber(account.port);
    const QString where = port > 0 ? server + u" on port "_s + QString::number(port) : server;
    const QString name = m_index >= 0 ? quoted(m_request.items.at(m_index).remoteName) : QString();
    const QString folder = quoted(m_remoteFolder.join(u'/'));
    const bool sftp = m_protocol == ServerProtocol::Sftp;
    curl_off_t connectTime = 0;
    curl_easy_getinfo(m_easy, CURLINFO_CONNECT_TIME_T, &connectTime);
    const bool connected = connectTime > 0 || m_index > 0;

    QString text;
    switch (code) {
    case CURLE_UNSUPPORTED_PROTOCOL:
        text = u"The server %1 names a way of connecting the program does not know: write the server "
               u"as a bare name, or begin it with ftp://, ftps:// or sftp://."_s.arg(server);
        break;
    case CURLE_URL_MALFORMAT:
        text = u"The server %1 or its port is not valid."_s.arg(server);
        break;
    case CURLE_COULDNT_RESOLVE_HOST:
        text = u"Could not connect: the server %1 was not found. Check its name and your internet "
               u"connection."_s.arg(server);
        break;
    case CURLE_COULDNT_CONNECT:
        text = u"Could not connect to the server %1: it refused the connection or cannot be reached."_s.arg(
            where);
        // The port of the settings starts as FTP's.
        if (sftp && port == 21)
            text += u" SFTP servers usually answer on port 22, not 21."_s;
        break;
    case CURLE_OPERATION_TIMEDOUT:
        if (!connected)
            text = u"Could not connect to the server %1: it did not answer within %2 seconds."_s.arg(
                where, seconds(m_timeouts.connect));
        else if (!sftp && !m_greeted)
            text = u"The FTP server did not answer: %1 took the connection but sent no greeting within %2 "
                   u"seconds."_s.arg(where, seconds(m_timeouts.connect));
        else if (m_itemMoving)
            text = u"The transfer of %1 stalled: nothing moved for %2 seconds."_s.arg(
                name, seconds(m_timeouts.stall));
        else
            text = u"The server %1 stopped answering before %2 was sent."_s.arg(where, name);
        break;
    case CURLE_WEIRD_SERVER_REPLY:
        text =
            u"The server %1 does not answer as an FTP server does: what it sent is no FTP reply. Check the "
            u"server's name and port."_s.arg(where);
        break;
    case CURLE_LOGIN_DENIED:
        text = u"The server refused the login of the user %1: check the user name and the password."_s.arg(
            quoted(account.userName));
        break;
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_REMOTE_FILE_NOT_FOUND:
        if (sftp && code == CURLE_REMOTE_ACCESS_DENIED)
            text = u"The server refused to store %1 in the folder %2."_s.arg(name, folder);
        else if (!m_making.isEmpty())
            text = u"The folder %1 could not be made in the folder %2 on the server."_s.arg(
                quoted(m_making.join(u'/')), folder);
        else
            text =
                u"The folder %1 was not found on the server, below the folder you log in to."_s.arg(folder);
        break;
    case CURLE_UPLOAD_FAILED:
        text = u"The server refused to store %1: the folder may be closed to writing or the server's disk "
               u"full."_s.arg(name);
        break;
    case CURLE_REMOTE_DISK_FULL:
        text = u"The server's disk is full: %1 could not be stored."_s.arg(name);
        break;
    case CURLE_READ_ERROR:
        return unreadable(m_request.items.at(m_index).localPath);
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
    case CURLE_GOT_NOTHING:
        text = m_itemMoving ? u"The connection to the server broke while %1 was being sent."_s.arg(name)
                            : u"The connection to the server %1 broke before %2 was sent."_s.arg(where, name);
        break;
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_CANT_GET_HOST:
    case CURLE_FTP_PORT_FAILED:
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_ACCEPT_TIMEOUT:
        text = u"The server could not open the connection that carries %1."_s.arg(name);
        break;
    case CURLE_PEER_FAILED_VERIFICATION:
        text =
            m_hostKeyChanged
                ? u"The server's SSH host key is not the one it had before, so the password was not sent: "
                  u"someone may be posing as the server. If your host confirms that the key was changed, "
                  u"remove the server's line from %1 and upload again."_s.arg(
                      quoted(QDir::toNativeSeparators(m_knownHosts)))
                : u"The server's certificate is not trusted, so the password was not sent: it is not signed "
                  u"by an authority this computer trusts, has expired, or names another server."_s;
        break;
    case CURLE_SSL_CONNECT_ERROR:
        text = u"A secure connection to the server %1 could not be set up."_s.arg(where);
        break;
    case CURLE_USE_SSL_FAILED:
        text = u"The server %1 does not offer FTP over TLS (ftps://)."_s.arg(where);
        break;
    case CURLE_SSL_CACERT_BADFILE:
        text = u"The trusted certificates in %1 could not be read."_s.arg(quoted(m_caFile));
        break;
    case CURLE_SSH:
        text = u"The SFTP session with the server %1 failed."_s.arg(where);
        break;
    default:
        text = QString::fromUtf8(curl_easy_strerror(code)) + u'.';
        break;
    }
    return {int(code), text};
}

CurlUpload::CurlUpload(QObject* parent) : PictureUpload(parent) {}

CurlUpload::~CurlUpload() = default;

void CurlUpload::startUpload(const UploadRequest& request)
{
    // On the first upload, not at start-up: it loads the TLS library, which the program may never need.
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    if (m_run) {
        // A new start ends the run under way, as an abort would.
        m_run.reset();
        ++m_runCount;
        Q_EMIT finished(false, {}, uploadAbortedText());
    }
    ++m_runCount;
    QString error;
    // Copies without the seller's location go where no one else can read or plant them.
    const std::optional<QString> tempFolder = privateFolder(QDir::tempPath(), &error);
    if (!tempFolder) {
        Q_EMIT finished(false, {},
                        uploadErrorText(CURLE_WRITE_ERROR,
                                        u"No private folder for the copies of the pictures could be made in "
                                        u"the temporary folder: %1."_s.arg(error)));
        return;
    }
    m_run = std::make_unique<Run>(this, m_runCount, request, *tempFolder,
                                  Run::Timeouts{m_connectTimeout, m_stallTimeout});
}

void CurlUpload::setTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds stall)
{
    m_connectTimeout = connect;
    m_stallTimeout = stall;
}

void CurlUpload::abort()
{
    if (m_run)
        m_run->abort();
}

void CurlUpload::runEnded(bool ok, const QString& text)
{
    m_run.reset();
    Q_EMIT finished(ok, {}, text);
}

} // namespace lw
