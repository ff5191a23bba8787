#include "adfile/file_commands.h"

#include "adfile/ad_file.h"
#include "core/desktop_services.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "core/text_file.h"
#include "generator/blocks.h"
#include "settings/template_commands.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace lw {

AdFileData adFileFromState(const SharedState& s)
{
    AdFileData d;
    d.ad = s.ad.values();
    for (int i = 0; i < PictureList::SlotCount; ++i)
        d.pictures[i] = s.pictures.text(i);
    d.thumbWidth = s.pictures.thumbWidth();
    d.thumbHeight = s.pictures.thumbHeight();
    for (int i = 0; i < 5; ++i) {
        const TableBackgrounds::Entry& e = s.tables.entry(i);
        d.backgrounds[i] = {e.colorValue, e.texture, e.useTexture};
    }
    d.templateIndex = s.templates.selectedIndex();
    return d;
}

QString withAdExtension(const QString& path)
{
    if (path.endsWith(u".zad"_s, Qt::CaseInsensitive))
        return path;
    return path + (path.endsWith(u'.') ? u"zad"_s : u".zad"_s);
}

FileCommands::FileCommands(SharedState& state, DesktopServices& ds, std::function<void()> newFile)
    : m_state(state), m_ds(ds), m_newFile(std::move(newFile))
{
}

void FileCommands::giveTitleFocus()
{
    if (focusTitle)
        focusTitle();
}

bool FileCommands::mnuFileSave_Click()
{
    return save(false);
}

bool FileCommands::mnuFileSaveAs_Click()
{
    return save(true);
}

bool FileCommands::save(bool askForName)
{
    FileState& f = m_state.file;
    QString path = f.currentAdPath;
    if (askForName || path.isEmpty()) {
        const QString folder = m_state.folders.startFolder(FileKind::Ad);
        const auto chosen = m_ds.saveFileDialog(QString::fromLatin1(AdFileFilter),
                                                path.isEmpty() ? folder : folder + u'/' + fileNameOf(path));
        if (!chosen || chosen->isEmpty())
            return false;
        path = withAdExtension(*chosen);
        if (QFileInfo::exists(path)) {
            const MsgResult answer =
                m_ds.messageBox(path + u" already exists.\r\nDo you want to replace it?"_s,
                                {MsgButtons::YesNo, MsgIcon::Exclamation}, u"File Already Exists"_s);
            if (answer != MsgResult::Yes)
                return false;
        }
    }

    QString error;
    if (!writeTextLines(path, adFileFromState(m_state).toLines(), &error)) {
        m_ds.messageBox(u"The ad could not be saved to "_s + path + u".\r\n"_s + error, MsgIcon::Exclamation,
                        u"Error Saving Ad"_s);
        m_state.ad.setAdChanged(true);
        return false;
    }
    // A line break typed as "<BR>" is one once the ad has been saved.
    m_state.ad.setText(AdRecord::Text::Description,
                       QString(m_state.ad.text(AdRecord::Text::Description)).replace(u"<BR>"_s, u"\r\n"_s));
    f.currentAdPath = path;
    m_state.folders.remember(FileKind::Ad, path);
    m_state.ad.setAdChanged(false);
    f.currentAdName = fileNameOf(path);
    m_state.setCaptionName(f.currentAdName);
    return true;
}

FileCommands::SaveOffer FileCommands::offerToSave()
{
    if (!m_state.ad.adChanged())
        return SaveOffer::NothingToSave;
    const MsgResult answer = m_ds.messageBox(u"Do you wish to save the current changes?"_s,
                                             MsgButtons::YesNoCancel, u"Save Changes?"_s);
    if (answer == MsgResult::Cancel)
        return SaveOffer::Cancelled;
    if (answer != MsgResult::Yes)
        return SaveOffer::NotSaved;
    return mnuFileSave_Click() ? SaveOffer::Saved : SaveOffer::Cancelled;
}

bool FileCommands::queryClose()
{
    return offerToSave() != SaveOffer::Cancelled;
}

bool FileCommands::mnuFileOpen_Click()
{
    const SaveOffer offer = offerToSave();
    if (offer == SaveOffer::Cancelled)
        return false;
    if (offer == SaveOffer::Saved)
        giveTitleFocus();
    const auto chosen =
        m_ds.openFileDialog(QString::fromLatin1(AdFileFilter), m_state.folders.startFolder(FileKind::Ad));
    if (!chosen || chosen->isEmpty())
        return false;
    return openAd(*chosen);
}

bool FileCommands::openAd(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        m_ds.messageBox(u"You have entered an invalid filename."_s, MsgIcon::Information,
                        u"Invalid Filename"_s);
        return false;
    }
    const AdFileRead read = readAdFile(path, adFileFromState(m_state));
    if (!read.data) {
        m_ds.messageBox(path + u" is not a valid ad file and was not opened.\r\n"_s + read.error,
                        MsgIcon::Exclamation, u"Invalid Ad File"_s);
        return false;
    }
    apply(*read.data, path);
    m_state.folders.remember(FileKind::Ad, path);
    giveTitleFocus();
    return true;
}

void FileCommands::restore(const AdFileData& d, const QString& adPath)
{
    apply(d, adPath);
    if (adPath.isEmpty()) {
        m_state.file.currentAdName.clear();
        m_state.setCaptionName(u"New File"_s);
    }
    m_state.ad.setAdChanged(true);
}

void FileCommands::apply(const AdFileData& d, const QString& path)
{
    FileState& f = m_state.file;
    TableBackgrounds& tables = m_state.tables;

    f.currentAdName = fileNameOf(path);
    m_state.setCaptionName(f.currentAdName);

    for (int i = 0; i < 5; ++i) {
        const QString& value = d.backgrounds[i].colorValue;
        tables.setColor(i, ColorToHtml(parseNumber(value).value_or(0)), value);
    }
    for (int i = 0; i < 5; ++i) {
        tables.setTexture(i, d.backgrounds[i].texture);
        tables.setTextureBox(i, d.backgrounds[i].texture);
    }
    for (int i = 0; i < 5; ++i) {
        const std::optional<bool> use = d.backgrounds[i].useTexture;
        if (!use)
            continue;
        tables.setUseTexture(i, *use);
        if (!*use)
            tables.setTextureBox(i, {});
    }
    f.adLoadedFromFile = true;

    if (d.templateIndex >= 0 && d.templateIndex < m_state.templates.files().size())
        m_state.templates.setSelectedIndex(d.templateIndex);
    m_state.ad.setValues(d.ad);
    for (int i = 0; i < PictureList::SlotCount; ++i)
        m_state.pictures.setText(i, d.pictures[i]);
    m_state.pictures.setThumbSize(d.thumbWidth, d.thumbHeight);

    m_state.gen.marqueeTags = buildMarqueeTags();
    m_state.gen.pageExtras = buildPageExtras(d.ad.musicUrl);
    show_colors(m_state);
    f.currentAdPath = path;
    m_state.ad.setAdChanged(false);
}

void FileCommands::mnuFileNew_Click()
{
    if (offerToSave() == SaveOffer::Cancelled)
        return;
    giveTitleFocus();
    if (m_newFile)
        m_newFile();
}

} // namespace lw
