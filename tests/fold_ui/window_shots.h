// Pictures of the windows as the user sees them, for looking at by eye: with
// KV_FOLD_SHOTS set to a folder, saveShot writes the window there as a PNG.
#pragma once

#include <QDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace kv::test {

inline void saveShot(QWidget* window, const char* name)
{
    const QByteArray folder = qgetenv("KV_FOLD_SHOTS");
    if (folder.isEmpty())
        return;
    const QString path = QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(name));
    EXPECT_TRUE(window->grab().save(path)) << path.toStdString();
}

} // namespace kv::test
