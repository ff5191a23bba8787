// Consistency of the installation content in the source data folder: every
// picture the generator can name, every template with its data file, and
// every file the program opens.

#include "core/color.h"
#include "core/text_file.h"
#include "generator/convert.h"
#include "settings/template_commands.h"
#include "settings/template_data.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

QString dataDir()
{
    return QStringLiteral(LW_DATA_DIR);
}

bool exists(const QString& relative)
{
    return QFileInfo(dataDir() + u'/' + relative).isFile();
}

// The picture names behind the letter codes, as the generator writes them
// before the style digit: capitals, capital + "s" for the small letters,
// digits and the eight signs.
QStringList letterImageNames()
{
    QStringList names;
    for (char16_t c = u'A'; c <= u'Z'; ++c) {
        const QString letter(QChar{c});
        names << letter << letter + u's';
    }
    for (char16_t d = u'0'; d <= u'9'; ++d)
        names << QString(QChar{d});
    names << u"expl"_s << u"period"_s << u"comma"_s << u"percent"_s << u"question"_s << u"at"_s << u"money"_s
          << u"and"_s;
    return names;
}

// Reports every missing file of a list at once.
void expectAllExist(const QStringList& relatives)
{
    QStringList missing;
    for (const QString& r : relatives)
        if (!exists(r))
            missing << r;
    EXPECT_TRUE(missing.isEmpty()) << "missing under " << dataDir().toStdString() << ": "
                                   << missing.join(u", "_s).toStdString();
}

struct TemplateFile
{
    int number;
    QString stem; // "01"
};

QList<TemplateFile> templatesPresent()
{
    QList<TemplateFile> list;
    const QDir dir(dataDir() + u"/templates"_s);
    static const QRegularExpression name(u"^(\\d\\d)\\.tpt$"_s);
    const QStringList files = dir.entryList({u"*.tpt"_s}, QDir::Files, QDir::Name);
    for (const QString& f : files) {
        const auto m = name.match(f);
        if (m.hasMatch())
            list.append({m.captured(1).toInt(), m.captured(1)});
        else
            ADD_FAILURE() << "template file with an unexpected name: " << f.toStdString();
    }
    return list;
}

// The numbers k of every "{<prefix>k}" in the page.
QSet<int> numbered(const QString& page, const QString& prefix)
{
    QSet<int> found;
    const QRegularExpression re(u"\\{"_s + prefix + u"(\\d+)\\}"_s);
    for (auto it = re.globalMatch(page); it.hasNext();)
        found.insert(it.next().captured(1).toInt());
    return found;
}

QSet<int> range(int count)
{
    QSet<int> s;
    for (int i = 0; i < count; ++i)
        s.insert(i);
    return s;
}

std::string listed(const QSet<int>& s)
{
    QList<int> v(s.begin(), s.end());
    std::sort(v.begin(), v.end());
    QStringList parts;
    for (int i : v)
        parts << QString::number(i);
    return parts.join(u',').toStdString();
}

void expectPair(const char* what, const QString& text, qint64 value)
{
    EXPECT_EQ(text.compare(ColorToHtml(value), Qt::CaseInsensitive), 0)
        << what << ": text " << text.toStdString() << " but value " << value << " is "
        << ColorToHtml(value).toStdString();
}

} // namespace

TEST(ContentPictures, EveryLetterImageOfEveryStyleExists)
{
    const QStringList names = letterImageNames();
    ASSERT_EQ(names.size(), 70);
    QStringList files;
    for (int d = 1; d <= 9; ++d)
        for (const QString& n : names)
            files << u"icons/emt/"_s + n + QString::number(d) + u".gif"_s;
    expectAllExist(files);
}

TEST(ContentPictures, EveryEmoticonExists)
{
    QStringList files;
    for (int n = 1; n <= 24; ++n)
        files << u"icons/emt/s_"_s + QString::number(n) + u".gif"_s;
    expectAllExist(files);
}

TEST(ContentPictures, CarrierLogosExist)
{
    expectAllExist({u"icons/usps.gif"_s, u"icons/ups.gif"_s});
}

TEST(ContentTemplates, AtLeastOneTemplateIsPresent)
{
    EXPECT_FALSE(templatesPresent().isEmpty());
}

TEST(ContentTemplates, EveryTemplatePageIsUsable)
{
    for (const TemplateFile& t : templatesPresent()) {
        SCOPED_TRACE("template " + t.stem.toStdString());
        const auto entry = builtInTemplate(t.number);
        ASSERT_TRUE(entry.has_value()) << "not a built-in template number";
        QString error;
        const auto text = readTextFile(dataDir() + u"/templates/"_s + t.stem + u".tpt"_s, &error);
        ASSERT_TRUE(text.has_value()) << error.toStdString();
        const QString& page = *text;
        EXPECT_LE(page.size(), MaxTemplateChars);

        const TokenList tokens = buildTokenList(page);
        EXPECT_TRUE(tokens.ok) << tokens.error.toStdString();
        EXPECT_LE(tokens.tokens.size(), MaxTokens);

        const QSet<int> images = numbered(page, u"IMAGE"_s);
        EXPECT_EQ(images, range(entry->pictures)) << "{IMAGEk} present: " << listed(images);
        QSet<int> tables;
        for (int k : numbered(page, u"t"_s))
            tables.insert(k - 1);
        EXPECT_EQ(tables, range(entry->tables)) << "{tN} present, less one: " << listed(tables);

        for (const QString& p : {u"{TITLE}"_s, u"{SUB-TITLE}"_s, u"{BODYTEXT1}"_s, u"{TERMS1}"_s,
                                 u"{SHIPCALC}"_s, u"{REZO}"_s, u"{DEFAULTFONT}"_s})
            EXPECT_TRUE(page.contains(p)) << "no " << p.toStdString();
        EXPECT_TRUE(tokens.optionalSection.contains(u"{CONDITION}"_s))
            << "the optional section does not hold {CONDITION}";
    }
}

TEST(ContentTemplates, EveryTemplateHasAMatchingDataFile)
{
    for (const TemplateFile& t : templatesPresent()) {
        SCOPED_TRACE("template " + t.stem.toStdString());
        const auto entry = builtInTemplate(t.number);
        ASSERT_TRUE(entry.has_value());
        const QString path = dataDir() + u"/templates/"_s + t.stem + u".dat"_s;
        ASSERT_TRUE(QFileInfo(path).isFile()) << "no data file";
        const TemplateDataRead read = readTemplateData(path);
        ASSERT_TRUE(read.readable);
        EXPECT_TRUE(read.complete);
        const TemplateData& d = read.data;
        EXPECT_EQ(d.imageAmount, entry->pictures);
        EXPECT_EQ(d.tableCount, entry->tables);
        expectPair("title", d.titleColor, d.titleValue);
        expectPair("sub-title", d.subTitleColor, d.subTitleValue);
        expectPair("description", d.descriptionColor, d.descriptionValue);
        expectPair("optional", d.optionalColor, d.optionalValue);
        expectPair("terms", d.termsColor, d.termsValue);
        for (int i = 0; i < int(d.tables.size()); ++i) {
            const std::string what = "table " + std::to_string(i + 1);
            expectPair(what.c_str(), d.tables[i].colorText, d.tables[i].colorValue);
        }
    }
}

TEST(ContentFiles, TemplateThumbnailsAndPreviewsExist)
{
    QStringList files{u"templates/graphics/0.gif"_s};
    for (const TemplateFile& t : templatesPresent())
        files << u"templates/graphics/"_s + QString::number(t.number) + u".gif"_s
              << u"templates/previews/"_s + t.stem + u".html"_s;
    expectAllExist(files);
}

TEST(ContentFiles, HelpPagesExist)
{
    expectAllExist({u"help/index.html"_s, u"help/tutorials.html"_s, u"help/preferences.html"_s,
                    u"help/add-images.html"_s, u"help/customize-template.html"_s, u"help/emoticons.html"_s,
                    u"help/help.css"_s});
}

TEST(ContentFiles, SubmissionPageAndFileIconExist)
{
    expectAllExist({u"submit.htm"_s, u"extIcon.ico"_s});
}
