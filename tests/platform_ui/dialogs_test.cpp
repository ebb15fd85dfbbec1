// The file dialogs' filters: the old "description|pattern" pairs as Qt reads them.
#include "platform/ui/dialogs.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(Dialogs, OldFiltersBecomeQtFilters)
{
    EXPECT_EQ(qtFilterFromOld(QStringLiteral("位图文件(*.bmp)|*.bmp|所有文件|*.*")),
              QStringLiteral("位图文件(*.bmp) (*.bmp);;所有文件 (*.*)"));
    EXPECT_EQ(qtFilterFromOld(QStringLiteral("数据文件（*.txt;*.dat）|*.txt;*.dat|所有文件（*.*）|*.*")),
              QStringLiteral("数据文件（*.txt;*.dat） (*.txt *.dat);;所有文件（*.*） (*.*)"));
    EXPECT_EQ(qtFilterFromOld(QString()), QString());
}

} // namespace
} // namespace kv
