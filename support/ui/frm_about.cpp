#include "support/ui/frm_about.h"

#include "core/desktop_services.h"
#include "core/hosts.h"
#include "core/install_folder.h"
#include "support/ui/form_support.h"
#include "support/ui/ui_frm_about.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace lw {

QString systemInfoProgram()
{
    // The desktops' own information centres first, then the stand-alone ones.
    static const QStringList programs = {u"kinfocenter"_s, u"hardinfo2"_s, u"hardinfo"_s,
                                         u"gnome-system-monitor"_s, u"lshw-gtk"_s};
    // An empty PATH means no folder to look in, not the current one.
    const QStringList folders = qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    if (folders.isEmpty())
        return {};
    for (const QString& name : programs)
        if (const QString path = QStandardPaths::findExecutable(name, folders); !path.isEmpty())
            return path;
    return {};
}

frmAbout::frmAbout(DesktopServices& ds, int revision, QWidget* parent)
    : QDialog(parent), m_ds(ds), m_ui(std::make_unique<Ui::frmAbout>())
{
    m_ui->setupUi(this);
    new OwnedWindowWatcher(this);
    const QIcon icon(installPath(u"graphics/Listwright.svg"_s));
    m_ui->Image1->setPixmap(icon.pixmap(m_ui->Image1->size(), devicePixelRatioF()));
    m_ui->lblRevision->setText(u"Revision: "_s + QString::number(revision));
    m_ui->lblDirectory->setText(u"Program Directory: "_s + QDir::toNativeSeparators(installFolder()));
    const Hosts& hosts = Hosts::current();
    m_ui->Label2->setText(u"<a href=\"#\">"_s + hosts.maker.toHtmlEscaped() + u"</a>"_s);
    m_ui->Label3->setText(u"<a href=\"#\">"_s + hosts.supportEmail.toHtmlEscaped() + u"</a>"_s);
    connect(m_ui->Label2, &QLabel::linkActivated, this, &frmAbout::Label2_Click);
    connect(m_ui->Label3, &QLabel::linkActivated, this, &frmAbout::Label3_Click);
    connect(m_ui->cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

frmAbout::~frmAbout() = default;

void frmAbout::StartSysInfo()
{
    const QString program = systemInfoProgram();
    if (program.isEmpty() || !m_ds.startProgram(program))
        m_ds.messageBox(u"System Information Is Unavailable At This Time"_s, MsgButtons::Ok);
}

void frmAbout::Label2_Click()
{
    openPage(m_ds, Hosts::current().makerSite());
}

void frmAbout::Label3_Click()
{
    openPage(m_ds, u"mailto:"_s + Hosts::current().supportEmail);
}

} // namespace lw
