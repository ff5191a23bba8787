#include "app/program.h"

#include "core/desktop_services.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "core/text_file.h"
#include "generator/blocks.h"
#include "generator/convert.h"
#include "generator/markup.h"
#include "settings/template_commands.h"
#include "submission/submission_settings.h"
#include "updates/update_due.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace lw {

using T = AdRecord::Text;
using E = AdRecord::Effect;
using C = AdRecord::Color;
using F = Preferences::Field;

Program::Program(SharedState& state, DesktopServices& ds)
    : m_state(state), m_ds(ds), m_files(state, ds, [this] { new_file(); })
{
    connectTemplateSelection(state);
}

bool Program::startup(const QString& commandLine, const QDateTime& now)
{
    startUpdateState(m_state, now);
    m_state.prefs.setText(F::FtpPassword, {});
    m_state.gen.hideFooter = QFileInfo::exists(installPath(u"nolink.txt"_s)) ? 1 : 0;
    m_state.emoticonNumber = 1;
    m_state.ad.setLetterStyle(0);
    new_file();
    loadTemplate();
    loadSettings(m_state, m_prefsWindow, m_ds);
    load_eBayPrefs(m_state);
    buildEffectFragments();
    m_state.file.commandLine = commandLine;
    if (commandLine.isEmpty())
        return true;
    m_state.file.startupFilePending = 1;
    return m_files.mnuFileOpen_Click();
}

void Program::new_file()
{
    SharedState& s = m_state;
    AdRecord& ad = s.ad;
    s.pictures.setThumbSize(u"200"_s, u"150"_s);
    for (T f : {T::Title, T::SubTitle, T::Description, T::Condition, T::Comments, T::ShipCost, T::Age})
        ad.setText(f, {});
    ad.setText(T::Pounds, u"0"_s);
    ad.setText(T::Ounces, u"0"_s);
    s.setCaptionName(u"New File"_s);
    for (int i = 0; i < PictureList::SlotCount; ++i)
        s.pictures.setText(i, {});
    for (int i = 0; i < static_cast<int>(E::Count); ++i)
        ad.setEffect(static_cast<E>(i), false);
    s.letterTarget = 1;
    ad.setLetterStyle(0);
    s.tables.setTextureBox(0, {});
    s.tables.setTexture(0, {});
    s.tables.setUseTexture(0, false);
    for (int i = 1; i <= 4; ++i) {
        s.tables.setTextureBox(i, {});
        s.tables.setUseTexture(i, false);
    }
    s.templates.setSelectedIndex(0);
    ad.setText(T::TitleSize, u"5"_s, false);
    ad.setText(T::SubTitleSize, u"4"_s, false);
    ad.setText(T::DescriptionSize, u"3"_s, false);
    loadSettings(s, m_prefsWindow, m_ds);
    show_colors(s);
    s.file.currentAdPath.clear();
    s.file.currentAdName.clear();
    s.file.saveAsPending = 0;
    ad.setAdChanged(false);
    s.emoticonTarget = 1;
    ad.setNoSaving(false);
    s.letterTarget = 1;
}

bool Program::loadTemplate(QString* error)
{
    GeneratorState& g = m_state.gen;
    g.templatePath = m_state.templates.folder() + u'/' + m_state.templates.selectedFile();
    QString why;
    // One character over the limit is enough to refuse the template later.
    const auto text = m_state.templates.selectedFile().isEmpty()
                          ? std::optional<QString>()
                          : readTextFile(g.templatePath, &why, 4 * (MaxTemplateChars + 1));
    if (!text) {
        g.templateText.clear();
        if (error)
            *error = m_state.templates.selectedFile().isEmpty() ? u"No template is selected."_s : why;
        return false;
    }
    g.templateText = *text;
    return true;
}

void Program::buildEffectFragments()
{
    m_state.gen.marqueeTags = buildMarqueeTags();
    m_state.gen.pageExtras = buildPageExtras(m_state.ad.text(T::MusicUrl));
}

GeneratorInput Program::generatorInput() const
{
    const SharedState& s = m_state;
    const AdRecord& ad = s.ad;
    const Preferences& p = s.prefs;
    GeneratorInput in;
    in.templateText = s.gen.templateText;
    in.previewMode = s.gen.previewMode;
    in.installFolder = installFolder();
    in.hosts = Hosts::current();
    in.title = ad.text(T::Title);
    in.subTitle = ad.text(T::SubTitle);
    in.description = ad.text(T::Description);
    in.titleSize = ad.text(T::TitleSize);
    in.subTitleSize = ad.text(T::SubTitleSize);
    in.descriptionSize = ad.text(T::DescriptionSize);
    in.titleColor = ad.color(C::Title).text;
    in.subTitleColor = ad.color(C::SubTitle).text;
    in.descriptionColor = ad.color(C::Description).text;
    in.optionalColor = ad.color(C::Optional).text;
    in.titleScroll = {ad.effect(E::TitleScrollL), ad.effect(E::TitleScrollR), ad.effect(E::TitleScrollB)};
    in.subTitleScroll = {ad.effect(E::SubTitleScrollL), ad.effect(E::SubTitleScrollR),
                         ad.effect(E::SubTitleScrollB)};
    in.noRightClick = ad.effect(E::NoRightClick);
    in.music = ad.effect(E::Music);
    in.letterStyle = ad.letterStyle();
    in.includeOptional = ad.includeOptional();
    in.condition = ad.text(T::Condition);
    in.age = ad.text(T::Age);
    in.comments = ad.text(T::Comments);
    in.shipCost = ad.text(T::ShipCost);
    in.pounds = ad.text(T::Pounds);
    in.ounces = ad.text(T::Ounces);
    in.terms = p.text(F::Terms);
    in.termsColor = p.termsColor().text;
    in.termsSize = QString::number(p.termsSize());
    for (int i = 0; i < 5; ++i) {
        in.tableColors[i] = s.tables.entry(i).colorText;
        in.tableTextures[i] = s.tables.entry(i).texture;
        in.useTexture[i] = s.tables.entry(i).useTexture;
    }
    in.includeEmail = p.flag(F::IncludeEmail);
    in.includeWebsite = p.flag(F::IncludeWebsite);
    in.includeAuctions = p.flag(F::IncludeAuctions);
    in.includeMePage = p.flag(F::IncludeMePage);
    in.auctionSite = p.index(F::AuctionSite);
    in.email = p.text(F::Email);
    in.website = p.text(F::Website);
    in.auctionId = p.text(F::AuctionId);
    in.marqueeTags = s.gen.marqueeTags;
    in.pageExtras = s.gen.pageExtras;
    in.hideFooter = s.gen.hideFooter;
    in.showCalc = p.flag(F::ShowCalc);
    in.useUsps = p.flag(F::UseUsps);
    in.useUps = p.flag(F::UseUps);
    in.upsResidential = p.flag(F::UpsResidential);
    in.zipCode = p.text(F::ZipCode);
    in.shipComment = p.text(F::ShipComment);
    in.upsLength = p.text(F::UpsLength);
    in.upsWidth = p.text(F::UpsWidth);
    in.upsHeight = p.text(F::UpsHeight);
    in.upsInsurance = p.text(F::UpsInsurance);
    static const QString fonts[] = {u"Arial"_s, u"Courier"_s, u"Times New Roman"_s, u"Comic Sans MS"_s,
                                    u"Verdana"_s};
    const int font = p.index(F::Font);
    in.font = font >= 0 && font < 5 ? fonts[font] : QString();
    in.ftpAccess = p.flag(F::FtpAccess);
    in.webUrl = p.text(F::WebUrl);
    for (int i = 0; i < PictureList::SlotCount; ++i)
        in.pictures[i] = s.pictures.text(i);
    in.pictureTarget = p.pictureTarget();
    in.thumbWidth = s.pictures.thumbWidth();
    in.thumbHeight = s.pictures.thumbHeight();
    in.enlargeColor = s.templateValues.enlargeColor;
    return in;
}

void Program::showGenerationError()
{
    m_ds.messageBox(u"An error has occurred while attempting to generate your ad.  If you have the FTP "
                    u"setting enabled, there "
                    u"may be a problem with the upload process and you might receive a more specific error "
                    u"message.  Please "
                    u"ensure the image paths are correct and that you are connected to the Internet if you "
                    u"are using the FTP "
                    u"feature.  The ad was not generated successfully."_s,
                    MsgStyle::Critical, u"Error In Ad Generation"_s);
}

void Program::restoreEditorTexts()
{
    // The editor keeps the seller's own texts; only a typed "<BR>" becomes a line break.
    m_state.ad.setText(T::Description, htmlBreaksToLines(m_state.ad.text(T::Description)));
    m_state.prefs.setText(F::Terms, htmlBreaksToLines(m_state.prefs.text(F::Terms)));
}

bool Program::Convert()
{
    GeneratorState& g = m_state.gen;
    m_state.ad.setNoSaving(true);
    const bool loaded = loadTemplate();
    g.ftpAborted = 0;
    if (!loaded) {
        restoreEditorTexts();
        showGenerationError();
        return false;
    }
    if (m_state.prefs.flag(F::FtpAccess) && g.previewMode == 0) {
        if (!uploadPictures) {
            g.ftpAborted = 1;
            restoreEditorTexts();
            showGenerationError();
            return false;
        }
        if (!uploadPictures())
            g.ftpAborted = 1;
        if (g.ftpAborted == 1) {
            restoreEditorTexts();
            return false;
        }
    }
    const GeneratorResult result = expandTemplate(generatorInput());
    restoreEditorTexts();
    if (!result.ok) {
        showGenerationError();
        return false;
    }
    g.templateText = result.page;
    return true;
}

bool Program::weightCheck()
{
    if (!m_state.prefs.flag(F::ShowCalc))
        return true;
    auto usable = [](const QString& t) { return !t.trimmed().isEmpty() && isNumber(t); };
    if (usable(m_state.ad.text(T::Pounds)) || usable(m_state.ad.text(T::Ounces)))
        return true;
    m_ds.messageBox(
        u"You have selected to use the online shipping calculator for your ad, however you did not enter the "
        u"item "
        u"weight or entered an invalid value.  Please enter numeric values only for the item's weight "
        u"(pounds and "
        u"ounces) and then return.\r\n\r\nNote:  If your item is an exact pound measurement, you do not need "
        u"to "
        u"enter any value in the ounces field and vice versa.  Also, unless you are using the USPS shipping "
        u"calculator, you will not be able o enter ounces."_s,
        MsgStyle::Exclamation, u"Error: Item weight invalid"_s);
    return false;
}

bool Program::mnuOptionsGenerate_Click()
{
    m_state.gen.previewMode = 0;
    if (m_state.gen.submissionMode == 1 && showGeneratingStatus)
        showGeneratingStatus();
    if (!weightCheck())
        return false;
    if (!Convert() || m_state.gen.ftpAborted == 1)
        return false;
    m_ds.clearClipboard();
    m_ds.setClipboardText(m_state.gen.templateText);
    if (m_state.gen.submissionMode != 1)
        m_ds.messageBox(
            u"Your ad has been copied to the clipboard.  To post your ad, follow the instructions "
            u"below.\r\n\r\n"
            u"1.) Open your browser or software program to the place where you create new auctions.\r\n"
            u"2.) Click your \"right\" mouse button while over the blank description box.\r\n"
            u"3.) From the menu that appears, select \"Paste\".\r\n"
            u"4.) The generated HTML code will then appear in the description box.\r\n\r\n"
            u"Please refer to the tutorials for an in-depth tutorial of creating and posting an ad."_s,
            MsgStyle::OkOnly, u"Your Ad Has Been Generated!"_s);
    return true;
}

QString Program::GetTmpPath()
{
    return m_ds.tempFolder().value_or(QString());
}

bool Program::mnuOptionsPreview_Click(bool writeAndOpen)
{
    m_state.gen.previewMode = 1;
    if (!weightCheck())
        return false;
    if (!Convert())
        return false;
    if (!writeAndOpen)
        return true;
    const QString path = GetTmpPath() + u"AdPreview.html"_s;
    QString error;
    // A byte-order mark tells every browser the page is UTF-8 whatever characters the seller typed.
    if (!writeFileAtomic(path, "\xEF\xBB\xBF" + (m_state.gen.templateText + u"\r\n"_s).toUtf8(), &error)) {
        m_ds.messageBox(u"The preview could not be written to "_s + path + u".\r\n"_s + error,
                        MsgStyle::Exclamation, u"Error In Ad Preview"_s);
        return false;
    }
    openPage(m_ds, path);
    return true;
}

bool Program::queryClose()
{
    return m_files.offerToSave();
}

} // namespace lw
