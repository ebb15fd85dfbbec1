#include "strain/ui/grid_picture_switch.h"

#include "platform/ui/data_grid.h"
#include "platform/ui/picture_box.h"

#include <QAction>

namespace kv {

QString browseGridCaption() { return QStringLiteral("网格浏览"); }
QString showPictureCaption() { return QStringLiteral("显示图片"); }

void switchGridPicture(QAction* item, PictureBox* picture, DataGrid* grid)
{
    if (item->text() != showPictureCaption()) {
        item->setText(showPictureCaption());
        picture->hide();
        grid->show();
    } else {
        item->setText(browseGridCaption());
        picture->show();
        grid->hide();
    }
}

} // namespace kv
