#include "core/hosts.h"
#include "core/models/shared_state.h"
#include "submission/submission_settings.h"
#include "tests/core/damaged_input.h"
#include "tests/testlib/test_install.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

class SubmissionSettings : public ::testing::Test
{
protected:
    QStringList saved() const { return install.readLines(u"eBaycfg.txt"_s); }
    SubmissionAccount loadFrom(const QStringList& lines)
    {
        install.writeLines(u"eBaycfg.txt"_s, lines);
        SharedState state;
        load_eBayPrefs(state);
        return state.submission;
    }

    test::TestInstall install;
};

TEST_F(SubmissionSettings, FirstLoadCreatesThePrivateFileAndLoadsWriteBackWhatTheyRead)
{
    SharedState state;
    load_eBayPrefs(state);
    EXPECT_EQ(saved(), (QStringList{{}, u"Rd5k3hwy8"_s, Hosts::current().defaultSellingUrl(), u"True"_s}));
    EXPECT_EQ(test::fileMode(install.file(u"eBaycfg.txt"_s)), 0600);
    EXPECT_TRUE(state.submission.descriptionNotePending);

    const SubmissionAccount s = loadFrom({u"seller"_s, u"pqrXXXXXXXXX"_s, u"http://sell.example/"_s, u"0"_s});
    EXPECT_EQ(s.password, u"abc");
    EXPECT_FALSE(s.descriptionNotePending);
    EXPECT_EQ(saved(), (QStringList{u"seller"_s, u"pqrRd5k3hwy8"_s, u"http://sell.example/"_s, u"False"_s}));
}

TEST_F(SubmissionSettings, ShortOrDamagedFilesLeaveMissingValuesEmpty)
{
    const SubmissionAccount s = loadFrom({u"seller"_s});
    EXPECT_EQ(s.userName, u"seller");
    EXPECT_EQ(s.sellingUrl, QString());
    EXPECT_TRUE(s.descriptionNotePending);
    for (const auto& input : test::damagedInputs("seller\r\npqrRd5k3hwy8\r\nhttp://x/\r\nFalse\r\n")) {
        SCOPED_TRACE(input.name);
        install.write(u"eBaycfg.txt"_s, input.bytes);
        SharedState state;
        load_eBayPrefs(state);
        EXPECT_EQ(saved().size(), 4);
    }
}

} // namespace
