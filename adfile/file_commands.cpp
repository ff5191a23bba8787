#include "adfile/file_commands.h"

#include "adfile/ad_file.h"
#include "core/desktop_services.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "core/text_file.h"
#include "generator/blocks.h"
#include "generator/markup.h"
#include "settings/template_commands.h"

#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

using T = AdRecord::Text;
using E = AdRecord::Effect;
using C = AdRecord::Color;

// One value per line: a line break inside a single-line value would shift every
// later line of the file.
QString oneLine(const QString& text, const QString& breakAs)
{
    if (!text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    static const QRegularExpression breaks(u"\r\n|\r|\n"_s);
    QString out = text;
    return out.replace(breaks, breakAs);
}

} // namespace

AdFileData adFileFromState(const SharedState& s)
{
    AdFileData d;
    const AdRecord& ad = s.ad;
    d.title = oneLine(ad.text(T::Title), u" "_s);
    d.subTitle = oneLine(ad.text(T::SubTitle), u" "_s);
    d.description = oneLine(ad.text(T::Description), u"<BR>"_s);
    d.titleColor = ad.color(C::Title).value;
    d.subTitleColor = ad.color(C::SubTitle).value;
    d.descriptionColor = ad.color(C::Description).value;
    d.titleSize = oneLine(ad.text(T::TitleSize), u" "_s);
    d.subTitleSize = oneLine(ad.text(T::SubTitleSize), u" "_s);
    d.descriptionSize = oneLine(ad.text(T::DescriptionSize), u" "_s);
    d.condition = oneLine(ad.text(T::Condition), u" "_s);
    d.age = oneLine(ad.text(T::Age), u" "_s);
    d.comments = oneLine(ad.text(T::Comments), u" "_s);
    d.shipCost = oneLine(ad.text(T::ShipCost), u" "_s);
    d.includeOptional = ad.includeOptional();
    for (int i = 0; i < 10; ++i)
        d.pictures[i] = oneLine(s.pictures.text(i), u" "_s);
    for (int i = 0; i < 5; ++i) {
        const TableBackgrounds::Entry& e = s.tables.entry(i);
        d.tableColorValues[i] = oneLine(e.colorValue, u" "_s);
        d.tableTextures[i] = oneLine(e.texture, u" "_s);
        d.useTexture[i] = e.useTexture;
    }
    d.optionalColor = ad.color(C::Optional).value;
    d.templateIndex = s.templates.selectedIndex();
    for (int i = 0; i < 8; ++i)
        d.effects[i] = ad.effect(static_cast<E>(i));
    d.musicUrl = oneLine(ad.text(T::MusicUrl), u" "_s);
    d.letterStyle = ad.letterStyle();
    d.thumbWidth = oneLine(s.pictures.thumbWidth(), u" "_s);
    d.thumbHeight = oneLine(s.pictures.thumbHeight(), u" "_s);
    d.pounds = oneLine(ad.text(T::Pounds), u" "_s);
    d.ounces = oneLine(ad.text(T::Ounces), u" "_s);
    return d;
}

FileCommands::FileCommands(SharedState& state, DesktopServices& ds, std::function<void()> newFile)
    : m_state(state), m_ds(ds), m_newFile(std::move(newFile))
{
}

bool FileCommands::mnuFileSave_Click()
{
    FileState& f = m_state.file;
    if (f.currentAdPath.isEmpty())
        f.saveAsPending = 1;
    QString path = f.currentAdPath;
    if (f.saveAsPending == 1) {
        const auto chosen = m_ds.saveFileDialog(QString::fromLatin1(AdFileFilter), path);
        if (!chosen || chosen->isEmpty())
            return false;
        if (QFileInfo::exists(*chosen)) {
            const int answer =
                m_ds.messageBox(*chosen + u" already exists.\r\nDo you want to replace it?"_s,
                                MsgStyle::YesNo | MsgStyle::Exclamation, u"File Already Exists"_s);
            if (answer != MsgResult::Yes)
                return false;
        }
        path = *chosen;
    }

    QString error;
    if (!writeTextLines(path, adFileFromState(m_state).toLines(), &error)) {
        m_ds.messageBox(u"The ad could not be saved to "_s + path + u".\r\n"_s + error, MsgStyle::Exclamation,
                        u"Error Saving Ad"_s);
        m_state.ad.setAdChanged(true);
        return false;
    }
    // A line break typed as "<BR>" is one once the ad has been saved.
    m_state.ad.setText(T::Description, htmlBreaksToLines(m_state.ad.text(T::Description)));
    f.currentAdPath = path;
    m_state.ad.setAdChanged(false);
    f.saveAsPending = 0;
    f.currentAdName = fileNameOf(path);
    m_state.setCaptionName(f.currentAdName);
    m_state.ad.setNoSaving(false);
    return true;
}

bool FileCommands::mnuFileSaveAs_Click()
{
    m_state.file.saveAsPending = 1;
    return mnuFileSave_Click();
}

bool FileCommands::offerToSave(bool* yesSaved)
{
    if (!m_state.ad.adChanged())
        return true;
    const int answer = m_ds.messageBox(u"Do you wish to save the current changes?"_s, MsgStyle::YesNoCancel,
                                       u"Save Changes?"_s);
    if (answer == MsgResult::Cancel)
        return false;
    if (answer == MsgResult::Yes) {
        mnuFileSave_Click();
        if (yesSaved)
            *yesSaved = true;
    }
    return true;
}

bool FileCommands::mnuFileOpen_Click()
{
    FileState& f = m_state.file;
    bool saved = false;
    if (!offerToSave(&saved))
        return false;
    if (saved && focusTitle)
        focusTitle();

    QString path;
    if (f.startupFilePending == 1 && !f.commandLine.isEmpty()) {
        path = f.commandLine;
        // The command-line ad is tried once; later Opens ask.
        f.startupFilePending = 0;
    } else {
        const auto chosen = m_ds.openFileDialog(QString::fromLatin1(AdFileFilter));
        if (!chosen || chosen->isEmpty())
            return false;
        path = *chosen;
    }

    if (!QFileInfo(path).isFile()) {
        m_ds.messageBox(u"You have entered an invalid filename."_s, MsgStyle::Information,
                        u"Invalid Filename"_s);
        return false;
    }
    const AdFileRead read = readAdFile(path);
    if (!read.data) {
        m_ds.messageBox(path + u" is not a valid ad file and was not opened.\r\n"_s + read.error,
                        MsgStyle::Exclamation, u"Invalid Ad File"_s);
        return false;
    }
    apply(*read.data, path);
    return true;
}

void FileCommands::apply(const AdFileData& d, const QString& path)
{
    FileState& f = m_state.file;
    AdRecord& ad = m_state.ad;
    TableBackgrounds& tables = m_state.tables;

    f.currentAdName = fileNameOf(path);
    m_state.setCaptionName(f.currentAdName);

    for (int i = 0; i < 5; ++i) {
        const qint64 value = parseNumber(d.tableColorValues[i]).value_or(0);
        tables.setColor(i, ColorToHtml(value), d.tableColorValues[i]);
    }
    for (int i = 0; i < 5; ++i) {
        tables.setTexture(i, d.tableTextures[i]);
        tables.setTextureBox(i, d.tableTextures[i]);
    }
    for (int i = 0; i < 5; ++i) {
        if (!d.useTexture[i])
            continue;
        tables.setUseTexture(i, *d.useTexture[i]);
        if (!*d.useTexture[i])
            tables.setTextureBox(i, {});
    }
    f.adLoadedFromFile = 1;

    if (d.templateIndex >= 0 && d.templateIndex < m_state.templates.files().size())
        m_state.templates.setSelectedIndex(d.templateIndex);
    ad.setText(T::Title, d.title);
    ad.setText(T::SubTitle, d.subTitle);
    ad.setText(T::Description, d.description);
    ad.setColor(C::Title, ColorPair::fromValue(d.titleColor));
    ad.setColor(C::SubTitle, ColorPair::fromValue(d.subTitleColor));
    ad.setColor(C::Description, ColorPair::fromValue(d.descriptionColor));
    ad.setText(T::TitleSize, d.titleSize);
    ad.setText(T::SubTitleSize, d.subTitleSize);
    ad.setText(T::DescriptionSize, d.descriptionSize);
    ad.setText(T::Condition, d.condition);
    ad.setText(T::Age, d.age);
    ad.setText(T::Comments, d.comments);
    ad.setText(T::ShipCost, d.shipCost);
    if (d.includeOptional)
        ad.setIncludeOptional(*d.includeOptional);
    for (int i = 0; i < 10; ++i)
        m_state.pictures.setText(i, d.pictures[i]);
    ad.setColor(C::Optional, ColorPair::fromValue(d.optionalColor));
    for (int i = 0; i < 8; ++i)
        ad.setEffect(static_cast<E>(i), d.effects[i]);
    ad.setText(T::MusicUrl, d.musicUrl);
    if (d.letterStyle)
        ad.setLetterStyle(*d.letterStyle);
    if (d.thumbWidth)
        m_state.pictures.setThumbWidth(*d.thumbWidth);
    if (d.thumbHeight)
        m_state.pictures.setThumbHeight(*d.thumbHeight);
    if (d.pounds)
        ad.setText(T::Pounds, *d.pounds);
    if (d.ounces)
        ad.setText(T::Ounces, *d.ounces);

    m_state.gen.marqueeTags = buildMarqueeTags();
    m_state.gen.pageExtras = buildPageExtras(ad.text(T::MusicUrl));
    show_colors(m_state);
    f.currentAdPath = path;
    ad.setText(T::Description, htmlBreaksToLines(ad.text(T::Description)));
    ad.setAdChanged(false);
    f.startupFilePending = 0;
    f.saveAsPending = 0;
}

void FileCommands::mnuFileNew_Click()
{
    bool saved = false;
    if (!offerToSave(&saved))
        return;
    if (saved)
        m_state.file.currentAdPath.clear();
    if (focusTitle)
        focusTitle();
    if (m_newFile)
        m_newFile();
}

} // namespace lw
