// Consistency of the installation content in the source data folder with the program: every
// picture the generator can name, every template with its data file, and every file the
// program opens.

#include "core/color.h"
#include "core/text_file.h"
#include "generator/blocks.h"
#include "generator/convert.h"
#include "generator/markup.h"
#include "settings/template_commands.h"
#include "settings/template_data.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

const QString DataDir = QStringLiteral(LW_DATA_DIR);

// Reports every missing file of a list at once.
void expectAllExist(const QStringList& relatives)
{
    QStringList missing;
    for (const QString& r : relatives)
        if (!QFileInfo(DataDir + u'/' + r).isFile())
            missing << r;
    EXPECT_TRUE(missing.isEmpty()) << "missing under the data folder: "
                                   << missing.join(u", "_s).toStdString();
}

// The shipped templates, "NN.tpt" for the built-in template NN: their "NN".
QStringList templateStems()
{
    QStringList stems = QDir(DataDir + u"/templates"_s).entryList({u"*.tpt"_s}, QDir::Files);
    for (QString& stem : stems) {
        stem.chop(4);
        EXPECT_TRUE(stem.size() == 2 && builtInTemplate(stem.toInt())) << "unexpected " << stem.toStdString();
    }
    EXPECT_FALSE(stems.isEmpty());
    return stems;
}

// Whether the page has "{<prefix>k}" for exactly k = first .. last.
bool numberedExactly(const QString& page, const QString& prefix, int first, int last)
{
    QSet<int> found, wanted;
    const QRegularExpression re(u"\\{"_s + prefix + u"(\\d+)\\}"_s);
    for (auto it = re.globalMatch(page); it.hasNext();)
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
}

TEST(ContentTemplates, EveryTemplateFitsTheGeneratorAndItsDataFile)
{
    for (const QString& stem : templateStems()) {
        SCOPED_TRACE("template " + stem.toStdString());
        const QString base = DataDir + u"/templates/"_s + stem;
        const auto entry = builtInTemplate(stem.toInt());
        const auto page = readTextFile(base + u".tpt"_s);
        ASSERT_TRUE(entry && page);
        const TokenList tokens = buildTokenList(*page);
        EXPECT_TRUE(tokens.ok && page->size() <= MaxTemplateChars);
        EXPECT_TRUE(tokens.optionalSection.contains(u"{CONDITION}"_s));
        EXPECT_TRUE(numberedExactly(*page, u"IMAGE"_s, 0, entry->pictures - 1));
        EXPECT_TRUE(numberedExactly(*page, u"t"_s, 1, entry->tables));
        for (const QString& p : {u"{TITLE}"_s, u"{SUB-TITLE}"_s, u"{BODYTEXT1}"_s, u"{TERMS1}"_s,
                                 u"{SHIPCALC}"_s, u"{REZO}"_s, u"{DEFAULTFONT}"_s})
            EXPECT_TRUE(page->contains(p)) << "no " << p.toStdString();
        expectAllExist({u"templates/graphics/"_s + QString::number(stem.toInt()) + u".gif"_s,
                        u"templates/previews/"_s + stem + u".html"_s});

        // A complete file, as the program itself would write it, whose colour texts match their values.
        const TemplateData d = readTemplateData(base + u".dat"_s).data;
        EXPECT_EQ(templateDataLines(d), readTextLines(base + u".dat"_s).lines);
        EXPECT_TRUE(d.imageAmount == entry->pictures && d.tableCount == entry->tables);
        QStringList texts{d.titleColor, d.subTitleColor, d.descriptionColor, d.optionalColor, d.termsColor};
        QList<qint64> values{d.titleValue, d.subTitleValue, d.descriptionValue, d.optionalValue,
                             d.termsValue};
        for (const TemplateData::Table& t : d.tables) {
            texts << t.colorText;
            values << t.colorValue;
        }
        for (int i = 0; i < texts.size(); ++i)
            EXPECT_EQ(texts[i].toUpper(), ColorToHtml(values[i])) << "colour " << i;
    }
}

TEST(ContentFiles, EveryOtherFileTheProgramOpensExists)
{
    expectAllExist({u"templates/graphics/0.gif"_s, u"help/index.html"_s, u"help/tutorials.html"_s,
                    u"help/preferences.html"_s, u"help/add-images.html"_s, u"help/customize-template.html"_s,
                    u"help/emoticons.html"_s, u"help/help.css"_s, u"submit.htm"_s, u"extIcon.ico"_s});
}
