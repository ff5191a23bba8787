#include "tests/generator/generator_test_support.h"

#include "generator/markup.h"

using namespace Qt::StringLiterals;

namespace lw::test {
namespace {

QString img(const QString& folder, const QString& name, const QString& alt)
{
    return u"<img src = \""_s + folder + name + u".gif\" alt=\""_s + alt + u"\">"_s;
}

// That every code names a picture of the installation is checked against the data folder.
TEST(GeneratorMarkup, CodesBecomeImageTags)
{
    const QString f = u"F/"_s;
    const std::pair<QString, QString> cases[] = {
        // A word in letter pictures reads as the word; an emoticon as what it shows.
        {u"[S][a][l][e]"_s, img(f, u"S5"_s, u"S"_s) + img(f, u"As5"_s, u"a"_s) + img(f, u"Ls5"_s, u"l"_s) +
                                img(f, u"Es5"_s, u"e"_s)},
        {u"[0][9][?][&]"_s, img(f, u"05"_s, u"0"_s) + img(f, u"95"_s, u"9"_s) +
                                img(f, u"question5"_s, u"?"_s) + img(f, u"and5"_s, u"&amp;"_s)},
        // The style digit is not part of an emoticon's name.
        {u"[S1][S10][S24]"_s,
         img(f, u"s_1"_s, u"smile"_s) + img(f, u"s_10"_s, u"confused"_s) + img(f, u"s_24"_s, u"lightning"_s)},
        {u"x[[A]]y"_s, u"x["_s + img(f, u"A5"_s, u"A"_s) + u"]y"_s}};
    for (const auto& [text, html] : cases)
        EXPECT_EQ(expandCodes(text, f, u"5"_s), html) << text.toStdString();
    for (const QString& text : {u"[S25]"_s, u"[s1]"_s, u"[S0]"_s, u"[AB]"_s, u"[ A]"_s, u"[]"_s, u"[a"_s,
                                u"a]"_s, u"{A}"_s, u"plain"_s, QString()})
        EXPECT_EQ(expandCodes(text, f, u"1"_s), text) << text.toStdString();
}

// Turning "<BR>" into line breaks is how the editor gets its texts back after a generation.
TEST(GeneratorMarkup, OnlyUpperCaseHtmlBreaksBecomeLineBreaks)
{
    EXPECT_EQ(htmlBreaksToLines(u"a<BR>b<br>c<BR><BR>"_s), u"a\r\nb<br>c\r\n\r\n"_s);
}

TEST(GeneratorMarkup, ReplaceEveryMatchesQStringReplace)
{
    const struct
    {
        QString text, token, value;
    } cases[] = {{u"aaaa"_s, u"aa"_s, u"b"_s},      {u"{A}{A}x{A}"_s, u"{A}"_s, u"[{A}]"_s},
                 {u"{{A}}"_s, u"{A}"_s, QString()}, {u"x{A"_s, u"{A}"_s, u"y"_s},
                 {u"ab"_s, u"abc"_s, u"z"_s},       {u"<<a><a>"_s, u"<a>"_s, u"<"_s},
                 {QString(), u"x"_s, u"y"_s},       {u"abc"_s, QString(), u"y"_s}};
    QString spare = u"leftover"_s;
    for (const auto& c : cases) {
        QString expected = c.text;
        if (!c.token.isEmpty())
            expected.replace(c.token, c.value);
        QString text = c.text;
        EXPECT_EQ(replaceEvery(text, c.token, c.value, &spare),
                  !c.token.isEmpty() && c.text.contains(c.token));
        EXPECT_EQ(text, expected) << c.text.toStdString();
    }
    // A shared text is never changed behind its other owner.
    const QString shared = u"x{A}x"_s;
    QString copy = shared;
    replaceEvery(copy, u"{A}"_s, u"y"_s, &spare);
    replaceEvery(copy, u"y"_s, u"z"_s, &spare);
    EXPECT_EQ(shared, u"x{A}x"_s);
}

TEST(GeneratorMarkup, AllThreeTextsExpandInTheAdFromTheFolderOfTheMode)
{
    GeneratorInput in = inputFor(u"{TITLE}|{SUB-TITLE}|{BODYTEXT1}"_s);
    in.ad.letterStyle = 8;
    in.ad.title = u"[a]"_s;
    in.ad.subTitle = u"[S2]"_s;
    in.ad.description = u"[1]\r\n[s]"_s;
    const QString w = Hosts().makerPictureFolder();
    const QString expected = img(w, u"As9"_s, u"a"_s) + u'|' + img(w, u"s_2"_s, u"grin"_s) + u'|' +
                             img(w, u"19"_s, u"1"_s) + u"<BR>"_s + img(w, u"Ss9"_s, u"s"_s);
    EXPECT_EQ(generate(in), expected);
    in.preview = true;
    EXPECT_EQ(generate(in), QString(expected).replace(w, InstallDir + u"/icons/emt/"_s));
}

} // namespace
} // namespace lw::test
