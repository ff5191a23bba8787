#pragma once

#include "adfile/file_commands.h"
#include "app/generation_job.h"
#include "core/desktop_services.h"
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
class PicturePreparation;
class AddressCheck;
struct PictureAddress;

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

    // Starts a generation from a snapshot of the ad as it is now (GenerationJob). Its outcome comes
    // as generated() or failed(), after the upload when there is one, at once (before this returns)
    // when there is none. A second start while one runs is ignored.
    void startGenerate(GenerateMode mode);
    bool isGenerating() const { return m_job.has_value(); }
    // The generation under way, nullptr when none runs.
    const GenerationJob* job() const { return m_job ? &*m_job : nullptr; }
    // Pictures are on their way to the seller's server.
    bool isUploading() const;
    // Stops the upload as its Abort button does, without the message: the program is ending.
    void stopUploadForQuit();
    // The upload Generate runs when FTP upload is on; without one such a Generate fails.
    void setPictureUpload(std::unique_ptr<PictureUpload> upload);
    PictureUpload* pictureUpload() const { return m_upload.get(); }
    // Makes the pictures ready for the web before they go, when the preferences ask for it; without
    // one they go as they are.
    void setPicturePreparation(std::unique_ptr<PicturePreparation> preparation);
    PicturePreparation* picturePreparation() const { return m_prepare.get(); }
    // Asks for the uploaded pictures at their web addresses before the page is made, and lets the
    // seller decide when some are not there; without one nothing is asked.
    void setAddressCheck(std::unique_ptr<AddressCheck> check);
    AddressCheck* addressCheck() const { return m_check.get(); }

    void mnuOptionsGenerate_Click() { startGenerate(GenerateMode::Generate); }
    void mnuOptionsPreview_Click() { startGenerate(GenerateMode::Preview); }
    // The weight check of both commands; false after its message.
    bool weightCheck();
    QString GetTmpPath();
    // The closing question; false when the seller's work must stay and the window with it.
    bool queryClose() { return m_files.queryClose(); }

    // The ad, preferences, pictures and backgrounds as they are now, with the template last loaded.
    GeneratorInput generatorInput(bool preview = false) const;
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
    void preparationFinished(bool ok, const QString& title, const QString& text);
    void uploadFinished(bool ok, const QString& title, const QString& text);
    void checkFinished(const QList<PictureAddress>& addresses);
    // The upload, its preparation or its check ended the generation: its message, unless the
    // program is ending.
    void failUpload(const QString& title, const QString& text);
    void deliver(GenerateMode mode, const QString& page);
    void fail(const QString& title, const QString& text, MsgIcon icon);
    void failGeneration();
    void restoreEditorTexts();

    SharedState& m_state;
    DesktopServices& m_ds;
    PreferencesWindowState m_prefsWindow;
    FileCommands m_files;
    std::unique_ptr<PictureUpload> m_upload;
    std::unique_ptr<PicturePreparation> m_prepare;
    std::unique_ptr<AddressCheck> m_check;
    std::optional<GenerationJob> m_job;
};

} // namespace lw
