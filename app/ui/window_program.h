#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace lw {

class DesktopServices;
class frmMain;
class PasswordKeeper;
class Program;
class QtDesktopServices;
class Recovery;
class SharedState;
class WindowPlaces;

// The program as a seller starts it: the shared state, the program's logic with its picture
// upload, the main window with the places kept from the last run, and the recovery copies of the
// ad. main() builds this one object, and so do the tests that run the whole program.
class WindowProgram
{
public:
    // ds nullptr: the desktop's own message boxes and dialogs.
    explicit WindowProgram(DesktopServices* ds = nullptr);
    ~WindowProgram();
    WindowProgram(const WindowProgram&) = delete;
    WindowProgram& operator=(const WindowProgram&) = delete;

    // Asks the keyring for the passwords, then shows the window (and calls `shown`); from the event
    // loop, its start-up opens the ad named (if any), and then the recovery copies that programs
    // left behind are offered and the live preview left open opens again.
    void start(const QString& adFile, std::function<void()> shown = {});
    // After the event loop: lets a password saved last arrive in the keyring (its line is already
    // empty), for at most 10 seconds.
    void finishKeyring();

    frmMain& window() { return *m_window; }
    SharedState& state() { return *m_state; }
    Program& program() { return *m_program; }
    // nullptr when no copies can be kept (the status line says why).
    Recovery* recovery() { return m_recovery.get(); }

private:
    std::unique_ptr<QtDesktopServices> m_desktop;
    DesktopServices& m_ds;
    std::unique_ptr<SharedState> m_state;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<WindowPlaces> m_places;
    std::unique_ptr<frmMain> m_window;
    std::unique_ptr<Recovery> m_recovery;
    std::unique_ptr<PasswordKeeper> m_keeper;

    void show(const QString& adFile);
};

} // namespace lw
