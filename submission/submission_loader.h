#pragma once

#include "submission/submission_host.h"

#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

namespace lw {

// Where the submission module is looked for: beside the program, then in its private folder.
QStringList submissionModuleCandidates();
// Loads the module (once per run; it stays loaded) and creates the window. nullptr with the
// reason in `error` when the module cannot be found or loaded.
std::unique_ptr<SubmissionWindow> createSubmissionWindow(SubmissionHost& host, QWidget* parent,
                                                         QString* error);
// The message the seller sees then.
QString submissionModuleMissingText(const QString& error);

} // namespace lw
