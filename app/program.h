#pragma once

#include "adfile/file_commands.h"
#include "core/desktop_services.h"
#include "generator/generator_input.h"
#include "settings/preferences_commands.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

namespace lw {

class SharedState;
class DesktopServices;
class PictureUpload;

// What a generation is for.
enum class GenerateMode
{
    Generate,     // web picture addresses, the pictures uploaded when FTP upload is on; the page
                  // to the clipboard and the seller told how to post it
    Submission,   // as Generate, for the submission window, which tells the seller itself
    Preview,      // the pictures on this computer; the page written and opened in the browser
    PreviewPage,  // as Preview, the page only (the generate command without a window)
    GeneratePage, // as Generate, the page only (the generate command writing many ads to a folder)
};

// The main window's logic without the window: start-up, new_file, the generation job and
// the File commands, over the shared state. The window, the headless command and the tests
// all drive this one object.
class Program : public QObject
{
    Q_OBJECT
public:
    Program(SharedState& state, DesktopServices& ds, QObject* parent = nullptr);
    ~Program() override;

    // Start-up: update-check date, footer marker, a new ad with the settings loaded once, the
    // template, the submission settings, the effect fragments, then the ad file when one is named.
    // False when the named ad could not be opened.
    bool startup(const QString& adFile, const QDateTime& now = QDateTime::currentDateTime());

    void new_file();
    // Reads the selected template into TemplateText; false when it cannot be read.
    bool loadTemplate(QString* error = nullptr);
    // MarqueeTags and PageExtras from the current music address.
    void buildEffectFragments();

    // Starts a generation. Its outcome comes as generated() or failed(), after the upload when
    // there is one, at once (before this returns) when there is none. A second start while one
    // runs is ignored.
    void startGenerate(GenerateMode mode);
    bool isGenerating() const { return m_running.has_value(); }
    // The upload Generate runs when FTP upload is on; without one such a Generate fails.
    void setPictureUpload(std::unique_ptr<PictureUpload> upload);
    PictureUpload* pictureUpload() const { return m_upload.get(); }

    void mnuOptionsGenerate_Click() { startGenerate(GenerateMode::Generate); }
    void mnuOptionsPreview_Click() { startGenerate(GenerateMode::Preview); }
    // The weight check of both commands; false after its message.
    bool weightCheck();
    QString GetTmpPath();
    // The closing question; false when the seller's work must stay and the window with it.
    bool queryClose() { return m_files.queryClose(); }

    GeneratorInput generatorInput() const;
    // What a Generate would read now, the template read afresh and nothing uploaded (the site-rules
    // check); nullopt and why when the template cannot be read.
    std::optional<GeneratorInput> generateInput(QString* error = nullptr) const;
    FileCommands& files() { return m_files; }
    PreferencesWindowState& preferencesWindow() { return m_prefsWindow; }
    SharedState& state() { return m_state; }

Q_SIGNALS:
    void generateStarted(lw::GenerateMode mode);
    void generated(lw::GenerateMode mode, const QString& page);
    void failed(const QString& title, const QString& text);
    // The picture upload failed or was aborted; failed() follows.
    void uploadFailed();

private:
    // After the pictures are on their way or not needed: the page, then its delivery.
    void Convert();
    void uploadFinished(bool ok, const QString& title, const QString& text);
    void deliver(GenerateMode mode, const QString& page);
    void fail(const QString& title, const QString& text, MsgIcon icon);
    void failGeneration();
    void restoreEditorTexts();

    SharedState& m_state;
    DesktopServices& m_ds;
    PreferencesWindowState m_prefsWindow;
    FileCommands m_files;
    std::unique_ptr<PictureUpload> m_upload;
    std::optional<GenerateMode> m_running;
};

} // namespace lw
