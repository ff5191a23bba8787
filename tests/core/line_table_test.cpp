#include "core/line_table.h"
#include "core/password_shift.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

struct Values
{
    QString text;
    int number = 7;
    bool on = false;
    std::optional<bool> maybe;
    ColorPair color;
};

LineValue memberFor(LineKind kind, Values& v)
{
    switch (kind) {
    case LineKind::Number:
    case LineKind::PlainNumber:
        return &v.number;
    case LineKind::Color:
        return &v.color;
    case LineKind::Check:
    case LineKind::LooseCheck:
    case LineKind::Flag:
    case LineKind::LooseFlag:
        return &v.on;
    default:
        return &v.text;
    }
}

TEST(CoreLineTable, EachKindReadsWhatItWritesAndRefusesTheRest)
{
    // The line, whether it is good, and what the writer then writes.
    const std::tuple<LineKind, const char16_t*, bool, const char16_t*> cases[] = {
        {LineKind::Text, u"a<BR>b", true, u"a<BR>b"},
        {LineKind::Breaks, u"a<BR>b\rc", true, u"a<BR>b<BR>c"},
        {LineKind::Password, u"pqrZZZZZZZZZ", true, u"pqrq83K2vbW7"},
        {LineKind::Password, u"abcdefghi", true, u"q83K2vbW7"},
        {LineKind::Number, u" 5.0 ", true, u" 5 "},
        {LineKind::Number, u"-1", false, u" 7 "},
        {LineKind::Number, u"", false, u" 7 "},
        {LineKind::PlainNumber, u" 3 ", true, u"3"},
        {LineKind::NumberText, u" 16301711 ", true, u"16301711"},
        {LineKind::Color, u" 255 ", true, u" 255 "},
        {LineKind::Color, u" 99999999999 ", false, u" 0 "},
        {LineKind::Check, u" 1 ", true, u" 1 "},
        {LineKind::Check, u" 2 ", false, u" 0 "},
        {LineKind::LooseCheck, u" 2 ", true, u" 0 "},
        {LineKind::LooseCheck, u"x", false, u" 0 "},
        {LineKind::Flag, u"tRUE", true, u"True"},
        {LineKind::Flag, u"yes", false, u"False"},
        {LineKind::LooseFlag, u" 0 ", true, u"False"},
        {LineKind::LooseFlag, u"what", true, u"True"},
    };
    for (const auto& [kind, line, good, written] : cases) {
        SCOPED_TRACE(QString::fromUtf16(line).toStdString());
        LineTable<Values> t;
        t.passwordMarker = u"q83K2vbW7"_s;
        t.addNumber(
            1, [kind](Values& v) { return memberFor(kind, v); }, kind, 0, 99999999);
        Values v;
        EXPECT_EQ(readLineTable(t, {QString::fromUtf16(line)}, v).isEmpty(), good);
        EXPECT_EQ(writeLineTable(t, v), QStringList{QString::fromUtf16(written)});
    }
}

TEST(CoreLineTable, EmptyAndMissingLinesKeepOrReadAsEmptyAsTheTableSays)
{
    LineTable<Values> t;
    t.add(
         1, [](Values& v) -> LineValue { return &v.text; }, LineKind::Text, u"first"_s, IfEmpty::Keep)
        .addNumber(
            2, [](Values& v) -> LineValue { return &v.number; }, LineKind::Number, 0, 9, u" 4 "_s,
            IfEmpty::Keep)
        .add(
            4, [](Values& v) -> LineValue { return &v.maybe; }, LineKind::LooseCheck, u" 1 "_s);
    Values v = firstRunValues(t);
    EXPECT_EQ(firstRunLines(t), (QStringList{u"first"_s, u" 4 "_s, QString(), u" 1 "_s}));
    EXPECT_EQ(v.text, u"first");
    EXPECT_TRUE(readLineTable(t, {QString(), QString()}, v).isEmpty());
    EXPECT_EQ(v.number, 4);
    EXPECT_EQ(v.maybe, true);
    t.ifMissing = IfMissing::Empty;
    EXPECT_EQ(readLineTable(t, {}, v), QList<int>{4});
}

TEST(CorePasswordShift, CharactersTheShiftCannotHoldAreRefused)
{
    const QString typed = u"Zz9 ~é€ß!"_s;
    EXPECT_EQ(unscramblePassword(scramblePassword(typed, u"Rd5k3hwy8"_s)), typed);
    EXPECT_EQ(scramblePassword(u"abc"_s, u"Rd5k3hwy8"_s), u"pqrRd5k3hwy8");
    EXPECT_FALSE(passwordCharAllowed(QChar(0x4E2D)));
}

} // namespace
