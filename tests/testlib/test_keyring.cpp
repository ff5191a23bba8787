#include "tests/testlib/test_keyring.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace lw::test {

namespace {

const QString Secrets = u"org.freedesktop.secrets"_s;
const QString Login = u"/org/freedesktop/secrets/collection/login"_s;
const QString BusName = u"lw-test-keyring"_s;

QVariant property(const QDBusConnection& bus, const QString& path, const QString& interface,
                  const QString& name)
{
    QDBusMessage get =
        QDBusMessage::createMethodCall(Secrets, path, u"org.freedesktop.DBus.Properties"_s, u"Get"_s);
    get << interface << name;
    const QDBusMessage reply = bus.call(get);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().at(0).value<QDBusVariant>().variant();
}

} // namespace

TestKeyring::TestKeyring()
{
    const QString runtime = m_dir.filePath(u"run"_s);
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& display : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"DBUS_SESSION_BUS_ADDRESS"_s})
        env.remove(display);
    env.insert(u"HOME"_s, m_dir.path());
    env.insert(u"XDG_DATA_HOME"_s, m_dir.filePath(u"data"_s));
    env.insert(u"XDG_CONFIG_HOME"_s, m_dir.filePath(u"config"_s));
    env.insert(u"XDG_RUNTIME_DIR"_s, runtime);
    m_bus.setProcessEnvironment(env);
    m_bus.start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address=1"_s});
    if (!m_bus.waitForReadyRead(10000)) {
        error = u"dbus-daemon did not start"_s;
        return;
    }
    m_address = QString::fromLatin1(m_bus.readLine()).trimmed();
    env.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, m_address);
    m_daemon.setProcessEnvironment(env);
    m_daemon.start(u"gnome-keyring-daemon"_s, {u"--unlock"_s, u"--foreground"_s, u"--components=secrets"_s});
    // The login keyring's password, on standard input as the login manager gives it.
    m_daemon.write("lw-test-keyring");
    m_daemon.closeWriteChannel();
    const QDBusConnection bus = QDBusConnection::connectToBus(m_address, BusName);
    const bool ready = QTest::qWaitFor(
        [&] {
            return bus.interface()->isServiceRegistered(Secrets) &&
                   property(bus, Login, u"org.freedesktop.Secret.Collection"_s, u"Locked"_s) ==
                       QVariant(false);
        },
        10000);
    if (!ready) {
        error = u"gnome-keyring-daemon did not start: "_s +
                QString::fromLocal8Bit(m_daemon.readAllStandardError());
        return;
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
}

TestKeyring::~TestKeyring()
{
    QDBusConnection::disconnectFromBus(BusName);
    qputenv("DBUS_SESSION_BUS_ADDRESS", NoSessionBus);
    for (QProcess* p : {&m_daemon, &m_bus}) {
        p->terminate();
        if (!p->waitForFinished(3000))
            p->kill();
        p->waitForFinished(3000);
    }
}

QStringList TestKeyring::labels() const
{
    const QDBusConnection bus = QDBusConnection::connectToBus(m_address, BusName);
    QStringList out;
    const QVariant items = property(bus, Login, u"org.freedesktop.Secret.Collection"_s, u"Items"_s);
    for (const QDBusObjectPath& item : qdbus_cast<QList<QDBusObjectPath>>(items))
        out << property(bus, item.path(), u"org.freedesktop.Secret.Item"_s, u"Label"_s).toString();
    out.sort();
    return out;
}

bool TestKeyring::lock() const
{
    const QDBusConnection bus = QDBusConnection::connectToBus(m_address, BusName);
    QDBusMessage call = QDBusMessage::createMethodCall(Secrets, u"/org/freedesktop/secrets"_s,
                                                       u"org.freedesktop.Secret.Service"_s, u"Lock"_s);
    call << QVariant::fromValue(QList<QDBusObjectPath>{QDBusObjectPath(Login)});
    return bus.call(call).type() == QDBusMessage::ReplyMessage &&
           property(bus, Login, u"org.freedesktop.Secret.Collection"_s, u"Locked"_s) == QVariant(true);
}

} // namespace lw::test
