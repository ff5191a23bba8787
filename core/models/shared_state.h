#pragma once

#include "core/models/ad_record.h"
#include "core/models/picture_list.h"
#include "core/models/preferences.h"
#include "core/models/template_state.h"

#include <QObject>
#include <QString>

#include <array>

namespace lw {

// Generator state owned by the main window; transient between generations.
struct GeneratorState
{
    int previewMode = 0;
    int ftpAborted = 0;
    QString templatePath;
    QString templateText;
    std::array<QString, 4> marqueeTags;
    std::array<QString, 2> pageExtras;
    int hideFooter = 0;
    int submissionMode = 0;
};

// Which ad file the editor is bound to.
struct FileState
{
    QString currentAdPath;
    QString currentAdName;
    int saveAsPending = 0;
    int startupFilePending = 0;
    int adLoadedFromFile = 0;
    // The program's command-line text: the ad file to open at start-up.
    QString commandLine;
};

// What the preferences window shows about the selected template.
struct TemplateDisplay
{
    QString thumbnailPath;
    bool customVisible = false;
    QString information;
};

// The values of the submission settings file while the program runs.
struct SubmissionState
{
    QString userName;
    QString password;
    QString sellingUrl;
    bool descriptionNotePending = true;
};

struct UpdateState
{
    bool updateCheckDue = false;
    bool updateAvailable = false;
    int programRevision = 5;
    int latestRevision = 0;
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
    SubmissionState submission;
    UpdateState updates;

    // Editor targets of the emoticon and letter-image commands (title 1, sub-title 2, description 3).
    int emoticonNumber = 1;
    int emoticonTarget = 1;
    int letterTarget = 1;

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
};

} // namespace lw
