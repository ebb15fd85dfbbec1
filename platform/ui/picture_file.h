// Picture files the picture tools load: BMP, JPEG, GIF, PNG and the other
// formats this system's image readers know, and Windows metafiles (WMF and
// EMF), drawn at their own size.
#pragma once

#include <QImage>
#include <QString>

namespace kv {

enum class PictureFault {
    None,
    CannotOpen,  // missing, not a regular file, no permission
    NotAPicture, // no reader knows it, it is damaged, or it claims more pixels than memory holds
};

struct PictureRead {
    QImage image; // null unless fault is None
    PictureFault fault = PictureFault::None;
};

PictureRead readPictureFile(const QString& path);

// The open dialog's filter of the picture tools.
QString pictureOpenFilter();

// What to tell the user when a picture can't be loaded.
QString pictureFaultMessage(PictureFault fault);

} // namespace kv
