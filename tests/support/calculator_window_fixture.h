// A calculator window (boxes Text1, Text2 ... and push buttons) opened from the
// main window's task chooser as a user opens it, with what its tests share:
// boxes by number, buttons by caption, typing, and a folder for files.
#pragma once

#include "tests/support/main_window_fixture.h"
#include "tests/support/tool_window_test.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <array>
#include <cstddef>

namespace kv::test {

template <class Window> class CalculatorWindowTest : public MainWindowTest, protected TestFolder {
protected:
    // The chooser's task index of the window and the window's registry name.
    CalculatorWindowTest(int task, const char* name) : task_(task), name_(name) {}

    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(dir_.isValid());
        chooser()->image1Click(task_);
        chooser()->okClick();
        QApplication::processEvents();
        window_ = qobject_cast<Window*>(frame->registry().find(QString::fromLatin1(name_)));
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override
    {
        EXPECT_TRUE(dialogs().allAnswersTaken());
        MainWindowTest::TearDown();
    }

    static FakeDialogs& dialogs() { return FakeDialogs::global(); }
    template <class W = QLineEdit> W* child(const QString& name) const
    {
        return namedChild<W>(*window_, name);
    }
    QLineEdit* box(int k) const { return child(QStringLiteral("Text%1").arg(k)); }
    QPushButton* button(const char* caption) const
    {
        for (QPushButton* b : window_->template findChildren<QPushButton*>())
            if (b->text() == QString::fromUtf8(caption))
                return b;
        ADD_FAILURE() << "no button " << caption;
        return nullptr;
    }
    void press(const char* caption) const
    {
        if (QPushButton* b = button(caption))
            QTest::mouseClick(b, Qt::LeftButton);
    }
    // Types the texts into Text1, Text2 ... as the user does, each box emptied first.
    template <std::size_t N> void typeIntoBoxes(const std::array<const char*, N>& texts) const
    {
        for (std::size_t k = 0; k < N; ++k) {
            QLineEdit* b = box(static_cast<int>(k) + 1);
            b->clear();
            QTest::keyClicks(b, QString::fromUtf8(texts[k]));
        }
    }

    Window* window_ = nullptr;

private:
    int task_;
    const char* name_;
};

} // namespace kv::test
