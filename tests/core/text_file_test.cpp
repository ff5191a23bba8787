#include "core/color.h"
#include "core/text_file.h"
#include "tests/core/damaged_input.h"
#include "tests/testlib/test_install.h"

#include <QDir>

#include <gtest/gtest.h>

#include <numeric>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

TEST(CoreTextCodePage, Utf8WhenValidOrNeededElseWindows1252)
{
    EXPECT_EQ(decodeText("caf\xC3\xA9"), u"café");
    EXPECT_EQ(decodeText("\xEF\xBB\xBFplain"), u"plain");
    // One byte that cannot start UTF-8 makes the whole file Windows-1252.
    EXPECT_EQ(decodeText("caf\xE9 \x80 \x93x\x94 \xC3\xA9"), u"café € “x” Ã©");
    // Every byte survives the Windows-1252 path, the five unassigned ones included.
    QByteArray all(256, '\0');
    std::iota(all.begin(), all.end(), '\0');
    EXPECT_EQ(encodeText(decodeText(all)), all);

    EXPECT_EQ(encodeText(u"café € — ÿ"_s), QByteArray("caf\xE9 \x80 \x97 \xFF"));
    EXPECT_EQ(encodeText(u"café ☃"_s), QByteArray("caf\xC3\xA9 \xE2\x98\x83"));
    // "É®" in Windows-1252 is C9 AE, valid UTF-8 for another letter: such texts go out as UTF-8.
    for (const QString& text : {u"Größe 10° – café"_s, u"CAFÉ®"_s, u"Àz"_s})
        EXPECT_EQ(decodeText(encodeText(text)), text);
}

// Raw bytes go in through the atomic writer, whose CR LF output is checked byte for byte.
TEST(CoreTextFile, ReadsCrLfOrLfWritesCrLfAtomicallyAndSurvivesDamagedFiles)
{
    const test::TestInstall dir(false);
    const QString path = dir.file(u"data.txt"_s);
    ASSERT_TRUE(writeFileAtomic(path, "one\r\ntwo\nthree\r\n\r\nlast\r\r\n"));
    // Only the CR of a CR LF pair is taken off.
    EXPECT_EQ(readTextLines(path).lines,
              (QStringList{u"one"_s, u"two"_s, u"three"_s, QString(), u"last\r"_s}));

    ASSERT_TRUE(writeTextLines(path, {u"x"_s, QString(), u"y"_s}, nullptr, true));
    EXPECT_EQ(dir.read(u"data.txt"_s), QByteArray("x\r\n\r\ny\r\n"));
    EXPECT_EQ(test::fileMode(path), 0600);
    // No temporary sibling is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"data.txt"_s});

    QString error;
    EXPECT_FALSE(writeTextLines(dir.file(u"missing/data.txt"_s), {u"x"_s}, &error));
    EXPECT_FALSE(error.isEmpty());

    for (const auto& input : test::damagedInputs("1\r\n2\r\n3\r\n")) {
        SCOPED_TRACE(input.name);
        ASSERT_TRUE(writeFileAtomic(path, input.bytes));
        const TextReadResult r = readTextLines(path);
        EXPECT_EQ(r.ok, input.bytes.size() <= MaxDataFileBytes);
        EXPECT_TRUE(QByteArray(input.name) != "long lines" || r.lines.value(59) == QString(100000, u'9'));
    }
    EXPECT_FALSE(readTextLines(dir.file(u"absent.txt"_s)).ok);
    ASSERT_TRUE(writeFileAtomic(path, "12345678"));
    EXPECT_FALSE(readTextLines(path, 7).ok);
    EXPECT_TRUE(readTextLines(path, 8).ok);
}

TEST(CoreTextForms, NumbersFlagsAndColours)
{
    EXPECT_EQ(numberText(5) + numberText(0) + numberText(-1), u" 5  0 -1 ");
    EXPECT_EQ(parseNumber(u" 5 "_s), 5);
    EXPECT_EQ(parseNumber(u"-1 "_s), -1);
    EXPECT_EQ(parseNumber(u"5.0"_s), 5);
    for (const QString& bad : {QString(), u" "_s, u"abc"_s, u"2l"_s, u"1e5"_s, u"0x10"_s, u"inf"_s,
                               u"99999999999999999999"_s, u"1 2"_s})
        EXPECT_FALSE(parseNumber(bad).has_value()) << bad.toStdString();

    EXPECT_EQ(flagText(true) + flagText(false), u"TrueFalse");
    EXPECT_EQ(parseFlag(u" FALSE "_s), false);
    EXPECT_FALSE(parseFlag(u"1"_s).has_value());

    for (const QString& good : {u"21"_s, u" 12345 "_s, u"-3.5"_s, u"+7"_s, u".5"_s})
        EXPECT_TRUE(isNumber(good)) << good.toStdString();
    for (const QString& bad : {QString(), u"2l"_s, u"."_s, u"-"_s, u"1.2.3"_s, u"12 34"_s, u"1e3"_s})
        EXPECT_FALSE(isNumber(bad)) << bad.toStdString();

    // Values are laid out 0x00BBGGRR; digits above the sixth are dropped.
    EXPECT_EQ(ColorToHtml(16301711) + ColorToHtml(0) + ColorToHtml(255) + ColorToHtml(0x1FF0000),
              u"#8FBEF8#000000#FF0000#0000FF");
}

} // namespace
