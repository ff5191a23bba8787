#pragma once

#include "core/line_table.h"
#include "core/models/preferences.h"

#include <QString>
#include <QStringList>

namespace lw {

// What settings.txt holds: the preferences and the template list's folder and selection.
struct SettingsValues
{
    PreferenceValues prefs;
    QString templateFolder;
    int templateIndex = 0;
};

LineTable<SettingsValues> settingsTable(const QString& installFolder);
QStringList firstRunSettingsLines(const QString& installFolder);

struct SettingsRead
{
    SettingsValues values; // bad or missing lines hold their first-run values
    QList<int> badLines;   // lines that held what their kind cannot
};

SettingsRead parseSettings(const QStringList& lines, const QString& installFolder);
QStringList settingsLines(const SettingsValues& values, const QString& installFolder);

} // namespace lw
