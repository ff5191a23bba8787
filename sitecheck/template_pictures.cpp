#include "sitecheck/template_pictures.h"

#include "core/models/template_state.h"
#include "core/text_file.h"
#include "generator/convert.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

QString templateName(const QString& file)
{
    return file.endsWith(u".tpt"_s, Qt::CaseInsensitive) ? file.chopped(4) : file;
}

// "1", "1 and 2", "1, 2 and 3".
QString listed(const QStringList& items)
{
    if (items.size() < 2)
        return items.value(0);
    return items.first(items.size() - 1).join(u", "_s) + u" and "_s + items.last();
}

QString pictureNumbers(const QList<int>& slots)
{
    QStringList numbers;
    for (int k : slots)
        numbers << QString::number(k + 1);
    return (slots.size() == 1 ? u"picture "_s : u"pictures "_s) + listed(numbers);
}

} // namespace

QList<int> shownPictureSlots(const QString& templateText)
{
    // The generator fills exactly these placeholders.
    QList<int> slots;
    for (int k = 0; k <= 9; ++k)
        if (templateText.contains(u"{IMAGE"_s + QString::number(k) + u'}'))
            slots << k;
    return slots;
}

QList<TemplatePictures> templatePictures(const TemplateCatalogue& templates)
{
    QList<TemplatePictures> all;
    for (const QString& file : templates.files()) {
        const std::optional<QString> text =
            readTextFile(templates.folder() + u'/' + file, nullptr, 4 * (MaxTemplateChars + 1));
        all.append({templateName(file), text ? shownPictureSlots(*text) : QList<int>()});
    }
    return all;
}

std::optional<Finding> missingPicturesFinding(const PictureValues& pictures, const TemplatePictures& selected,
                                              const QList<TemplatePictures>& all)
{
    QList<int> listedSlots, lost;
    for (int k = 0; k < int(pictures.slots.size()); ++k) {
        if (pictures.slots[size_t(k)].text.isEmpty())
            continue;
        listedSlots << k;
        if (!selected.slots.contains(k))
            lost << k;
    }
    if (lost.isEmpty())
        return std::nullopt;
    QStringList showAll;
    for (const TemplatePictures& t : all)
        if (std::all_of(listedSlots.begin(), listedSlots.end(), [&t](int k) { return t.slots.contains(k); }))
            showAll << t.name;

    const qsizetype n = listedSlots.size();
    QString text = QString::number(n) +
                   (n == 1 ? u" picture listed; template "_s : u" pictures listed; template "_s) +
                   selected.name + u" shows "_s + QString::number(selected.slots.size());
    // Room enough, but not in the slots the pictures are in.
    if (selected.slots.size() >= n)
        text += u", not "_s + pictureNumbers(lost);
    const QString them = n == 1 ? u"it"_s : u"them all"_s;
    if (showAll.isEmpty())
        text += u"; no template of the list shows "_s + them;
    else
        text += (showAll.size() == 1 ? u"; template "_s : u"; templates "_s) + listed(showAll) +
                (showAll.size() == 1 ? u" shows "_s : u" show "_s) + them;

    Finding f;
    f.kind = FindingKind::Advice;
    f.rule = u"pictures-not-shown"_s;
    f.source = PageSource::Template;
    f.text = text;
    return f;
}

void addMissingPictures(SiteCheckResult& result, const GeneratorInput& in, const TemplateCatalogue& templates)
{
    if (!result.ok)
        return;
    const TemplatePictures selected{templateName(templates.selectedFile()),
                                    shownPictureSlots(in.templateText)};
    // The other templates are read only when a picture is lost.
    if (!missingPicturesFinding(in.pictures, selected, {}))
        return;
    if (const auto f = missingPicturesFinding(in.pictures, selected, templatePictures(templates)))
        result.findings.append(*f);
}

} // namespace lw
