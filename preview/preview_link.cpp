#include "preview/preview_link.h"

#include "core/desktop_services.h"
#include "core/models/shared_state.h"
#include "preview/preview_job.h"
#include "submission/submission_loader.h"

#include <QTimer>

using namespace Qt::StringLiterals;

namespace lw {

PreviewLink::PreviewLink(SharedState& state, DesktopServices& ds, Calls calls, QObject* parent)
    : QObject(parent), m_state(state), m_ds(ds), m_calls(std::move(calls)),
      m_job(std::make_unique<PreviewJob>())
{
    // Every model the page is made from; the snapshot follows once the change is complete. Any edit
    // of what the ad file keeps says so through `edited`; a whole ad read from its file through the
    // fields' own signals.
    const auto changed = [this] { refresh(); };
    AdRecord& ad = state.ad;
    connect(&ad, &AdRecord::edited, this, changed);
    connect(&ad, &AdRecord::textChanged, this, changed);
    connect(&ad, &AdRecord::effectChanged, this, changed);
    connect(&ad, &AdRecord::colorChanged, this, changed);
    connect(&ad, &AdRecord::includeOptionalChanged, this, changed);
    connect(&ad, &AdRecord::letterStyleChanged, this, changed);
    connect(&state.prefs, &Preferences::changed, this, changed);
    connect(&state.prefs, &Preferences::termsColorChanged, this, changed);
    connect(&state.prefs, &Preferences::termsSizeChanged, this, changed);
    connect(&state.prefs, &Preferences::pictureTargetChanged, this, changed);
    connect(&state.templates, &TemplateCatalogue::filesChanged, this, changed);
    connect(&state.templates, &TemplateCatalogue::selectionChanged, this, changed);
    connect(&state.tables, &TableBackgrounds::changed, this, changed);
    connect(&state.pictures, &PictureList::textChanged, this, changed);
    connect(&state.pictures, &PictureList::slotStateChanged, this, changed);
    connect(&state.pictures, &PictureList::thumbSizeChanged, this, changed);
    connect(&state, &SharedState::colorsRefreshed, this, changed);

    connect(m_job.get(), &PreviewJob::pageMade, this, [this](const PreviewContent& content) {
        if (m_window)
            m_window->showContent(content);
    });
    connect(m_job.get(), &PreviewJob::findingsMade, this, [this](quint64, const QString& line) {
        if (m_window)
            m_window->showFindings(line);
    });
}

PreviewLink::~PreviewLink()
{
    // The window goes before the host it calls, the job before the window it feeds.
    m_job.reset();
    m_window.reset();
}

PreviewWindow* PreviewLink::window(QWidget* parent, QString* error)
{
    if (m_window)
        return m_window.get();
    // The browser module holds both windows; the submission's loader knows where it lies.
    const auto create =
        reinterpret_cast<CreatePreviewWindow>(browserModuleEntry(CreatePreviewWindowSymbol, error));
    if (!create)
        return nullptr;
    m_window.reset(create(*this, parent));
    return m_window.get();
}

void PreviewLink::previewVisible(bool visible)
{
    m_visible = visible;
    if (visible)
        refresh();
}

void PreviewLink::openAddress(const QString& address)
{
    openPage(m_ds, address);
}

void PreviewLink::refresh()
{
    // Many changes of one command or keystroke make one snapshot, taken when they are all done.
    if (!m_visible || m_scheduled)
        return;
    m_scheduled = true;
    QTimer::singleShot(0, this, &PreviewLink::send);
}

void PreviewLink::send()
{
    m_scheduled = false;
    if (!m_visible)
        return;
    PreviewRequest request;
    request.serial = ++m_serial;
    request.input = m_calls.snapshot();
    const QString file = m_state.templates.selectedFile();
    request.templatePath = file.isEmpty() ? QString() : m_state.templates.folder() + u'/' + file;
    m_job->request(std::move(request));
}

QString previewModuleMissingText(const QString& error)
{
    return u"The live preview could not be opened, because its part of Listwright could not be loaded:\r\n\r\n"_s +
           error +
           u"\r\n\r\nPlease reinstall Listwright.  Until then Preview Ad (F11) shows the ad in your web browser."_s;
}

} // namespace lw
