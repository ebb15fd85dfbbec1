#include "strain/ui/tool_picture.h"

#include "kit/plot_window.h"
#include "platform/ui/cursor_guard.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/picture_box.h"
#include "platform/ui/picture_file.h"

#include <QWidget>

namespace kv {

bool loadToolPicture(QWidget* window, PictureBox* picture, const ToolPictureLoad& how)
{
    const QString path = dialogs().openFileName(window, pictureOpenFilter(), how.dialogTitle);
    if (path.isEmpty())
        return false;
    PictureRead read;
    {
        BusyCursor busy;
        read = readPictureFile(path, how.fits);
    }
    if (read.fault == PictureFault::Unfit) {
        if (how.tooLarge)
            how.tooLarge();
        return false;
    }
    if (read.fault != PictureFault::None) {
        dialogs().message(window, pictureFaultMessage(read.fault), QStringLiteral("提示"));
        return false;
    }
    picture->setPicture(read.image);
    centrePictureBox(window, picture);
    return true;
}

void centrePictureBox(QWidget* window, PictureBox* picture)
{
    picture->move(pictureCorner(window->size(), picture->size()));
}

} // namespace kv
