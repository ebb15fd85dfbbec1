// The file dialogs' filters: "description|pattern" pairs as Qt reads them;
// the message box's icon; Qt's own dialog texts in Chinese.
#include "platform/ui/dialogs.h"
#include "platform/ui/interface_setup.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <memory>

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

// What the installed dialogs show while asking, as read from the file dialog.
QStringList shownBy(const std::function<QString()>& ask, const std::function<QStringList(QFileDialog&)>& read)
{
    QStringList shown;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            shown = read(*dialog);
            dialog->reject();
        }
    });
    EXPECT_TRUE(ask().isEmpty());
    return shown;
}

QStringList filtersShownBy(const std::function<QString()>& ask)
{
    return shownBy(ask, [](QFileDialog& dialog) { return dialog.nameFilters(); });
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

// Each file type is listed once, by its description as the program gives it.
TEST(FileDialogFilter, TypesAreListedByTheirDescriptionsAlone)
{
    Dialogs* scripted = installDialogs(nullptr);
    const QString filter = QStringLiteral("数据文件（*.txt;*.dat）|*.txt;*.dat|所有文件|*.*");
    const auto typeList = [](QFileDialog& dialog) {
        QStringList items;
        if (const auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
            for (int i = 0; i < types->count(); ++i)
                items << types->itemText(i);
        return items;
    };
    const QStringList opening = shownBy([&] { return dialogs().openFileName(nullptr, filter); }, typeList);
    const QStringList saving = shownBy([&] { return dialogs().saveFileName(nullptr, filter); }, typeList);
    installDialogs(scripted);
    const std::string described = "数据文件（*.txt;*.dat） | 所有文件";
    EXPECT_EQ(opening.join(QStringLiteral(" | ")).toStdString(), described);
    EXPECT_EQ(saving.join(QStringLiteral(" | ")).toStdString(), described);
}

// Texts of Qt's own that the program's dialogs show: file dialog labels and
// buttons, and the question before a file is written over.
const struct QtText { const char* context; const char* english; } qtTexts[] = {
    {"QFileDialog", "File &name:"},
    {"QFileDialog", "&Save"},
    {"QFileDialog", "%1 already exists.\nDo you want to replace it?"},
    {"QPlatformTheme", "Cancel"},
    {"QPlatformTheme", "&Yes"},
};

bool hasChinese(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

// The labels and push buttons of a file dialog, those that have text.
QStringList dialogTexts(QFileDialog& dialog)
{
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        texts << button->text();
    texts.removeAll(QString());
    return texts;
}

TEST(QtChinese, MissingTranslationLeavesQtsOwnTexts)
{
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    EXPECT_EQ(installQtChinese(empty.path()), nullptr);
    for (const QtText& t : qtTexts)
        EXPECT_EQ(QCoreApplication::translate(t.context, t.english), QString::fromUtf8(t.english));
}

TEST(QtChinese, FileDialogsAndTheirQuestionsSpeakChinese)
{
    const std::unique_ptr<QTranslator> chinese(installQtChinese(QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    ASSERT_NE(chinese, nullptr) << "Qt's translations are not installed (qt6-translations-l10n)";
    for (const QtText& t : qtTexts)
        EXPECT_TRUE(hasChinese(QCoreApplication::translate(t.context, t.english))) << t.english;

    Dialogs* scripted = installDialogs(nullptr);
    const QStringList saving = shownBy([] { return dialogs().saveFileName(nullptr, QStringLiteral("所有文件|*.*")); },
                                       dialogTexts);
    installDialogs(scripted);
    EXPECT_GE(saving.size(), 5); // three labels, two buttons
    for (const QString& text : saving)
        EXPECT_TRUE(hasChinese(text)) << text.toStdString();
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
