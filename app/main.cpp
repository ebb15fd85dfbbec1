// Kavrinol: the structural geology toolkit.
#include "app/kavrinol_tools.h"
#include "frame/main_window.h"
#include "frame/startup.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kavrinol"));
    if (QFontDatabase::families().contains(QStringLiteral("WenQuanYi Micro Hei")))
        QApplication::setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 9));
    kv::MainWindow* frame = kv::runMain(kv::kavrinolTools());
    const int rc = app.exec();
    delete frame;
    return rc;
}
