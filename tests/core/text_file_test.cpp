#include "core/color.h"
#include "core/text_file.h"
#include "tests/core/damaged_input.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

class CoreTextFile : public ::testing::Test
{
protected:
    QString path(const QString& name = u"data.txt"_s) const { return dir.path() + u'/' + name; }
    void write(const QByteArray& bytes, const QString& name = u"data.txt"_s) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read(const QString& name = u"data.txt"_s) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

TEST_F(CoreTextFile, DecodesUtf8WhenValidElseWindows1252)
{
    EXPECT_EQ(decodeText("caf\xC3\xA9"), u"café");
    EXPECT_EQ(decodeText("\xEF\xBB\xBFplain"), u"plain");
    // One byte that cannot start UTF-8 makes the whole file Windows-1252.
    EXPECT_EQ(decodeText("caf\xE9 \x80 \x93x\x94 \xC3\xA9"), u"café € “x” Ã©");
    // Every byte survives the Windows-1252 path, the five unassigned ones included.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString decoded = decodeText(all);
    ASSERT_EQ(decoded.size(), 256);
    EXPECT_EQ(decoded.at(0x81), QChar(0x81));
    EXPECT_EQ(decoded.at(0x9F), QChar(0x178));
    EXPECT_EQ(encodeText(decoded), all);
}

TEST_F(CoreTextFile, EncodesWindows1252WhenEveryCharacterFitsElseUtf8)
{
    EXPECT_EQ(encodeText(u"café € — ÿ"_s), QByteArray("caf\xE9 \x80 \x97 \xFF"));
    EXPECT_EQ(encodeText(u"café ☃"_s), QByteArray("caf\xC3\xA9 \xE2\x98\x83"));
    // "É®" in Windows-1252 is C9 AE, valid UTF-8 for another letter: such texts go out as UTF-8.
    for (const QString& text : {u"Größe 10° – café"_s, u"snow ☃ and café"_s, u"CAFÉ®"_s, u"Àz"_s}) {
        ASSERT_TRUE(writeTextLines(path(), {text, u"second"_s}));
        EXPECT_EQ(readTextLines(path()).lines, (QStringList{text, u"second"_s}));
    }
}

TEST_F(CoreTextFile, ReadsCrLfOrLfAndWritesCrLf)
{
    write("one\r\ntwo\nthree\r\n\r\nlast");
    const TextReadResult r = readTextLines(path());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.lines, (QStringList{u"one"_s, u"two"_s, u"three"_s, QString(), u"last"_s}));
    // Only the CR of a CR LF pair is taken off.
    EXPECT_EQ(splitLines(u"a\rb\r\r\n"_s), QStringList{u"a\rb\r"_s});

    ASSERT_TRUE(writeTextLines(path(), {u"x"_s, QString(), u"y"_s}));
    EXPECT_EQ(read(), QByteArray("x\r\n\r\ny\r\n"));
}

TEST_F(CoreTextFile, WritesAtomicallyAndPrivatelyOnRequest)
{
    write(QByteArray(5000, 'o'));
    ASSERT_TRUE(writeTextLines(path(), {u"new"_s}, nullptr, true));
    EXPECT_EQ(read(), QByteArray("new\r\n"));
    EXPECT_EQ(test::fileMode(path()), 0600);
    // No temporary sibling is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"data.txt"_s});

    QString error;
    EXPECT_FALSE(writeTextLines(path(u"missing/data.txt"_s), {u"x"_s}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(path(u"missing/data.txt"_s)));
}

TEST_F(CoreTextFile, DamagedFilesReadWithoutHarm)
{
    for (const auto& input : test::damagedInputs("1\r\n2\r\n3\r\n")) {
        SCOPED_TRACE(input.name);
        write(input.bytes);
        const TextReadResult r = readTextLines(path());
        if (input.bytes.size() > MaxDataFileBytes) {
            EXPECT_FALSE(r.ok);
            EXPECT_EQ(r.error, u"The file is too large.");
            EXPECT_TRUE(r.lines.isEmpty());
        } else {
            EXPECT_TRUE(r.ok);
        }
    }
    write(test::damagedInputs({}).at(3).bytes);
    const QStringList longLines = readTextLines(path()).lines;
    ASSERT_EQ(longLines.size(), 60);
    EXPECT_EQ(longLines.last(), QString(100000, u'9'));
    EXPECT_FALSE(readTextLines(path(u"absent.txt"_s)).ok);
    write("12345678");
    EXPECT_FALSE(readTextLines(path(), 7).ok);
    EXPECT_TRUE(readTextLines(path(), 8).ok);
}

TEST_F(CoreTextFile, NumbersAndFlagsInTheFileForm)
{
    EXPECT_EQ(numberText(5), u" 5 ");
    EXPECT_EQ(numberText(0), u" 0 ");
    EXPECT_EQ(numberText(-1), u"-1 ");
    EXPECT_EQ(parseNumber(u" 5 "_s), 5);
    EXPECT_EQ(parseNumber(u"-1 "_s), -1);
    EXPECT_EQ(parseNumber(u"5.0"_s), 5);
    for (const QString& bad : {QString(), u" "_s, u"abc"_s, u"2l"_s, u"1e5"_s, u"0x10"_s, u"inf"_s,
                               u"99999999999999999999"_s, u"1 2"_s})
        EXPECT_FALSE(parseNumber(bad).has_value()) << bad.toStdString();

    EXPECT_EQ(flagText(true) + flagText(false), u"TrueFalse");
    EXPECT_EQ(parseFlag(u"true"_s), true);
    EXPECT_EQ(parseFlag(u" FALSE "_s), false);
    EXPECT_FALSE(parseFlag(u"1"_s).has_value());

    for (const QString& good : {u"21"_s, u" 12345 "_s, u"-3.5"_s, u"+7"_s, u".5"_s})
        EXPECT_TRUE(isNumber(good)) << good.toStdString();
    for (const QString& bad : {QString(), u"2l"_s, u"."_s, u"-"_s, u"1.2.3"_s, u"12 34"_s, u"1e3"_s})
        EXPECT_FALSE(isNumber(bad)) << bad.toStdString();
}

TEST(CoreColor, HtmlTextFromTheStoredValue)
{
    EXPECT_EQ(ColorToHtml(16301711), u"#8FBEF8");
    EXPECT_EQ(ColorToHtml(10178048), u"#004E9B");
    EXPECT_EQ(ColorToHtml(0), u"#000000");
    EXPECT_EQ(ColorToHtml(255), u"#FF0000");
    EXPECT_EQ(ColorToHtml(0x1FF0000), u"#0000FF");
    EXPECT_EQ(ColorPair::fromValue(65280), (ColorPair{u"#00FF00"_s, 65280}));
}

} // namespace
