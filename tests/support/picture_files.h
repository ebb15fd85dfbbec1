// Synthetic pictures written as files, for window tests that open them
// through the open-picture dialog as a user would.
#pragma once

#include "strain/core/pixel_image.h"
#include "tests/support/pixel_pictures.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kv::test {

// Writes the pixels as a 24-bit BMP in the folder; fails the test when it can't.
inline QString writeBmpFile(const QTemporaryDir& dir, const char* name, const PixelImage& pixels)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    EXPECT_TRUE(qImageOf(pixels).save(path, "BMP")) << name;
    return path;
}

} // namespace kv::test
