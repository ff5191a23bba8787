#pragma once

#include "submission/submission_host.h"

#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

namespace lw {

// Where the browser module (the submission window and the live preview) is looked for: beside the
// program, then in its private folder.
QStringList submissionModuleCandidates();
// The module's exported function of that name, the module loaded the first time (it stays loaded);
// nullptr with the reason in `error` when the module cannot be found or loaded.
QFunctionPointer browserModuleEntry(const char* symbol, QString* error);
// The submission window from the browser module; nullptr with the reason in `error` when the
// module cannot be found or loaded.
std::unique_ptr<SubmissionWindow> createSubmissionWindow(SubmissionHost& host, QWidget* parent,
                                                         QString* error);
// The message the seller sees then.
QString submissionModuleMissingText(const QString& error);

} // namespace lw
