#pragma once

#include "generator/generator_input.h"
#include "preview/preview_host.h"

#include <QObject>

#include <functional>
#include <memory>

class QWidget;

namespace lw {

class DesktopServices;
class PreviewJob;
class SharedState;

// The program's side of the live preview: it follows every change of the models that the page is
// made from, takes a snapshot once the change is complete (after the event that made it), has the
// job make the pages and hands them to the window from the browser module.
class PreviewLink : public QObject, public PreviewHost
{
    Q_OBJECT
public:
    struct Calls
    {
        // What Generate would read now (its template text is ignored: the job reads the file).
        std::function<GeneratorInput()> snapshot;
        std::function<void()> openCheckWindow;
    };

    PreviewLink(SharedState& state, DesktopServices& ds, Calls calls, QObject* parent = nullptr);
    ~PreviewLink() override;

    // The window, its module loaded the first time; nullptr with the reason in `error` when the
    // module cannot be loaded.
    PreviewWindow* window(QWidget* parent, QString* error);
    // The window when it was made, else nullptr.
    PreviewWindow* existingWindow() const { return m_window.get(); }
    // Something the page is made from changed outside the models (the footer marker).
    void refresh();

    void previewVisible(bool visible) override;
    void openCheckWindow() override { m_calls.openCheckWindow(); }
    void openAddress(const QString& address) override;

    // Snapshots handed to the job so far.
    quint64 requests() const { return m_serial; }

private:
    void send();

    SharedState& m_state;
    DesktopServices& m_ds;
    Calls m_calls;
    std::unique_ptr<PreviewJob> m_job;
    std::unique_ptr<PreviewWindow> m_window;
    bool m_visible = false;
    bool m_scheduled = false;
    quint64 m_serial = 0;
};

// The message the seller sees when the module cannot be loaded.
QString previewModuleMissingText(const QString& error);

} // namespace lw
