#pragma once

#include "core/line_table.h"

#include <QString>

namespace lw {

class SharedState;
struct SubmissionAccount;

// eBaycfg.txt: the assisted submission's account, one value per line.
LineTable<SubmissionAccount> submissionTable();
QString submissionSettingsPath();
// load_eBayPrefs: reads eBaycfg.txt (creating it on the first run) into the shared state.
void load_eBayPrefs(SharedState& state);
// save_eBayPrefs: writes the four lines from the shared state; the password line is empty when
// the keyring keeps the password.
bool save_eBayPrefs(SharedState& state, QString* error = nullptr);

} // namespace lw
