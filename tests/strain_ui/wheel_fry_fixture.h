// What the reverse-wheel and Fry window tests share: synthetic pictures
// written as BMP files for the open dialog, menu items reached by name, and
// the main-window stand-in that receives the pointer readout.
#pragma once

#include "kit/tool_window.h"
#include "platform/ui/frame_services.h"
#include "strain/core/pixel_image.h"
#include "tests/support/fake_dialogs.h"
#include "tests/support/fake_frame.h"
#include "tests/support/tool_window_test.h"

#include <QAction>
#include <QImage>
#include <gtest/gtest.h>

namespace kv::test {

inline QImage toQImage(const PixelImage& pixels)
{
    QImage image(pixels.width, pixels.height, QImage::Format_RGB32);
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x) {
            const std::uint32_t c = pixels.at(x, y);
            image.setPixel(x, y, qRgb(redOf(c), greenOf(c), blueOf(c)));
        }
    return image;
}

class PictureWindowTest : public FramedWindowTest {
protected:
    QString writeBmp(const char* name, const PixelImage& pixels) const
    {
        const QString file = path(name);
        EXPECT_TRUE(toQImage(pixels).save(file, "BMP"));
        return file;
    }

    static QAction* item(const ToolWindow& window, const char* name) { return menuItemOf(window, name); }
    static void click(const ToolWindow& window, const char* name) { clickItem(window, name); }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto& m : dialogs().messages)
            texts << m.text;
        return texts;
    }
};

} // namespace kv::test
