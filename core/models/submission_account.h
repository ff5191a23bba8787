#pragma once

#include <QString>

namespace lw {

// The assisted submission's account: what eBaycfg.txt holds.
struct SubmissionAccount
{
    QString userName;
    QString password;
    QString sellingUrl;
    bool descriptionNotePending = true;
};

} // namespace lw
