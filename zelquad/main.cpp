// Zelquad: writes the drawing sheet of a set of fracture attitudes as a CAD
// command script.
#include "zelquad/ui/main_form.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelquad"));
    if (QFontDatabase::families().contains(QStringLiteral("WenQuanYi Micro Hei")))
        QApplication::setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 9));
    zq::MainForm form;
    form.show();
    return app.exec();
}
