#include "settings/template_commands.h"

#include "core/desktop_services.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "core/text_file.h"
#include "core/user_files.h"
#include "pictures/picture_slots.h"
#include "settings/template_data.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

constexpr BuiltInTemplate BuiltIn[20] = {{5, 4},  {9, 3}, {10, 0}, {10, 0}, {1, 4},  {2, 4}, {3, 2},
                                         {10, 2}, {2, 4}, {2, 4},  {4, 4},  {5, 4},  {1, 4}, {3, 4},
                                         {10, 4}, {3, 4}, {5, 4},  {4, 4},  {10, 4}, {1, 4}};

QString missingDataFileText()
{
    return u"Listwright was unable to find the data file for the particular template you have selected.  "
           u"For this reason, a new data file for the default template (01) will be created.  Please contact "
           u"support if you continue to receive this error."_s;
}

void enableTableRows(SharedState& state, int count)
{
    for (int i = 1; i <= 4; ++i)
        state.tables.setRowEnabled(i, i <= count);
}

// The selected template's stem + ending ("01.dat"); empty when none is selected.
QString stemName(const SharedState& state, const QString& ending)
{
    const QString file = state.templates.selectedFile();
    if (file.isEmpty())
        return {};
    return file.left(file.size() - 3) + ending;
}

QString readPath(const SharedState& state, const QString& ending)
{
    const QString name = stemName(state, ending);
    return name.isEmpty() ? QString() : templateFileToRead(name);
}

// A missing data file: tell the seller, fall back to the first template and
// create the default data file where the selected template's should be.
// Answers the file to read: the seller's copy, else the installation's, else the new one.
QString ensureDataFile(SharedState& state, DesktopServices& ds)
{
    const QString path = readPath(state, u"dat"_s);
    if (QFileInfo::exists(path))
        return path;
    const QString fresh = templateDataPath(state);
    ds.messageBox(missingDataFileText(), MsgIcon::Information, u"Error"_s);
    if (!state.templates.files().isEmpty())
        state.templates.setSelectedIndex(0);
    writeTemplateData(fresh, defaultTemplateData());
    return fresh;
}

void applySize(SharedState& state, AdRecord::Text field, const QString& size)
{
    state.ad.setText(field, size);
}

} // namespace

std::optional<BuiltInTemplate> builtInTemplate(int number)
{
    if (number < 1 || number > 20)
        return std::nullopt;
    return BuiltIn[number - 1];
}

QString catalogueFolder()
{
    return installFolder() + u"/templates/"_s;
}

QString templateDataPath(const SharedState& state)
{
    const QString name = stemName(state, u"dat"_s);
    return name.isEmpty() ? QString() : templateFileToWrite(name);
}

QString templateMarkerPath(const SharedState& state)
{
    const QString name = stemName(state, u"custom"_s);
    return name.isEmpty() ? QString() : templateFileToWrite(name);
}

QString templatePreviewPath(int number)
{
    return catalogueFolder() + u"previews/"_s + (number < 10 ? u"0"_s : QString()) + QString::number(number) +
           u".html"_s;
}

QString sharperPicturePath(const QString& gif)
{
    if (!gif.endsWith(u".gif"_s))
        return gif;
    const QString png = gif.chopped(4) + u".png"_s;
    return QFileInfo::exists(png) ? png : gif;
}

QString templatePicturePath(int number)
{
    const QString gif = catalogueFolder() + u"graphics/"_s + QString::number(number) + u".gif"_s;
    if (QFileInfo::exists(gif))
        return sharperPicturePath(gif);
    return sharperPicturePath(catalogueFolder() + u"graphics/0.gif"_s);
}

void showTemplateSelection(SharedState& state)
{
    const int index = state.templates.selectedIndex();
    if (index < 0)
        return;
    const int n = index + 1;
    const QString thumbnail = catalogueFolder() + u"graphics/"_s + QString::number(n) + u".gif"_s;
    TemplateDisplay& display = state.templateDisplay;
    if (!QFileInfo::exists(thumbnail)) {
        display.thumbnailPath = catalogueFolder() + u"graphics/0.gif"_s;
        Q_EMIT state.templateDisplayChanged();
        return;
    }
    // The marker carries the template file's own stem ("01.custom"), as Save
    // Template Settings writes it.
    display.customVisible = QFileInfo::exists(readPath(state, u"custom"_s));
    display.thumbnailPath = thumbnail;
    const auto entry = builtInTemplate(n);
    const int pictures = entry ? entry->pictures : 0;
    const int tables = entry ? entry->tables : 0;
    enableTableRows(state, tables);
    limitPictureSlots(state, pictures);
    display.information = u"Template Number: "_s + QString::number(n) + u"\r\nMax Number Of Images: "_s +
                          (entry ? QString::number(pictures) : QString()) + u"\r\nCustomizable Tables: "_s +
                          (entry ? QString::number(tables) : QString());
    Q_EMIT state.templateDisplayChanged();
}

void show_colors(SharedState& state)
{
    for (int i = 1; i <= 4; ++i)
        Q_EMIT state.tables.changed(i);
    state.tables.setTextureBox(0, state.tables.entry(0).texture);
    Q_EMIT state.colorsRefreshed();
}

void DefaultColors(SharedState& state, DesktopServices& ds)
{
    TemplateDataRead read;
    if (state.templates.selectedFile().isEmpty()) {
        // No template is selected: the default look still gives a sane ad.
        read = {true, true, defaultTemplateData()};
    } else {
        read = readTemplateData(ensureDataFile(state, ds));
    }
    const TemplateData& d = read.data;

    state.templateValues.imageAmount = d.imageAmount;
    AdRecord& ad = state.ad;
    ad.setColor(AdRecord::Color::Title, {d.titleColor, d.titleValue});
    ad.setColor(AdRecord::Color::SubTitle, {d.subTitleColor, d.subTitleValue});
    ad.setColor(AdRecord::Color::Description, {d.descriptionColor, d.descriptionValue});
    ad.setColor(AdRecord::Color::Optional, {d.optionalColor, d.optionalValue});
    state.tables.setTexture(0, d.pageTexture);
    for (int i = 1; i <= 4; ++i) {
        const TemplateData::Table& t = d.tables[i - 1];
        // The picture first, so that a table switched to its texture takes this template's picture.
        state.tables.setTextureBox(i, t.texture);
        state.tables.setUseTexture(i, t.useTexture);
        if (t.useTexture)
            state.tables.applyTextureState(i);
        state.tables.setColor(i, t.colorText, QString::number(t.colorValue));
    }
    state.tables.setColor(0, u"#000000"_s, u"0"_s);
    state.templateValues.enlargeColor = d.enlargeColor;
    state.templateValues.tableCount = d.tableCount;
    enableTableRows(state, d.tableCount);

    if (!state.prefs.flag(Preferences::Field::AlwaysUseColor))
        state.prefs.setTermsColor({d.termsColor, d.termsValue});
    applySize(state, AdRecord::Text::TitleSize, d.titleSize);
    applySize(state, AdRecord::Text::SubTitleSize, d.subTitleSize);
    applySize(state, AdRecord::Text::DescriptionSize, d.descriptionSize);
    state.prefs.setTermsSize(d.termsSize.toInt());

    show_colors(state);
    UpdatePictureSlots(state);

    if (!read.readable || !read.complete)
        ds.messageBox(u"An error has occured while attempting to set the default template colors."_s,
                      MsgIcon::Information, u"Error"_s);
}

void SaveTemplateSettings(SharedState& state, DesktopServices& ds)
{
    const QString path = templateDataPath(state);
    const QString marker = templateMarkerPath(state);
    auto fail = [&ds](const QString& why = {}) {
        ds.messageBox(u"An error has occured while attempting to save the custom template settings."_s +
                          (why.isEmpty() ? QString() : u"\r\n\r\n"_s + why),
                      MsgIcon::Critical, u"Error"_s);
    };
    if (path.isEmpty()) {
        fail();
        return;
    }
    ensureDataFile(state, ds);

    TemplateData d;
    const AdRecord& ad = state.ad;
    d.imageAmount = state.templateValues.imageAmount;
    d.titleColor = ad.color(AdRecord::Color::Title).text;
    d.titleValue = ad.color(AdRecord::Color::Title).value;
    d.subTitleColor = ad.color(AdRecord::Color::SubTitle).text;
    d.subTitleValue = ad.color(AdRecord::Color::SubTitle).value;
    d.descriptionColor = ad.color(AdRecord::Color::Description).text;
    d.descriptionValue = ad.color(AdRecord::Color::Description).value;
    d.optionalColor = ad.color(AdRecord::Color::Optional).text;
    d.optionalValue = ad.color(AdRecord::Color::Optional).value;
    d.pageTexture = state.tables.entry(0).textureBox;
    for (int i = 1; i <= 4; ++i) {
        const TableBackgrounds::Entry& e = state.tables.entry(i);
        d.tables[i - 1] = {e.useTexture, e.textureBox, e.colorText, parseNumber(e.colorValue).value_or(0)};
    }
    d.enlargeColor = state.templateValues.enlargeColor;
    d.tableCount = state.templateValues.tableCount;
    d.termsColor = state.prefs.termsColor().text;
    d.termsValue = state.prefs.termsColor().value;
    d.titleSize = ad.text(AdRecord::Text::TitleSize);
    d.subTitleSize = ad.text(AdRecord::Text::SubTitleSize);
    d.descriptionSize = ad.text(AdRecord::Text::DescriptionSize);
    d.termsSize = QString::number(state.prefs.termsSize());

    QString error;
    if (!writeTemplateData(path, d, &error) || !writeFileAtomic(marker, "\r\n", &error)) {
        fail(error);
        return;
    }
    state.templateDisplay.customVisible = QFileInfo::exists(readPath(state, u"custom"_s));
    Q_EMIT state.templateDisplayChanged();
}

void showFullSizedPreview(SharedState& state, DesktopServices& ds)
{
    openPage(ds, templatePreviewPath(state.templates.selectedIndex() + 1));
}

} // namespace lw
