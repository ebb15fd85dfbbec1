#include "platform/ui/interface_setup.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

namespace kv {

void setUpInterface()
{
    if (QFontDatabase::families().contains(QStringLiteral("WenQuanYi Micro Hei")))
        QApplication::setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 9));
    installQtChinese(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QTranslator* installQtChinese(const QString& folder)
{
    // "qt_zh_CN" gathers the translations of every Qt module installed; some
    // systems ship only the base module's.
    auto* translator = new QTranslator(QCoreApplication::instance());
    for (const char* name : {"qt_zh_CN", "qtbase_zh_CN"})
        if (translator->load(QLatin1String(name), folder) && QCoreApplication::installTranslator(translator))
            return translator;
    delete translator;
    return nullptr;
}

} // namespace kv
