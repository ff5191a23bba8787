#include "support/ui/qt_desktop_services.h"
#include "updater/ui/frm_updater_main.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Updater"_s);
    lw::QtDesktopServices ds;
    lw::frmUpdaterMain window(ds);
    ds.setOwner(&window);
    if (!window.Form_Load())
        return 0;
    window.show();
    return app.exec();
}
