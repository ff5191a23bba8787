#pragma once

#include "adfile/file_commands.h"
#include "generator/generator_input.h"
#include "settings/preferences_commands.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace lw {

class SharedState;
class DesktopServices;

// The main window's logic without the window: start-up, new_file, the
// generator commands and the File commands, over the shared state. The window
// and the headless command both drive this one object.
class Program
{
public:
    Program(SharedState& state, DesktopServices& ds);

    // Start-up steps: update-check date, footer marker, new ad, template,
    // settings, submission settings, effect fragments, then the command-line ad.
    // False when a command-line ad was named and could not be opened.
    bool startup(const QString& commandLine, const QDateTime& now = QDateTime::currentDateTime());

    void new_file();
    // Reads the selected template into TemplateText; false when it cannot be read.
    bool loadTemplate(QString* error = nullptr);
    // MarqueeTags and PageExtras from the current music address.
    void buildEffectFragments();

    // Generates into TemplateText; reports its own failures.
    bool Convert();
    // The weight check of both commands; false after its message.
    bool weightCheck();
    // True when a new ad was put on the clipboard.
    bool mnuOptionsGenerate_Click();
    // writeAndOpen false: generate the preview page into TemplateText only.
    bool mnuOptionsPreview_Click(bool writeAndOpen = true);
    QString GetTmpPath();
    // The closing question; false when the seller cancelled and the window stays.
    bool queryClose();

    // The picture upload of Generate. Returns false when it was aborted or
    // failed (and has told the seller). Without one, Generate with FTP upload
    // on fails rather than producing an ad with local picture paths.
    std::function<bool()> uploadPictures;
    // Shows "Status: Generating Ad..." in the submission window.
    std::function<void()> showGeneratingStatus;

    GeneratorInput generatorInput() const;
    FileCommands& files() { return m_files; }
    PreferencesWindowState& preferencesWindow() { return m_prefsWindow; }
    SharedState& state() { return m_state; }

private:
    void showGenerationError();
    void restoreEditorTexts();

    SharedState& m_state;
    DesktopServices& m_ds;
    PreferencesWindowState m_prefsWindow;
    FileCommands m_files;
};

} // namespace lw
