#include "strain/ui/count_settings_dialog.h"

#include "platform/ui/dialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace kv {

namespace {

QComboBox* editableCombo(QWidget* parent, const char* name, const QStringList& items, const QString& text)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert); // a typed value is used, not added to the list
    combo->addItems(items);
    combo->setEditText(text);
    return combo;
}

QLabel* namedLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

CountSettingsDialog::CountSettingsDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("countset"));
    setWindowTitle(QStringLiteral("统计设置"));
    setModal(true);

    lines_ = editableCombo(this, "Combo1",
                           {"1", "3", "5", "7", "9", "11", "13", "15", "17", "19", "21", "23"}, QStringLiteral("13"));
    step_ = editableCombo(this, "Combo2", {"2", "3", "4", "5", "6", "7", "8", "9", "10"}, QStringLiteral("10"));
    auto* ok = new QPushButton(QStringLiteral("确   定"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CountSettingsDialog::confirm);

    auto* layout = new QGridLayout(this);
    layout->addWidget(namedLabel(this, "Label1", QStringLiteral("请选择统计直线数目:")), 0, 0);
    layout->addWidget(lines_, 0, 1);
    layout->addWidget(namedLabel(this, "Label2", QStringLiteral("请选择统计转动度数:")), 1, 0);
    layout->addWidget(step_, 1, 1);
    layout->addWidget(ok, 2, 0, 1, 2, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CountSettingsDialog::confirm()
{
    const auto checked = checkCountSettings(lines_->currentText().toStdString(), step_->currentText().toStdString());
    if (const auto* refusal = std::get_if<CountSettingsRefusal>(&checked)) {
        const Notice notice = countSettingsNotice(*refusal);
        dialogs().message(this, QString::fromStdString(notice.text), QString::fromStdString(notice.title));
        return;
    }
    settings_ = std::get<CountSettings>(checked);
    accept();
}

} // namespace kv
