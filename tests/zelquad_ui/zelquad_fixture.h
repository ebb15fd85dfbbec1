// What the Zelquad window tests share: a dialog with its cache in a temporary
// folder, data files written there, scripted dialogs, and pictures saved for
// a person to look at when ZQ_SHOT_DIR names a folder.
#pragma once

#include "tests/support/fake_dialogs.h"
#include "zelquad/ui/main_form.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace zq::test {

class ZelquadTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a file of raw bytes in the temporary folder and returns its path.
    QString writeFile(const QString& name, const std::string& bytes) const;
    QString path(const QString& name) const { return folder.filePath(name); }
    std::string readBytes(const QString& name) const;

    // Fills the three boxes and clicks OK.
    void run(const QString& site, const QString& data, const QString& script);

    template <class T> T* child(const char* name) const
    {
        T* w = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    QTemporaryDir folder;
    std::unique_ptr<MainForm> form;
    kv::test::FakeDialogs& dialogs = kv::test::FakeDialogs::global();
    int programEnds = 0;
};

// A field survey of three joint sets and some scatter, as data file text.
std::string threeJointSets(int count);

// Saves the picture under ZQ_SHOT_DIR when that is set.
void saveShot(const QImage& image, const QString& name);

} // namespace zq::test
