#pragma once

#include "core/dialog_folders.h"
#include "core/models/ad_record.h"
#include "core/models/picture_list.h"
#include "core/models/preferences.h"
#include "core/models/stored_passwords.h"
#include "core/models/submission_account.h"
#include "core/models/template_state.h"

#include <QObject>
#include <QString>

#include <array>

namespace lw {

// Generator state owned by the main window.
struct GeneratorState
{
    QString templatePath;
    // The raw template after a template is loaded, the finished page after a generation.
    QString templateText;
    std::array<QString, 4> marqueeTags;
    std::array<QString, 2> pageExtras;
    // "nolink.txt" was found at start-up: pages carry no footer link.
    bool hideFooter = false;
};

// Which ad file the editor is bound to.
struct FileState
{
    QString currentAdPath;
    QString currentAdName;
    bool adLoadedFromFile = false;
};

// What the preferences window shows about the selected template.
struct TemplateDisplay
{
    QString thumbnailPath;
    bool customVisible = false;
    QString information;
};

// The pictures the seller picked in the picture window for the selling form; "" = no choice.
struct PicturePicks
{
    QString mainChoice;
    QString galleryChoice;
    // Which of the submission window's two buttons opened the picture window.
    bool pickingGallery = false;
};

struct UpdateState
{
    bool updateCheckDue = false;
    bool updateAvailable = false;
    int programRevision = 5;
    // The texts of lwrver.txt and lwrupd.txt as last fetched: a failed fetch keeps the older text.
    QString latestRevision;
    QString featureList;
    bool autoUpdateCheck = false;
};

// The one owner of the program's shared state; windows and commands receive it.
class SharedState : public QObject
{
    Q_OBJECT
public:
    explicit SharedState(QObject* parent = nullptr);

    AdRecord ad;
    Preferences prefs;
    TemplateCatalogue templates;
    TemplateValues templateValues;
    TableBackgrounds tables;
    PictureList pictures;
    GeneratorState gen;
    FileState file;
    TemplateDisplay templateDisplay;
    SubmissionAccount submission;
    StoredPasswords passwords;
    PicturePicks picks;
    UpdateState updates;
    DialogFolders folders;

    // The emoticon the main window shows, and the text boxes its insert and the letter-image
    // command write into.
    int emoticonNumber = 1;
    TextBox emoticonTarget = TextBox::Title;
    TextBox letterTarget = TextBox::Title;

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    // "Listwright - [name]".
    void setCaptionName(const QString& name);

Q_SIGNALS:
    void captionChanged(const QString& caption);
    // show_colors: the colour swatches must be repainted from the model.
    void colorsRefreshed();
    void templateDisplayChanged();

private:
    QString m_caption = QStringLiteral("Listwright - [New File]");
    // The template the ad has, as the ad file keeps it.
    int m_templateIndex = -1;
};

} // namespace lw
