#include "platform/ui/help_viewer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

namespace kv {

namespace {

QPointer<QTextBrowser> theHelp;
QString startPageName = QStringLiteral("index.html");
QString helpTitle = QStringLiteral("Kavrinol 帮助");

class HelpKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_F1) {
                openHelp();
                return true;
            }
        }
        return false;
    }
};

} // namespace

void setHelpBook(const QString& pageName, const QString& windowTitle)
{
    startPageName = pageName;
    helpTitle = windowTitle;
    if (theHelp)
        theHelp->setWindowTitle(helpTitle);
}

QString helpStartPage()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help/") + startPageName);
}

void installHelpKey()
{
    static HelpKeyFilter* filter = nullptr;
    if (!filter) {
        filter = new HelpKeyFilter(qApp);
        qApp->installEventFilter(filter);
    }
}

void openHelp()
{
    if (!theHelp) {
        theHelp = new QTextBrowser;
        theHelp->setObjectName(QStringLiteral("HelpViewer"));
        theHelp->setAttribute(Qt::WA_DeleteOnClose);
        theHelp->setWindowTitle(helpTitle);
        theHelp->setOpenExternalLinks(false);
        theHelp->resize(720, 560);
    }
    const QString page = helpStartPage();
    if (QFileInfo::exists(page))
        theHelp->setSource(QUrl::fromLocalFile(page));
    else
        theHelp->setHtml(QStringLiteral("<p>找不到帮助文件：%1</p>").arg(page.toHtmlEscaped()));
    theHelp->show();
    theHelp->raise();
    theHelp->activateWindow();
}

void sendHelpKey()
{
    QWidget* target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow();
    if (!target) {
        openHelp();
        return;
    }
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier));
}

QTextBrowser* helpWindow() { return theHelp; }

} // namespace kv
