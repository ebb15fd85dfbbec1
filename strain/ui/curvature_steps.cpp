#include "strain/ui/curvature_steps.h"

#include "platform/ui/data_grid.h"
#include "platform/ui/picture_box.h"
#include "strain/core/thinning.h"
#include "strain/ui/picture_pixels.h"

#include <QPainter>
#include <QPoint>

namespace kv {

PixelMap binariseShownPicture(PictureBox& picture, int threshold, const PassProgress& progress)
{
    BinarisedImage binarised = binariseImage(picture.image(), threshold, progress);
    picture.setPicture(binarised.shown);
    return std::move(binarised.map);
}

bool thinShownPicture(PictureBox& picture, PixelMap& map, const PassProgress& progress)
{
    const ThinningStep step = thinOnce(map, progress);
    if (step.deleted.empty())
        return false;
    std::vector<QPoint> deleted;
    deleted.reserve(step.deleted.size());
    for (const PixelPos& p : step.deleted)
        deleted.emplace_back(p.x, p.y);
    picture.setStoredPixels(deleted, Qt::white);
    return true;
}

void resizeKeepingDrawing(PictureBox& plot, const QSize& size)
{
    if (plot.pictureSize() == size)
        return;
    QImage resized(size, QImage::Format_RGB32);
    resized.fill(Qt::white);
    QPainter(&resized).drawImage(0, 0, plot.image());
    plot.setPicture(resized);
}

void fillCurvatureTable(DataGrid& grid, const std::vector<CurvatureRow>& rows)
{
    grid.setRowCount(static_cast<int>(rows.size()));
    std::vector<QStringList> texts;
    texts.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        texts.push_back({QString::number(i + 1), QString::fromStdString(rows[i].xText()),
                         QString::fromStdString(rows[i].heightText()),
                         QString::fromStdString(rows[i].curvatureText())});
    grid.setTextRows(1, texts);
}

} // namespace kv
