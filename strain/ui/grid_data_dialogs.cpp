#include "strain/ui/grid_data_dialogs.h"

#include "platform/ui/dialogs.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kv {

namespace {

const char* const kGridFileFilter = "数据文件(*.txt;*.dat)|*.txt;*.dat|所有文件(*.*)|*.*";
const char* const kResultFileFilter = "数据文件(*.txt)|*.txt|所有文件(*.*)|*.*";
const char* const kNoticeTitle = "提示";

constexpr int kNameBoxWidthPx = 260;

QString name(const char* latin) { return QString::fromLatin1(latin); }

// One row of a frame: label, name box, browse button.
QLineEdit* addFileRow(QGridLayout* rows, int row, const QString& caption, const char* labelName,
                      const char* boxName, const char* buttonName, QPushButton** button)
{
    auto* label = new QLabel(caption);
    label->setObjectName(name(labelName));
    auto* box = new QLineEdit;
    box->setObjectName(name(boxName));
    box->setMinimumWidth(kNameBoxWidthPx);
    *button = new QPushButton(QStringLiteral("浏览..."));
    (*button)->setObjectName(name(buttonName));
    (*button)->setAutoDefault(false);
    rows->addWidget(label, row, 0);
    rows->addWidget(box, row, 1);
    rows->addWidget(*button, row, 2);
    return box;
}

// OK and Cancel, side by side under the frame.
QHBoxLayout* addButtons(QDialog* dialog, const char* okName, const char* cancelName, QPushButton** ok)
{
    *ok = new QPushButton(QStringLiteral("确    定"));
    (*ok)->setObjectName(name(okName));
    (*ok)->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取    消"));
    cancel->setObjectName(name(cancelName));
    cancel->setAutoDefault(false);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(*ok);
    buttons->addSpacing(24);
    buttons->addWidget(cancel);
    buttons->addStretch();
    return buttons;
}

} // namespace

// ---- wgfdata ----------------------------------------------------------------

GridDataFilesDialog::GridDataFilesDialog(QWidget* parent, const QString& caption, Purpose purpose)
    : QDialog(parent), purpose_(purpose)
{
    setObjectName(QStringLiteral("wgfdata"));
    setWindowTitle(caption);

    auto* frame = new QGroupBox(QStringLiteral("输入网格数据"));
    frame->setObjectName(QStringLiteral("Frame2"));
    auto* rows = new QGridLayout(frame);
    QPushButton* browseInitial = nullptr;
    QPushButton* browseDeformed = nullptr;
    initial_ = addFileRow(rows, 0, QStringLiteral("初始网格数据文件："), "Label1", "Text1", "Command1", &browseInitial);
    deformed_ = addFileRow(rows, 1, QStringLiteral("变形网格数据文件："), "Label2", "Text2", "Command2", &browseDeformed);
    connect(browseInitial, &QPushButton::clicked, this, [this] { browse(initial_); });
    connect(browseDeformed, &QPushButton::clicked, this, [this] { browse(deformed_); });

    QPushButton* ok = nullptr;
    QHBoxLayout* buttons = addButtons(this, "Command3", "Command4", &ok);
    connect(ok, &QPushButton::clicked, this, [this] { confirm(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

QString GridDataFilesDialog::initialFile() const { return initial_->text().trimmed(); }
QString GridDataFilesDialog::deformedFile() const { return deformed_->text().trimmed(); }

void GridDataFilesDialog::browse(QLineEdit* box)
{
    const QString filter = QString::fromUtf8(kGridFileFilter);
    const QString chosen = purpose_ == Purpose::Read ? dialogs().openFileName(this, filter)
                                                     : dialogs().saveFileName(this, filter);
    if (!chosen.trimmed().isEmpty())
        box->setText(chosen.trimmed());
}

void GridDataFilesDialog::confirm()
{
    if (initialFile().isEmpty()) {
        dialogs().message(this, QStringLiteral("请输入初始网格数据文件!"), QString::fromUtf8(kNoticeTitle));
        return;
    }
    if (deformedFile().isEmpty()) {
        dialogs().message(this, QStringLiteral("请输入变形后网格数据文件!"), QString::fromUtf8(kNoticeTitle));
        return;
    }
    accept();
}

// ---- wgfdataout -------------------------------------------------------------

GridResultFilesDialog::GridResultFilesDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("wgfdataout"));
    setWindowTitle(QStringLiteral("数据输出"));

    auto* frame = new QGroupBox(QStringLiteral("输出网格数据文件"));
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* rows = new QGridLayout(frame);
    const GridStrainFileNames defaults;
    const struct {
        const char* caption;
        const std::string& initial;
        const char* label;
        const char* box;
        const char* button;
    } fileRows[] = {
        {"X方向线应变文件：", defaults.strainX, "Label3", "Text3", "Command4"},
        {"Y方向线应变文件：", defaults.strainY, "Label4", "Text4", "Command5"},
        {"XY剪应变文件：", defaults.shear, "Label5", "Text5", "Command6"},
        {"转动角度文件：", defaults.rotation, "Label6", "Text6", "Command7"},
    };
    for (int i = 0; i < 4; ++i) {
        const auto& r = fileRows[i];
        QPushButton* browseButton = nullptr;
        QLineEdit* box = addFileRow(rows, i, QString::fromUtf8(r.caption), r.label, r.box, r.button, &browseButton);
        box->setText(QString::fromStdString(r.initial));
        names_[i] = box;
        connect(browseButton, &QPushButton::clicked, this, [this, box] { browse(box); });
    }

    initial_ = new QRadioButton(QStringLiteral("初始坐标系"));
    initial_->setObjectName(QStringLiteral("Option1"));
    initial_->setChecked(true);
    auto* carried = new QRadioButton(QStringLiteral("拖带坐标系"));
    carried->setObjectName(QStringLiteral("Option2"));
    auto* options = new QHBoxLayout;
    options->addWidget(initial_);
    options->addSpacing(24);
    options->addWidget(carried);
    options->addStretch();

    QPushButton* ok = nullptr;
    QHBoxLayout* buttons = addButtons(this, "Command1", "Command2", &ok);
    connect(ok, &QPushButton::clicked, this, [this] { confirm(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(options);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

GridStrainFileNames GridResultFilesDialog::fileNames() const
{
    auto text = [this](int i) { return names_[i]->text().trimmed().toStdString(); };
    return {text(0), text(1), text(2), text(3)};
}

bool GridResultFilesDialog::initialCoords() const { return initial_->isChecked(); }

void GridResultFilesDialog::browse(QLineEdit* box)
{
    const QString chosen = dialogs().saveFileName(this, QString::fromUtf8(kResultFileFilter));
    if (!chosen.trimmed().isEmpty())
        box->setText(chosen.trimmed());
}

void GridResultFilesDialog::confirm()
{
    for (QLineEdit* box : names_)
        if (box->text().trimmed().isEmpty()) {
            dialogs().message(this, QStringLiteral("请输入网格法输出数据文件!"), QString::fromUtf8(kNoticeTitle));
            return;
        }
    accept();
}

} // namespace kv
