// A picture tool window of the strain subsystem built from its catalogue row
// and shown beside a main-window stand-in (which receives the pointer
// readout), with what its tests share: the scripted dialogs, menu items by
// name, the window's picture and table, and a folder for files.
#pragma once

#include "platform/ui/data_grid.h"
#include "platform/ui/picture_box.h"
#include "tests/support/fake_dialogs.h"
#include "tests/support/fake_frame.h"
#include "tests/support/stand_in_plot_window.h"
#include "tests/support/tool_window_test.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QSize>
#include <gtest/gtest.h>
#include <string>

namespace kv::test {

template <class Window> class StrainWindowTest : public FramedWindowTest {
protected:
    // The window's catalogue name; a valid size is given to it before it shows.
    explicit StrainWindowTest(const char* row, QSize size = QSize()) : row_(row), size_(size) {}

    void SetUp() override
    {
        FramedWindowTest::SetUp();
        window_ = new Window(toolRow(row_));
        if (size_.isValid())
            window_->resize(size_);
        window_->show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        delete window_.data();
        FramedWindowTest::TearDown();
    }

    PictureBox* picture() const { return window_->picture(); }
    DataGrid* grid() const { return window_->grid(); }

    QAction* item(const char* name) const { return menuItemOf(*window_, name); }
    void click(const char* name) const { clickItem(*window_, name); }

    std::string fileText(const QString& file) const
    {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
        return f.readAll().toStdString();
    }
    void writeFile(const QString& file, const std::string& text) const
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.data(), static_cast<qint64>(text.size()));
    }

    QPointer<Window> window_;

private:
    const char* row_;
    QSize size_;
};

} // namespace kv::test
