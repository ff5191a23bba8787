#include "core/text_file.h"
#include "tests/testlib/test_install.h"
#include "updates/update_due.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

const QDateTime Now(QDate(2024, 3, 1), QTime(0, 1));

TEST(CoreUpdateDue, DueOnceAMidnightHasPassed)
{
    EXPECT_TRUE(isUpdateDue(formatUpdateDate(QDateTime(QDate(2024, 2, 29), QTime(23, 59))), Now));
    EXPECT_FALSE(isUpdateDue(formatUpdateDate(QDateTime(QDate(2024, 3, 1), QTime(0, 0))), Now));
    EXPECT_FALSE(isUpdateDue(formatUpdateDate(QDateTime(QDate(2024, 3, 5), QTime(12, 0))), Now));
    EXPECT_TRUE(isUpdateDue(u"2023-12-31T10:00:00"_s, Now));
    for (const QString& unreadable :
         {QString(), u"yesterday"_s, u"2024-02-30 10:00:00"_s, QString(100000, u'9')})
        EXPECT_TRUE(isUpdateDue(unreadable, Now));
}

TEST(CoreUpdateDue, FileIsCreatedOnTheFirstRunAndReadLater)
{
    test::TestInstall install(false);
    EXPECT_FALSE(computeUpdateCheckDue(Now));
    EXPECT_EQ(install.readLines(u"updpr.dat"_s), QStringList{u"2024-03-01 00:01:00"_s});
    install.writeLines(u"updpr.dat"_s, {u"2024-02-29 23:59:00"_s});
    EXPECT_TRUE(computeUpdateCheckDue(Now));
    install.write(u"updpr.dat"_s, QByteArray("\x00\xFF\xFE garbage", 12));
    EXPECT_TRUE(computeUpdateCheckDue(Now));
    install.write(u"updpr.dat"_s, {});
    EXPECT_TRUE(computeUpdateCheckDue(Now));
}

} // namespace
