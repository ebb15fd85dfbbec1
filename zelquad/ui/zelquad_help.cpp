#include "zelquad/ui/zelquad_help.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

namespace zq {

namespace {

QPointer<QTextBrowser> theHelp;

class HelpKey : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
            openHelp();
            return true;
        }
        return false;
    }
};

} // namespace

QString helpPage()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help/zelquad.html"));
}

void installHelpKey()
{
    static HelpKey* key = nullptr;
    if (!key) {
        key = new HelpKey(qApp);
        qApp->installEventFilter(key);
    }
}

void openHelp()
{
    if (!theHelp) {
        theHelp = new QTextBrowser;
        theHelp->setObjectName(QStringLiteral("HelpViewer"));
        theHelp->setAttribute(Qt::WA_DeleteOnClose);
        theHelp->setWindowTitle(QStringLiteral("Zelquad 帮助"));
        theHelp->resize(640, 520);
    }
    const QString page = helpPage();
    if (QFileInfo::exists(page))
        theHelp->setSource(QUrl::fromLocalFile(page));
    else
        theHelp->setHtml(QStringLiteral("<p>找不到帮助文件：%1</p>").arg(page.toHtmlEscaped()));
    theHelp->show();
    theHelp->raise();
    theHelp->activateWindow();
}

QTextBrowser* helpWindow() { return theHelp; }

} // namespace zq
