#include "tests/generator/generator_test_support.h"

#include "generator/markup.h"

using namespace Qt::StringLiterals;

namespace lw::test {
namespace {

QString img(const QString& folder, const QString& name)
{
    return u"<img src = \""_s + folder + name + u".gif\">"_s;
}

TEST(GeneratorMarkup, LetterCodesNameCapitalsSmallsDigitsAndSigns)
{
    const QString f = u"F/"_s;
    EXPECT_EQ(expandCodes(u"[S][a][l][e]"_s, f, styleDigit(8)),
              img(f, u"S9"_s) + img(f, u"As9"_s) + img(f, u"Ls9"_s) + img(f, u"Es9"_s));

    for (char16_t c = u'A'; c <= u'Z'; ++c) {
        const QString cap(QChar{c});
        EXPECT_EQ(expandCodes(u'[' + cap + u']', f, u"3"_s), img(f, cap + u'3'));
        EXPECT_EQ(expandCodes(u'[' + cap.toLower() + u']', f, u"3"_s), img(f, cap + u"s3"_s));
    }
    for (char16_t c = u'0'; c <= u'9'; ++c) {
        const QString d(QChar{c});
        EXPECT_EQ(expandCodes(u'[' + d + u']', f, u"1"_s), img(f, d + u'1'));
    }
    const std::pair<QString, QString> signs[] = {
        {u"[!]"_s, u"expl"_s},     {u"[.]"_s, u"period"_s}, {u"[,]"_s, u"comma"_s}, {u"[%]"_s, u"percent"_s},
        {u"[?]"_s, u"question"_s}, {u"[@]"_s, u"at"_s},     {u"[$]"_s, u"money"_s}, {u"[&]"_s, u"and"_s}};
    for (const auto& [code, name] : signs)
        EXPECT_EQ(expandCodes(code, f, u"2"_s), img(f, name + u'2')) << code.toStdString();
}

TEST(GeneratorMarkup, EmoticonsOneToTwentyFour)
{
    const QString f = u"F/"_s;
    EXPECT_EQ(expandCodes(u"[S1][S10][S24]"_s, f, u"1"_s),
              img(f, u"s_1"_s) + img(f, u"s_10"_s) + img(f, u"s_24"_s));
    // The style digit is not part of an emoticon's name.
    EXPECT_EQ(expandCodes(u"[S7]"_s, f, u"5"_s), img(f, u"s_7"_s));
}

TEST(GeneratorMarkup, TextThatIsNoCodeStays)
{
    for (const QString& text : {u"[S25]"_s, u"[s1]"_s, u"[S0]"_s, u"[AB]"_s, u"[ A]"_s, u"[]"_s, u"[a"_s,
                                u"a]"_s, u"{A}"_s, u"plain"_s, QString()})
        EXPECT_EQ(expandCodes(text, u"F/"_s, u"1"_s), text) << text.toStdString();
    EXPECT_EQ(expandCodes(u"x[[A]]y"_s, u"F/"_s, u"1"_s), u"x["_s + img(u"F/"_s, u"A1"_s) + u"]y"_s);
}

TEST(GeneratorMarkup, StyleDigitIsLastDigitOfStylePlusOne)
{
    const std::pair<int, QString> cases[] = {
        {0, u"1"_s}, {8, u"9"_s}, {9, u"0"_s}, {18, u"9"_s}, {-1, u"0"_s}};
    for (const auto& [style, digit] : cases)
        EXPECT_EQ(styleDigit(style), digit) << style;
}

TEST(GeneratorMarkup, FoldersForPreviewAndGenerate)
{
    EXPECT_EQ(imageFolder(1, u"/i"_s, u"W/"_s), u"/i/icons/emt/"_s);
    EXPECT_EQ(imageFolder(0, u"/i"_s, u"W/"_s), u"W/"_s);
    EXPECT_EQ(logoFolder(1, u"/i"_s, u"W/"_s), u"/i/icons/"_s);
    EXPECT_EQ(logoFolder(0, u"/i"_s, u"W/"_s), u"W/"_s);
}

TEST(GeneratorMarkup, LineBreaksOnlyPairsConvert)
{
    EXPECT_EQ(lineBreaksToHtml(u"a\r\nb\rc\nd\n\r\r\r\n"_s), u"a<BR>b\rc\nd\n\r\r<BR>"_s);
    EXPECT_EQ(htmlBreaksToLines(u"a<BR>b<br>c<BR><BR>"_s), u"a\r\nb<br>c\r\n\r\n"_s);
}

TEST(GeneratorMarkup, ReplaceEveryMatchesQStringReplace)
{
    const struct
    {
        QString text, token, value;
    } cases[] = {{u"aaaa"_s, u"aa"_s, u"b"_s},        {u"{A}{A}x{A}"_s, u"{A}"_s, u"[{A}]"_s},
                 {u"{{A}}"_s, u"{A}"_s, QString()},   {u"x{A"_s, u"{A}"_s, u"y"_s},
                 {u"{A}"_s, u"{A}"_s, u"{A}"_s},      {u"ab"_s, u"abc"_s, u"z"_s},
                 {u"[S1][S10]"_s, u"[S1]"_s, u"1"_s}, {u"<<a><a>"_s, u"<a>"_s, u"<"_s},
                 {QString(), u"x"_s, u"y"_s},         {u"abc"_s, QString(), u"y"_s}};
    QString spare = u"leftover"_s;
    for (const auto& c : cases) {
        QString expected = c.text;
        if (!c.token.isEmpty())
            expected.replace(c.token, c.value);
        const bool found = !c.token.isEmpty() && c.text.contains(c.token);
        QString plain = c.text, lent = c.text;
        EXPECT_EQ(replaceEvery(plain, c.token, c.value), found) << c.text.toStdString();
        EXPECT_EQ(plain, expected) << c.text.toStdString();
        EXPECT_EQ(replaceEvery(lent, c.token, c.value, &spare), found);
        EXPECT_EQ(lent, expected);
    }
    // A shared text is never changed behind its other owner.
    const QString shared = u"x{A}x"_s;
    QString copy = shared;
    replaceEvery(copy, u"{A}"_s, u"y"_s, &spare);
    replaceEvery(copy, u"y"_s, u"z"_s, &spare);
    EXPECT_EQ(shared, u"x{A}x"_s);
    EXPECT_EQ(copy, u"xzx"_s);
}

TEST(GeneratorMarkup, AllThreeTextsExpandInTheAd)
{
    GeneratorInput in = inputFor(u"{TITLE}|{SUB-TITLE}|{BODYTEXT1}"_s);
    in.hosts.maker = u"ads.test"_s;
    in.letterStyle = 8;
    in.title = u"[S][a][l][e]"_s;
    in.subTitle = u"[1][S2]"_s;
    in.description = u"[?]\r\n[s]"_s;
    const QString w = u"http://ads.test/lwr/lwrpics/"_s;
    const QString expected = img(w, u"S9"_s) + img(w, u"As9"_s) + img(w, u"Ls9"_s) + img(w, u"Es9"_s) + u'|' +
                             img(w, u"19"_s) + img(w, u"s_2"_s) + u'|' + img(w, u"question9"_s) + u"<BR>"_s +
                             img(w, u"Ss9"_s);
    EXPECT_EQ(generate(in), expected);

    in.previewMode = 1;
    QString preview = expected;
    EXPECT_EQ(generate(in), preview.replace(w, installDir() + u"/icons/emt/"_s));
}

} // namespace
} // namespace lw::test
