#pragma once

#include <QProcess>
#include <QString>

namespace lw::test {

// A test program can run a part of itself as a program of its own, to be killed or run twice at
// once: the child is registered by name and started as this same executable.
using ChildMain = int (*)();
bool registerChild(const char* name, ChildMain main);
// In main(), once the application object exists: runs the child the environment asks for and gives
// its exit status; -1 when this run is the tests themselves.
int runRequestedChild();
// Starts the child `name` with `environment` added to this program's own.
void startChild(QProcess& process, const char* name, const QProcessEnvironment& environment);

} // namespace lw::test
