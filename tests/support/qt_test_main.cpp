// Entry of the Qt test programs: one QApplication per process, offscreen unless
// a platform was chosen, and the scripted dialogs installed so no test waits
// for a person.
#include "tests/support/fake_dialogs.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    kv::test::FakeDialogs fake;
    kv::installDialogs(&fake);
    kv::test::FakeDialogs::setGlobal(&fake);
    const int rc = RUN_ALL_TESTS();
    kv::installDialogs(nullptr);
    return rc;
}
