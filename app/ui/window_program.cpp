#include "app/ui/window_program.h"

#include "adfile/recovery.h"
#include "app/password_keeper.h"
#include "app/program.h"
#include "app/ui/frm_main.h"
#include "core/models/shared_state.h"
#include "pictures/address_check.h"
#include "pictures/curl_upload.h"
#include "pictures/picture_preparation.h"
#include "support/ui/qt_desktop_services.h"
#include "support/ui/window_places.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <utility>

namespace lw {

namespace {

// Runs `then` once the desktop has put the window in its place, so that a question asked then sits
// over it; a window that never shows (started minimised) gets it a moment later all the same.
class OnceOnScreen : public QObject
{
public:
    OnceOnScreen(QWidget* window, std::function<void()> then) : QObject(window), m_then(std::move(then))
    {
        QWindow* handle = window->windowHandle();
        if (!handle || handle->isExposed()) {
            QTimer::singleShot(0, this, &OnceOnScreen::run);
            return;
        }
        handle->installEventFilter(this);
        QTimer::singleShot(2000, this, &OnceOnScreen::run);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed())
            QTimer::singleShot(0, this, &OnceOnScreen::run);
        return false;
    }

private:
    void run()
    {
        if (!m_then)
            return;
        const std::function<void()> then = std::exchange(m_then, nullptr);
        deleteLater();
        then();
    }

    std::function<void()> m_then;
};

} // namespace

WindowProgram::WindowProgram(DesktopServices* ds)
    : m_desktop(ds ? nullptr : std::make_unique<QtDesktopServices>()), m_ds(ds ? *ds : *m_desktop),
      m_state(std::make_unique<SharedState>()), m_program(std::make_unique<Program>(*m_state, m_ds)),
      m_places(std::make_unique<WindowPlaces>(WindowPlaces::defaultPath()))
{
    m_program->setPictureUpload(std::make_unique<CurlUpload>());
    m_program->setPicturePreparation(std::make_unique<PicturePreparation>());
    m_program->setAddressCheck(std::make_unique<AddressCheck>());
    m_places->read();
    m_window = std::make_unique<frmMain>(*m_program, m_ds);
    m_window->usePlaces(*m_places);
    if (m_desktop)
        m_desktop->setOwner(m_window.get());
}

WindowProgram::~WindowProgram() = default;

void WindowProgram::start(const QString& adFile, std::function<void()> shown)
{
    m_keeper = std::make_unique<PasswordKeeper>(*m_state);
    // The keyring answers before the window shows, so that the start-up finds the passwords.
    QObject::connect(m_keeper.get(), &PasswordKeeper::ready, m_window.get(), [this, adFile, shown] {
        show(adFile);
        if (shown)
            shown();
    });
    // Started from the event loop, so that an answer that comes at once still finds it running.
    QTimer::singleShot(0, m_keeper.get(), [this] { m_keeper->start(); });
}

void WindowProgram::finishKeyring()
{
    if (!m_keeper || m_keeper->isIdle())
        return;
    QObject::connect(m_keeper.get(), &PasswordKeeper::idle, qApp, &QCoreApplication::quit);
    QTimer::singleShot(10000, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
}

void WindowProgram::show(const QString& adFile)
{
    m_recovery = std::make_unique<Recovery>(*m_state, m_program->files(), m_ds);
    QString error;
    if (m_recovery->start(&error)) {
        QObject::connect(m_recovery.get(), &Recovery::copyProblem, m_window.get(),
                         &frmMain::showRecoveryProblem);
        QObject::connect(m_window.get(), &frmMain::closed, m_recovery.get(), &Recovery::discard);
    } else {
        m_recovery.reset();
        m_window->showRecoveryProblem(error);
    }
    m_window->show();
    // The window shows first, so messages of the start-up have an owner.
    QTimer::singleShot(0, m_window.get(), [this, adFile] {
        m_window->Form_Load(adFile);
        new OnceOnScreen(m_window.get(), [this] {
            if (m_recovery)
                m_recovery->offerCopies();
            // The live preview left open last time, once the window is up and its start-up done, so
            // that the window appears as fast as without it.
            QTimer::singleShot(0, m_window.get(), [this] { m_window->reopenWindows(); });
        });
    });
}

} // namespace lw
