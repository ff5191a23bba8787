#include "tests/testlib/child_program.h"

#include <QCoreApplication>
#include <QMap>

using namespace Qt::StringLiterals;

namespace lw::test {

namespace {

constexpr auto ChildVariable = "LW_TEST_CHILD";

QMap<QString, ChildMain>& children()
{
    static QMap<QString, ChildMain> registered;
    return registered;
}

} // namespace

bool registerChild(const char* name, ChildMain main)
{
    children().insert(QString::fromLatin1(name), main);
    return true;
}

int runRequestedChild()
{
    const QString name = qEnvironmentVariable(ChildVariable);
    if (name.isEmpty())
        return -1;
    const ChildMain main = children().value(name);
    return main ? main() : 127;
}

void startChild(QProcess& process, const char* name, const QProcessEnvironment& environment)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& key : environment.keys())
        env.insert(key, environment.value(key));
    env.insert(QString::fromLatin1(ChildVariable), QString::fromLatin1(name));
    process.setProcessEnvironment(env);
    process.start(QCoreApplication::applicationFilePath(), {});
}

} // namespace lw::test
