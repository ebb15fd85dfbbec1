#include "kit/plot_commands.h"

#include "platform/ui/data_grid.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/frame_services.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/picture_box.h"
#include "platform/ui/printer.h"
#include "kit/tool_window.h"

#include <QAction>
#include <QEvent>

namespace kv {

namespace {

// Watches a window's closing, however it is closed, and gives panel 3 back to
// the Num Lock indicator.
class Panel3ResetOnClose : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close) {
            if (FrameServices* frame = mainFrame())
                frame->resetPanel3();
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QString pictureNotSavedText()
{
    return QStringLiteral("图像文件无法保存！");
}

void closeToolWindow(ToolWindow* window, const PlotTraits& traits)
{
    if (traits.resetsPanel3OnClose) {
        if (FrameServices* frame = mainFrame())
            frame->resetPanel3();
    }
    window->unload();
}

void resetPanel3OnClosing(ToolWindow* window, const PlotTraits& traits)
{
    if (traits.resetsPanel3OnClose)
        window->installEventFilter(new Panel3ResetOnClose(window));
}

void printDiagram(QWidget* window, PictureBox* picture, const PlotTraits& t)
{
    if (t.printsOnlyShownPicture && picture->isHidden())
        return;
    // Each print is a document of one page, sent at once, so what the user
    // printed comes out now and never lands on another window's page.
    Printer& printer = Printer::instance();
    const bool printed = printer.drawPicture(picture->image(), 500, 500) && printer.endDocument();
    if (!printed)
        dialogs().message(window, QString::fromUtf8(t.printFailureText), QString::fromUtf8(t.printFailureTitle));
}

void saveDiagramPicture(QWidget* window, PictureBox* picture, const PlotTraits& traits)
{
    const QString name = dialogs().saveFileName(window, QString::fromUtf8(traits.pictureFilter),
                                                QString::fromUtf8(traits.pictureSaveTitle));
    if (name.isEmpty())
        return;
    if (!picture->saveBmp(name))
        dialogs().message(window, pictureNotSavedText(), QStringLiteral("提示"));
}

void showDataView(PictureBox* picture, DataGrid* grid)
{
    picture->hide();
    grid->show();
}

void showPictureView(PictureBox* picture, DataGrid* grid)
{
    picture->show();
    grid->hide();
}

void setDataBrowse(QAction* dataBrowse, PictureBox* picture, DataGrid* grid, bool tableShown)
{
    dataBrowse->setChecked(tableShown);
    picture->setVisible(!tableShown);
    grid->setVisible(tableShown);
}

void showTableHidingFrame(DataGrid* grid, QWidget* pictureFrame)
{
    grid->show();
    pictureFrame->hide();
}

void showToolHelp()
{
    if (FrameServices* frame = mainFrame())
        frame->showHelpContents();
    else
        sendHelpKey();
}

void showToolAbout()
{
    if (FrameServices* frame = mainFrame())
        frame->showAboutBox();
}

} // namespace kv
