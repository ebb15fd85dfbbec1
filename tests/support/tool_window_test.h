// What the window tests share, whatever window they drive: children and menu
// items reached by object name (a missing one fails the test), ink looked for
// near a point of a picture, pixels counted by colour, pictures of the window
// saved for a look by eye, a fresh folder for the files a test writes, and
// the set-up of windows beside a main-window stand-in.
#pragma once

#include "platform/ui/picture_box.h"
#include "tests/support/fake_dialogs.h"
#include "tests/support/fake_frame.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdint>
#include <gtest/gtest.h>

namespace kv::test {

// The window's child of that object name.
template <class Widget> Widget* namedChild(const QObject& parent, const QString& name)
{
    auto* w = parent.findChild<Widget*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

// The window's menu item of that object name.
template <class Window> QAction* menuItemOf(const Window& window, const char* name)
{
    QAction* action = window.menuItem(QString::fromLatin1(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
}

// Chooses the menu item as a user does.
template <class Window> void clickItem(const Window& window, const char* name)
{
    if (QAction* action = menuItemOf(window, name))
        action->trigger();
}

// A colour as PictureBox::point gives it (red in the low byte) as a QRgb.
inline QRgb rgbOf(std::int64_t colour)
{
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// Whether a pixel of the colour (as PictureBox::point gives it) lies within
// reach (user units, a pixel each) of the user point.
inline bool inkNear(const PictureBox& picture, double x, double y, std::int64_t colour, int reach = 1)
{
    for (int dx = -reach; dx <= reach; ++dx)
        for (int dy = -reach; dy <= reach; ++dy)
            if (picture.point(x + dx, y + dy) == colour)
                return true;
    return false;
}

// How many pixels of the image have the colour.
inline int pixelsOf(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

// The window as the user sees it, saved as a PNG of that name into the folder
// the environment variable names (for looking at by eye); nothing when unset.
inline void saveShot(QWidget& window, const char* folderVariable, const char* name)
{
    const QByteArray folder = qgetenv(folderVariable);
    if (folder.isEmpty())
        return;
    const QString path = QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(name));
    EXPECT_TRUE(window.grab().save(path)) << path.toStdString();
}

// The records "1,45" to "count,45", one a line: with 500, a file longer
// than a window's table of 499 rows.
inline QByteArray numberedRecords(int count)
{
    QByteArray records;
    for (int i = 1; i <= count; ++i)
        records += QByteArray::number(i) + ",45\r\n";
    return records;
}

// A folder for a test's files, removed with the test; fixtures take it in
// beside ::testing::Test and check dir_.isValid() in SetUp.
class TestFolder {
protected:
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QString writeFile(const char* name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << name;
        file.write(bytes);
        return file.fileName();
    }
    // The file's bytes, or "<missing>" when it cannot be read.
    static QByteArray readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir_;
};

// A test of tool windows beside a main-window stand-in (which receives the
// pointer readout): the scripted dialogs, emptied before and all used after,
// and a folder for files.
class FramedWindowTest : public ::testing::Test, protected TestFolder {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        dialogs().reset();
        setMainFrame(&frame_);
    }
    void TearDown() override
    {
        EXPECT_TRUE(dialogs().allAnswersTaken());
        setMainFrame(nullptr);
    }

    static FakeDialogs& dialogs() { return FakeDialogs::global(); }

    FakeFrame frame_;
};

} // namespace kv::test
