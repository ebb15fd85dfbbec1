// Zelquad: writes the drawing sheet of a set of fracture attitudes as a CAD
// command script.
#include "platform/ui/interface_setup.h"
#include "zelquad/ui/main_form.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelquad"));
    kv::setUpInterface();
    zq::MainForm form;
    form.show();
    return app.exec();
}
