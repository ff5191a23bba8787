#pragma once

#include <QString>
#include <QStringList>

namespace lw {

class SharedState;

inline constexpr auto SubmissionPasswordMarker = "Rd5k3hwy8";

QString submissionSettingsPath();
// load_eBayPrefs: reads eBaycfg.txt (creating it on the first run) into the submission state.
void load_eBayPrefs(SharedState& state);
// save_eBayPrefs: writes the four lines from the submission state.
bool save_eBayPrefs(const SharedState& state, QString* error = nullptr);

// A number reads as true unless it is 0; a word other than True/False, or a missing line, as true.
bool parseNotePending(const QString& line);

} // namespace lw
