// Consistency of the installation content in the source data folder with the program: every
// picture the generator can name, every template with its data file, and every file the
// program opens.

#include "core/color.h"
#include "generator/blocks.h"
#include "generator/convert.h"
#include "generator/markup.h"
#include "settings/template_commands.h"
#include "sitecheck/text_colours.h"
#include "tests/testlib/template_look.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

const QString DataDir = QStringLiteral(LW_DATA_DIR);

// Reports every missing file of a list at once.
void expectAllExist(QStringList relatives)
{
    relatives.removeIf([](const QString& r) { return QFileInfo(DataDir + u'/' + r).isFile(); });
    EXPECT_TRUE(relatives.isEmpty()) << "missing under the data folder: "
                                     << relatives.join(u", "_s).toStdString();
}

// Whether the page has "{<prefix>k}" for exactly k = first .. last.
bool numberedExactly(const QString& page, const QString& prefix, int first, int last)
{
    QSet<int> found, wanted;
    for (auto it = QRegularExpression(u"\\{"_s + prefix + u"(\\d+)\\}"_s).globalMatch(page); it.hasNext();)
        found.insert(it.next().captured(1).toInt());
    for (int k = first; k <= last; ++k)
        wanted.insert(k);
    return found == wanted;
}

} // namespace

TEST(ContentPictures, EveryPictureTheGeneratorNamesExists)
{
    // Every one-character code a seller can type and "[S1]" to "[S94]", of which the first 24 are
    // emoticons, in each style.
    QString codes;
    for (char16_t c = u'!'; c <= u'~'; ++c)
        codes += u'[' + QChar(c) + u"][S"_s + QString::number(c - u' ') + u']';
    QString html;
    for (int style = 0; style < 9; ++style)
        html += expandCodes(codes, u"icons/emt/"_s, styleDigit(style));
    html += uspsForm({}, u"icons/"_s) + upsForm({}, u"icons/"_s);

    static const QRegularExpression source(u"<img src ?= ?\"([^\"]+)\""_s);
    QStringList files;
    for (auto it = source.globalMatch(html); it.hasNext();)
        files << it.next().captured(1);
    // 70 letter images and 24 emoticons in each of the nine styles, and the two carrier logos.
    EXPECT_EQ(files.size(), 9 * (70 + 24) + 2);
    expectAllExist(files);
    EXPECT_EQ(html.count(u" alt=\""_s), files.size()) << "every picture says what it shows";
}

TEST(ContentFiles, EveryOtherFileTheProgramOpensExists)
{
    expectAllExist({u"templates/graphics/0.gif"_s, u"templates/graphics/0.png"_s, u"help/index.html"_s,
                    u"help/tutorials.html"_s, u"help/preferences.html"_s, u"help/add-images.html"_s,
                    u"help/customize-template.html"_s, u"help/emoticons.html"_s, u"help/help.css"_s,
                    u"submit.htm"_s, u"extIcon.ico"_s});
}

// The auction site takes HTTPS content only; the help shows the addresses a seller should type.
TEST(ContentFiles, HelpPagesNameNoPlainHttpAddress)
{
    for (const QString& page : QDir(DataDir + u"/help"_s).entryList({u"*.html"_s}, QDir::Files))
        EXPECT_FALSE(readTextFile(DataDir + u"/help/"_s + page).value_or(QString()).contains(u"http://"_s))
            << page.toStdString();
}

// Templates 1 to 20 are the files "01.tpt" to "20.tpt", listed in that order.
TEST(ContentTemplates, EveryTemplateFitsTheGeneratorAndItsDataFile)
{
    QStringList names;
    for (int n = 1; const auto entry = builtInTemplate(n); ++n) {
        const QString stem = u"%1"_s.arg(n, 2, 10, QChar(u'0'));
        SCOPED_TRACE("template " + stem.toStdString());
        names << stem + u".tpt"_s;
        const QString base = DataDir + u"/templates/"_s + stem;
        const auto page = readTextFile(base + u".tpt"_s);
        ASSERT_TRUE(page);
        const TokenList tokens = buildTokenList(*page);
        EXPECT_TRUE(tokens.ok && page->size() <= MaxTemplateChars);
        EXPECT_TRUE(tokens.optionalSection.contains(u"{CONDITION}"_s));
        EXPECT_TRUE(numberedExactly(*page, u"IMAGE"_s, 0, entry->pictures - 1));
        EXPECT_TRUE(numberedExactly(*page, u"t"_s, 1, entry->tables));
        for (const QString& p : {u"{TITLE}"_s, u"{SUB-TITLE}"_s, u"{BODYTEXT1}"_s, u"{TERMS1}"_s,
                                 u"{SHIPCALC}"_s, u"{REZO}"_s, u"{DEFAULTFONT}"_s})
            EXPECT_TRUE(page->contains(p)) << "no " << p.toStdString();
        expectAllExist({u"templates/graphics/"_s + QString::number(n) + u".gif"_s,
                        u"templates/previews/"_s + stem + u".html"_s});
        // The catalogue's large picture: sharp at 240 px on a double-scale screen.
        const QSize picture =
            QImageReader(DataDir + u"/templates/graphics/"_s + QString::number(n) + u".png"_s).size();
        EXPECT_TRUE(picture.width() >= 456 && picture.width() * 3 == picture.height() * 4)
            << picture.width() << "x" << picture.height();

        // A complete file, as the program itself would write it, whose colour texts match their values:
        // lines 2, 4, 6, 8 (title to optional text), 13, 17, 21, 25 (tables) and 29 (terms), each
        // followed by its value.
        const QStringList lines = readTextLines(base + u".dat"_s).lines;
        const TemplateData d = readTemplateData(base + u".dat"_s).data;
        EXPECT_EQ(templateDataLines(d), lines);
        EXPECT_TRUE(d.imageAmount == entry->pictures && d.tableCount == entry->tables);
        for (int i : {1, 3, 5, 7, 12, 16, 20, 24, 28})
            EXPECT_EQ(lines.value(i).toUpper(), ColorToHtml(parseNumber(lines.value(i + 1)).value_or(-1)))
                << "line " << i + 1;
    }
    EXPECT_EQ(QDir(DataDir + u"/templates"_s).entryList({u"*.tpt"_s}, QDir::Files, QDir::Name), names);
}

// Every text of every template, in the colours its data file gives a new ad, stands out from what it
// sits on as well as readers with moderately low vision need.
TEST(ContentTemplates, EveryTextIsReadableInTheTemplatesOwnColours)
{
    for (int n = 1; builtInTemplate(n); ++n) {
        const QList<TextColours> texts = templateTextColours(test::templateInput(n));
        EXPECT_GE(texts.size(), 5) << "template " << n;
        for (const TextColours& t : texts)
            EXPECT_TRUE(t.readable()) << "template " << n << ": " << t.color.toStdString() << " on "
                                      << t.background.toStdString() << ": " << t.contrast() << ":1";
    }
}
