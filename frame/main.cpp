// Kavrinol: the structural geology toolkit.
#include "attitude/ui/main_rose_window.h"
#include "frame/main_window.h"
#include "frame/module1.h"
#include "platform/ui/printer.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kavrinol"));
    if (QFontDatabase::families().contains(QStringLiteral("WenQuanYi Micro Hei")))
        QApplication::setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 9));
    kv::WindowRegistry::registerTool(QStringLiteral("mainrose"), [] { return new kv::MainRoseWindow; });
    kv::MainWindow* frame = kv::runMain();
    const int rc = app.exec();
    delete frame;
    return rc;
}
