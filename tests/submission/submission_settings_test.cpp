#include "core/hosts.h"
#include "core/models/shared_state.h"
#include "submission/submission_settings.h"
#include "tests/core/damaged_input.h"
#include "tests/testlib/test_install.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

const QString Marker = u"Rd5k3hwy8"_s;

class SubmissionSettings : public ::testing::Test
{
protected:
    QStringList saved() const { return install.readLines(u"eBaycfg.txt"_s); }
    SubmissionState loadFrom(const QStringList& lines)
    {
        install.writeLines(u"eBaycfg.txt"_s, lines);
        SharedState state;
        load_eBayPrefs(state);
        return state.submission;
    }

    test::TestInstall install;
};

TEST_F(SubmissionSettings, FirstLoadCreatesThePrivateFile)
{
    SharedState state;
    load_eBayPrefs(state);
    EXPECT_EQ(saved(), (QStringList{QString(), Marker, Hosts::current().defaultSellingUrl(), u"True"_s}));
    EXPECT_EQ(test::fileMode(install.file(u"eBaycfg.txt"_s)), 0600);
    EXPECT_EQ(state.submission.userName, QString());
    EXPECT_EQ(state.submission.password, QString());
    EXPECT_EQ(state.submission.sellingUrl, Hosts::current().defaultSellingUrl());
    EXPECT_TRUE(state.submission.descriptionNotePending);
}

TEST_F(SubmissionSettings, PasswordIsShiftedAndTheMarkerIgnored)
{
    SharedState state;
    state.submission = {u"seller"_s, u"abc"_s, u"http://sell.example/"_s, false};
    ASSERT_TRUE(save_eBayPrefs(state));
    EXPECT_EQ(saved(), (QStringList{u"seller"_s, u"pqr" + Marker, u"http://sell.example/"_s, u"False"_s}));
    EXPECT_EQ(test::fileMode(install.file(u"eBaycfg.txt"_s)), 0600);

    const SubmissionState s =
        loadFrom({u"seller"_s, u"pqrXXXXXXXXX"_s, u"http://sell.example/"_s, u"true"_s});
    EXPECT_EQ(s.userName, u"seller");
    EXPECT_EQ(s.password, u"abc");
    EXPECT_TRUE(s.descriptionNotePending);
    // The load writes back what it read, in the program's own form.
    EXPECT_EQ(saved(), (QStringList{u"seller"_s, u"pqr" + Marker, u"http://sell.example/"_s, u"True"_s}));

    EXPECT_FALSE(loadFrom({{}, {}, {}, u"FALSE"_s}).descriptionNotePending);
    EXPECT_FALSE(loadFrom({{}, {}, {}, u" 0 "_s}).descriptionNotePending);
    EXPECT_TRUE(loadFrom({{}, {}, {}, u"-1 "_s}).descriptionNotePending);
}

TEST_F(SubmissionSettings, ShortOrOddFilesLeaveMissingValuesEmpty)
{
    SubmissionState s = loadFrom({u"seller"_s});
    EXPECT_EQ(s.userName, u"seller");
    EXPECT_EQ(s.password, QString());
    EXPECT_EQ(s.sellingUrl, QString());
    EXPECT_TRUE(s.descriptionNotePending);
    EXPECT_EQ(saved().size(), 4);

    s = loadFrom({u"seller"_s, u"short"_s, u"http://x/"_s, u"maybe"_s});
    EXPECT_EQ(s.password, QString());
    EXPECT_TRUE(s.descriptionNotePending);

    QByteArray valid("seller\r\npqr" + Marker.toLatin1() + "\r\nhttp://x/\r\nFalse\r\n");
    for (const auto& input : test::damagedInputs(valid)) {
        SCOPED_TRACE(input.name);
        install.write(u"eBaycfg.txt"_s, input.bytes);
        SharedState state;
        load_eBayPrefs(state);
        EXPECT_EQ(saved().size(), 4);
        if (input.bytes.size() > MaxDataFileBytes || input.bytes.isEmpty()) {
            EXPECT_EQ(state.submission.userName, QString());
            EXPECT_EQ(state.submission.password, QString());
            EXPECT_TRUE(state.submission.descriptionNotePending);
        }
    }
}

} // namespace
