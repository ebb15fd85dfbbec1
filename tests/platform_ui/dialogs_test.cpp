// The file dialogs' filters: "description|pattern" pairs as Qt reads them;
// the message box's icon.
#include "platform/ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>

namespace kv {
namespace {

TEST(Dialogs, DescriptionPatternPairsBecomeQtFilters)
{
    EXPECT_EQ(qtFilterFromPairs(QStringLiteral("位图文件(*.bmp)|*.bmp|所有文件|*.*")),
              QStringLiteral("位图文件(*.bmp) (*.bmp);;所有文件 (*.*)"));
    EXPECT_EQ(qtFilterFromPairs(QString()), QString());
}

TEST(FileDialogFilter, AllFilesAlsoListsNamesWithoutAPoint)
{
    const struct { const char* old; const char* shown; } cases[] = {
        {"数据文件（*.txt;*.dat）|*.txt;*.dat|所有文件（*.*）|*.*",
         "数据文件（*.txt;*.dat） (*.txt *.dat);;所有文件（*.*） (*)"},
        {"位图文件(*.bmp)|*.bmp|所有文件|*.*", "位图文件(*.bmp) (*.bmp);;所有文件 (*)"},
        {"a|*.*x;x*.*;*.*", "a (*.*x x*.* *)"}, // only the whole pattern
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fileDialogFilter(QString::fromUtf8(c.old)), QString::fromUtf8(c.shown)) << c.old;
}

// The filters that the installed dialogs show while asking.
QStringList filtersShownBy(const std::function<QString()>& ask)
{
    QStringList filters;
    QTimer::singleShot(0, [&filters] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            filters = dialog->nameFilters();
            dialog->reject();
        }
    });
    EXPECT_TRUE(ask().isEmpty());
    return filters;
}

// The program's own dialogs get that filter, not the literal "*.*".
TEST(FileDialogFilter, RealDialogsUseIt)
{
    Dialogs* scripted = installDialogs(nullptr);
    const QString allFiles = QStringLiteral("所有文件|*.*");
    const QStringList opening = filtersShownBy([&] { return dialogs().openFileName(nullptr, allFiles); });
    const QStringList saving = filtersShownBy([&] { return dialogs().saveFileName(nullptr, allFiles); });
    installDialogs(scripted);
    EXPECT_EQ(opening, QStringList{QStringLiteral("所有文件 (*)")});
    EXPECT_EQ(saving, QStringList{QStringLiteral("所有文件 (*)")});
}

// A message box shows the icon it was asked for, and none unless asked.
TEST(MessageBox, ShowsTheIconAskedFor)
{
    const struct { MessageIcon asked; QMessageBox::Icon shown; } cases[] = {
        {MessageIcon::None, QMessageBox::NoIcon},
        {MessageIcon::Information, QMessageBox::Information},
        {MessageIcon::Exclamation, QMessageBox::Warning},
        {MessageIcon::Critical, QMessageBox::Critical},
        {MessageIcon::Question, QMessageBox::Question},
    };
    Dialogs* scripted = installDialogs(nullptr);
    for (const auto& c : cases) {
        QMessageBox::Icon shown = QMessageBox::Icon(-1);
        QTimer::singleShot(0, [&shown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->icon();
                box->accept();
            }
        });
        dialogs().message(nullptr, QStringLiteral("文字"), QStringLiteral("提示"), c.asked);
        EXPECT_EQ(shown, c.shown) << static_cast<int>(c.asked);
    }
    installDialogs(scripted);
}

} // namespace
} // namespace kv
