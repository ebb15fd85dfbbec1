// Picture files that are not what their headers claim: larger than memory,
// or cut short. Shared by the picture reader's tests and the picture windows'.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QtEndian>
#include <gtest/gtest.h>

namespace kv::test {

// A small JPEG whose frame header claims width x height pixels (at most
// 65500 a side, the reader's own limit).
inline QByteArray jpegClaiming(int width, int height)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    const qsizetype frame = jpeg.indexOf("\xFF\xC0"); // baseline frame header: precision, height, width
    if (frame < 0) {
        ADD_FAILURE() << "no baseline frame header";
        return jpeg;
    }
    qToBigEndian<quint16>(quint16(height), jpeg.data() + frame + 5);
    qToBigEndian<quint16>(quint16(width), jpeg.data() + frame + 7);
    return jpeg;
}

// The first share of the bytes, as a copy broken off or a download stopped.
inline QByteArray cutShort(const QByteArray& bytes, double share)
{
    return bytes.left(qsizetype(double(bytes.size()) * share));
}

} // namespace kv::test
