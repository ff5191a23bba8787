#include "app/program.h"

#include "core/desktop_services.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "core/private_folder.h"
#include "core/text_file.h"
#include "core/user_files.h"
#include "generator/blocks.h"
#include "generator/convert.h"
#include "generator/markup.h"
#include "pictures/address_check.h"
#include "pictures/picture_preparation.h"
#include "pictures/picture_upload.h"
#include "pictures/upload_plan.h"
#include "settings/template_commands.h"
#include "submission/submission_settings.h"
#include "updates/update_due.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace lw {

using T = AdRecord::Text;
using F = Preferences::Field;

namespace {

QString generationErrorText()
{
    return u"An error has occurred while attempting to generate your ad.  If you have the FTP setting "
           u"enabled, "
           u"there may be a problem with the upload process and you might receive a more specific error "
           u"message.  Please ensure the image paths are correct and that you are connected to the Internet "
           u"if "
           u"you are using the FTP feature.  The ad was not generated successfully."_s;
}

QString weightText()
{
    return u"You have selected to use the online shipping calculator for your ad, however you did not enter "
           u"the item weight or entered an invalid value.  Please enter numeric values only for the item's "
           u"weight (pounds and ounces) and then return.\r\n\r\nNote:  If your item is an exact pound "
           u"measurement, you do not need to enter any value in the ounces field and vice versa.  Also, "
           u"unless "
           u"you are using the USPS shipping calculator, you will not be able o enter ounces."_s;
}

QString generatedText()
{
    return u"Your ad has been copied to the clipboard.  To post your ad, follow the instructions "
           u"below.\r\n\r\n"
           u"1.) Open your browser or software program to the place where you create new auctions.\r\n"
           u"2.) Click your \"right\" mouse button while over the blank description box.\r\n"
           u"3.) From the menu that appears, select \"Paste\".\r\n"
           u"4.) The generated HTML code will then appear in the description box.\r\n\r\n"
           u"Please refer to the tutorials for an in-depth tutorial of creating and posting an ad."_s;
}

bool isPreview(GenerateMode mode)
{
    return mode == GenerateMode::Preview || mode == GenerateMode::PreviewPage;
}

} // namespace

Program::Program(SharedState& state, DesktopServices& ds, QObject* parent)
    : QObject(parent), m_state(state), m_ds(ds), m_files(state, ds, [this] { new_file(); })
{
    connectTemplateSelection(state);
}

Program::~Program() = default;

bool Program::startup(const QString& adFile, const QDateTime& now)
{
    startUpdateState(m_state, now);
    m_state.gen.hideFooter = QFileInfo::exists(userFileToRead(u"nolink.txt"_s));
    m_state.emoticonNumber = 1;
    m_state.ad.setLetterStyle(0);
    new_file();
    loadTemplate();
    load_eBayPrefs(m_state);
    buildEffectFragments();
    if (adFile.isEmpty())
        return true;
    return m_files.openAd(adFile);
}

void Program::new_file()
{
    SharedState& s = m_state;
    AdRecord& ad = s.ad;
    AdValues fresh = AdRecord::newAd();
    // The colours come from the template below; the optional switch and the music address stay.
    const AdValues& now = ad.values();
    fresh.titleColor = now.titleColor;
    fresh.subTitleColor = now.subTitleColor;
    fresh.descriptionColor = now.descriptionColor;
    fresh.optionalColor = now.optionalColor;
    fresh.includeOptional = now.includeOptional;
    fresh.musicUrl = now.musicUrl;
    ad.setValues(fresh);
    s.pictures.setThumbSize(u"200"_s, u"150"_s);
    for (int i = 0; i < PictureList::SlotCount; ++i)
        s.pictures.setText(i, {});
    s.setCaptionName(u"New File"_s);
    s.tables.setTextureBox(0, {});
    s.tables.setTexture(0, {});
    s.tables.setUseTexture(0, false);
    for (int i = 1; i <= 4; ++i) {
        s.tables.setTextureBox(i, {});
        s.tables.setUseTexture(i, false);
    }
    s.templates.setSelectedIndex(0);
    loadSettings(s, m_prefsWindow, m_ds);
    show_colors(s);
    s.file.currentAdPath.clear();
    s.file.currentAdName.clear();
    ad.setAdChanged(false);
    s.emoticonTarget = TextBox::Title;
    s.letterTarget = TextBox::Title;
}

namespace {

std::optional<QString> readTemplate(const SharedState& s, const QString& path, QString* error)
{
    QString why;
    // One character over the limit is enough to refuse the template later.
    const auto text = s.templates.selectedFile().isEmpty()
                          ? std::optional<QString>()
                          : readTextFile(path, &why, 4 * (MaxTemplateChars + 1));
    if (!text && error)
        *error = s.templates.selectedFile().isEmpty() ? u"No template is selected."_s : why;
    return text;
}

} // namespace

bool Program::loadTemplate(QString* error)
{
    GeneratorState& g = m_state.gen;
    g.templatePath = m_state.templates.folder() + u'/' + m_state.templates.selectedFile();
    const auto text = readTemplate(m_state, g.templatePath, error);
    if (!text) {
        g.templateText.clear();
        return false;
    }
    g.templateText = *text;
    return true;
}

std::optional<GeneratorInput> Program::generateInput(QString* error) const
{
    const auto text =
        readTemplate(m_state, m_state.templates.folder() + u'/' + m_state.templates.selectedFile(), error);
    if (!text)
        return std::nullopt;
    GeneratorInput in = generatorInput();
    in.templateText = *text;
    in.preview = false;
    return in;
}

void Program::buildEffectFragments()
{
    m_state.gen.marqueeTags = buildMarqueeTags();
    m_state.gen.pageExtras = buildPageExtras(m_state.ad.text(T::MusicUrl));
}

GeneratorInput Program::generatorInput(bool preview) const
{
    const SharedState& s = m_state;
    GeneratorInput in;
    in.templateText = s.gen.templateText;
    in.preview = preview;
    in.installFolder = installFolder();
    in.hosts = Hosts::current();
    in.ad = s.ad.values();
    in.prefs = s.prefs.values();
    in.tables = s.tables.entries();
    in.pictures = s.pictures.values();
    in.enlargeColor = s.templateValues.enlargeColor;
    in.marqueeTags = s.gen.marqueeTags;
    in.pageExtras = s.gen.pageExtras;
    in.hideFooter = s.gen.hideFooter;
    return in;
}

void Program::setPictureUpload(std::unique_ptr<PictureUpload> upload)
{
    m_upload = std::move(upload);
    if (m_upload)
        connect(m_upload.get(), &PictureUpload::finished, this, &Program::uploadFinished);
}

void Program::setPicturePreparation(std::unique_ptr<PicturePreparation> preparation)
{
    m_prepare = std::move(preparation);
    if (m_prepare)
        connect(m_prepare.get(), &PicturePreparation::finished, this, &Program::preparationFinished);
}

void Program::setAddressCheck(std::unique_ptr<AddressCheck> check)
{
    m_check = std::move(check);
    // Queued: the status window hides before the seller is asked about the pictures.
    if (m_check)
        connect(m_check.get(), &AddressCheck::finished, this, &Program::checkFinished, Qt::QueuedConnection);
}

void Program::restoreEditorTexts()
{
    // The editor keeps the seller's own texts; only a typed "<BR>" becomes a line break.
    m_state.ad.setText(T::Description, htmlBreaksToLines(m_state.ad.text(T::Description)));
    m_state.prefs.setText(F::Terms, htmlBreaksToLines(m_state.prefs.text(F::Terms)));
}

void Program::fail(const QString& title, const QString& text, MsgIcon icon)
{
    if (!text.isEmpty())
        m_ds.messageBox(text, icon, title);
    m_job.reset();
    Q_EMIT failed(title, text);
}

void Program::failGeneration()
{
    fail(u"Error In Ad Generation"_s, generationErrorText(), MsgIcon::Critical);
}

void Program::startGenerate(GenerateMode mode)
{
    if (m_job)
        return;
    m_job = GenerationJob{mode, {}, {}, false};
    Q_EMIT generateStarted(mode);

    const AdRecord& ad = m_state.ad;
    auto usable = [](const QString& t) { return !t.trimmed().isEmpty() && isNumber(t); };
    if (m_state.prefs.flag(F::ShowCalc) && !usable(ad.text(T::Pounds)) && !usable(ad.text(T::Ounces))) {
        fail(u"Error: Item weight invalid"_s, weightText(), MsgIcon::Exclamation);
        return;
    }

    if (!loadTemplate()) {
        restoreEditorTexts();
        failGeneration();
        return;
    }
    m_job->input = generatorInput(isPreview(mode));
    const GeneratorInput& in = m_job->input;
    if (!uploadsPictures(in)) {
        Convert();
        return;
    }
    const Preferences& p = m_state.prefs;
    m_job->upload = {p.ftpAccount(), p.flag(F::Passive),
                     uploadItems(in.pictures, codePicturesUsed(in), in.installFolder)};
    if (m_job->upload.items.isEmpty()) {
        Convert();
        return;
    }
    if (!m_upload) {
        restoreEditorTexts();
        failGeneration();
        return;
    }
    const QString trouble = m_state.passwords.trouble(Secret::Ftp);
    if (m_job->upload.account.password.isEmpty() && !trouble.isEmpty()) {
        restoreEditorTexts();
        fail(u"Error: FTP Password Unavailable"_s,
             u"Listwright could not get your FTP password: "_s + trouble +
                 u".  Unlock the keyring and try again, or type the password again under Preferences."_s,
             MsgIcon::Exclamation);
        return;
    }
    if (m_prepare && in.prefs.preparePictures) {
        m_prepare->start(m_job->upload.items, in.prefs.longestSide);
        return;
    }
    m_upload->start(m_job->upload);
}

void Program::preparationFinished(bool ok, const QString& title, const QString& text)
{
    if (!m_job)
        return;
    if (!ok) {
        failUpload(title, text);
        return;
    }
    // What goes up is what the page links: a prepared picture under its new name.
    m_job->upload.items = m_prepare->items();
    for (const UploadItem& item : m_job->upload.items)
        if (item.slot >= 0)
            m_job->input.pictures.slots[item.slot].text = item.localPath;
    m_upload->start(m_job->upload);
}

bool Program::isUploading() const
{
    return m_job && !m_job->upload.items.isEmpty() && m_upload;
}

void Program::stopUploadForQuit()
{
    if (!isUploading())
        return;
    m_job->stoppedForQuit = true;
    if (m_prepare && m_prepare->isRunning())
        m_prepare->abort();
    else if (m_check && m_check->isRunning())
        m_check->abort();
    else
        m_upload->abort();
}

void Program::uploadFinished(bool ok, const QString& title, const QString& text)
{
    if (!m_job)
        return;
    if (m_prepare)
        m_prepare->discard();
    if (!ok) {
        failUpload(title, text);
        return;
    }
    if (!m_check) {
        Convert();
        return;
    }
    // Each picture at the address the page links it at: the web image address and its sent name. The
    // emoticon and letter pictures go to a folder below the same address: they are looked for only
    // when the ad has no pictures of the seller's.
    const bool sellers = m_job->upload.items.first().slot >= 0;
    QList<PictureAddress> addresses;
    for (const UploadItem& item : m_job->upload.items) {
        if (sellers && item.slot < 0)
            continue;
        const QString folder = item.subFolder.isEmpty() ? QString() : item.subFolder + u'/';
        addresses.append({item.slot >= 0 ? u"Image "_s + QString::number(item.slot + 1) : item.remoteName,
                          m_job->input.prefs.webUrl + folder + item.remoteName,
                          {},
                          {}});
    }
    m_check->start(addresses);
}

void Program::checkFinished(const QList<PictureAddress>& addresses)
{
    if (!m_job)
        return;
    if (m_job->stoppedForQuit) {
        failUpload({}, {});
        return;
    }
    const QString trouble = addressTroubleText(addresses, m_check->limit());
    if (!trouble.isEmpty() &&
        m_ds.messageBox(trouble, {MsgButtons::GenerateAnywayCancel, MsgIcon::Exclamation},
                        u"Pictures Not Found On The Web"_s) != MsgResult::Yes) {
        restoreEditorTexts();
        fail(u"Pictures Not Found On The Web"_s, {}, MsgIcon::None);
        return;
    }
    Convert();
}

void Program::failUpload(const QString& title, const QString& text)
{
    restoreEditorTexts();
    Q_EMIT uploadFailed();
    // The upload's own message box: an OK button and its words, as the status window always had.
    fail(title, m_job->stoppedForQuit ? QString() : text, MsgIcon::None);
}

void Program::Convert()
{
    const GeneratorResult result = expandTemplate(m_job->input);
    restoreEditorTexts();
    if (!result.ok) {
        failGeneration();
        return;
    }
    m_state.gen.templateText = result.page;
    deliver(m_job->mode, result.page);
}

void Program::deliver(GenerateMode mode, const QString& page)
{
    switch (mode) {
    case GenerateMode::Generate:
    case GenerateMode::Submission:
        m_ds.clearClipboard();
        m_ds.setClipboardText(page);
        if (mode == GenerateMode::Generate)
            m_ds.messageBox(generatedText(), MsgButtons::Ok, u"Your Ad Has Been Generated!"_s);
        break;
    case GenerateMode::Preview: {
        QString error;
        const std::optional<QString> folder = privateFolder(GetTmpPath(), &error);
        const QString path = folder.value_or(GetTmpPath()) + u"AdPreview.html"_s;
        // A byte-order mark tells every browser the page is UTF-8 whatever characters the seller typed.
        if (!folder || !writeFileReplacingLinks(path, "\xEF\xBB\xBF" + (page + u"\r\n"_s).toUtf8(), &error)) {
            fail(u"Error In Ad Preview"_s,
                 u"The preview could not be written to "_s + path + u".\r\n"_s + error, MsgIcon::Exclamation);
            return;
        }
        openPage(m_ds, path);
        break;
    }
    case GenerateMode::PreviewPage:
    case GenerateMode::GeneratePage:
        break;
    }
    m_job.reset();
    Q_EMIT generated(mode, page);
}

QString Program::GetTmpPath()
{
    return m_ds.tempFolder().value_or(QString());
}

} // namespace lw
