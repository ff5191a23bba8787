#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmAbout;
}

namespace lw {

class DesktopServices;

// The first system-information program on PATH; empty when there is none.
QString systemInfoProgram();

// The About box: name, version, revision, the program's folder, the maker's site and support
// address, and the system-information program.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    frmAbout(DesktopServices& ds, int revision, QWidget* parent = nullptr);
    ~frmAbout() override;

    void StartSysInfo();
    void Label2_Click();
    void Label3_Click();

private:
    DesktopServices& m_ds;
    std::unique_ptr<Ui::frmAbout> m_ui;
};

} // namespace lw
