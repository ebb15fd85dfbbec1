// Kavrinol: the structural geology toolkit.
#include "app/kavrinol_tools.h"
#include "frame/main_window.h"
#include "frame/startup.h"
#include "platform/ui/interface_setup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kavrinol"));
    kv::setUpInterface();
    kv::MainWindow* frame = kv::runMain(kv::kavrinolTools());
    const int rc = app.exec();
    delete frame;
    return rc;
}
