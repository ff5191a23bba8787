#include "tests/testlib/test_install.h"
#include "updates/update_due.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

const QDateTime Now(QDate(2024, 3, 1), QTime(0, 1));

TEST(CoreUpdateDue, DueOnceAMidnightHasPassedOrTheDateIsUnreadable)
{
    for (const QString& due : {u"2024-02-29 23:59:00"_s, u"2023-12-31T10:00:00"_s, QString(), u"yesterday"_s,
                               u"2024-02-30 10:00:00"_s, QString(100000, u'9')})
        EXPECT_TRUE(isUpdateDue(due, Now)) << due.left(30).toStdString();
    for (const QString& notDue : {u"2024-03-01 00:00:00"_s, u"2024-03-05 12:00:00"_s})
        EXPECT_FALSE(isUpdateDue(notDue, Now)) << notDue.toStdString();
}

TEST(CoreUpdateDue, FileIsCreatedOnTheFirstRunAndReadLater)
{
    test::TestInstall install(false);
    EXPECT_FALSE(computeUpdateCheckDue(Now));
    EXPECT_EQ(install.readLines(u"updpr.dat"_s), QStringList{u"2024-03-01 00:01:00"_s});
    install.write(u"updpr.dat"_s, QByteArray("\x00\xFF\xFE garbage", 12));
    EXPECT_TRUE(computeUpdateCheckDue(Now));
}

} // namespace
