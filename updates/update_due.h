#pragma once

#include <QDateTime>
#include <QString>

namespace lw {

class SharedState;

QString updateDatePath();
// The daily rule: a check is due when at least one midnight has passed since the
// date in updpr.dat; an unreadable date makes it due. Creates the file when missing.
bool computeUpdateCheckDue(const QDateTime& now);
bool isUpdateDue(const QString& storedDate, const QDateTime& now);
QString formatUpdateDate(const QDateTime& when);
// Start-up: the due flag, no update known yet, revision 5.
void startUpdateState(SharedState& state, const QDateTime& now);

} // namespace lw
