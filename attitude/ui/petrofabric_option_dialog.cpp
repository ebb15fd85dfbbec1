#include "attitude/ui/petrofabric_option_dialog.h"

#include "platform/ui/twips.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kv {

namespace {

constexpr int kWidthTwips = 6135;
constexpr int kHeightTwips = 3360;

QString utf8(const std::string& text) { return QString::fromStdString(text); }

QLineEdit* field(const char* name, const std::string& text, QWidget* parent)
{
    auto* edit = new QLineEdit(utf8(text), parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QLabel* label(const char* text, QWidget* parent)
{
    return new QLabel(QString::fromUtf8(text), parent);
}

} // namespace

PetrofabricOptionDialog::PetrofabricOptionDialog(const PetrofabricOptionFields& f, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("yanzu_option"));
    setWindowTitle(QStringLiteral("选项"));
    setFixedSize(twipsToPixels(kWidthTwips), twipsToPixels(kHeightTwips));

    sectionNo_ = field("Text1", f.sectionNo, this);
    mineralName_ = field("Text2", f.mineralName, this);
    dataType_ = new QComboBox(this);
    dataType_->setObjectName(QStringLiteral("Combo1"));
    dataType_->addItems({QString::fromUtf8(kOpticAxisEntry), QString::fromUtf8(kCleavageEntry)});
    dataType_->setPlaceholderText(QStringLiteral("请选择"));
    dataType_->setCurrentIndex(f.dataTypeEntry);
    grainCount_ = field("Text3", f.grainCount, this);
    grainCount_->setReadOnly(true);
    sectionDipDir_ = field("Text4", f.sectionDipDir, this);
    sectionDip_ = field("Text5", f.sectionDip, this);
    arrowAzimuth_ = field("Text6", f.arrowAzimuth, this);
    stageArrowDir_ = field("Text7", f.stageArrowDir, this);

    auto* ok = new QPushButton(QStringLiteral("确    定"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取    消"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(label("薄片号：", this), 0, 0);
    grid->addWidget(sectionNo_, 0, 1);
    grid->addWidget(label("矿物名称：", this), 0, 2);
    grid->addWidget(mineralName_, 0, 3);
    grid->addWidget(label("数据类型：", this), 1, 0);
    grid->addWidget(dataType_, 1, 1);
    grid->addWidget(label("颗粒总数：", this), 1, 2);
    grid->addWidget(grainCount_, 1, 3);

    auto* plane = new QHBoxLayout;
    plane->addWidget(label("倾向", this));
    plane->addWidget(sectionDipDir_);
    plane->addWidget(label("倾角", this));
    plane->addWidget(sectionDip_);
    grid->addWidget(label("薄片所在面的地理方位：", this), 2, 0, 1, 2);
    grid->addLayout(plane, 2, 2, 1, 2);
    grid->addWidget(label("薄片中箭头所指示的原地理方位角（0－360度）：", this), 3, 0, 1, 3);
    grid->addWidget(arrowAzimuth_, 3, 3);
    grid->addWidget(label("薄片在费氏台上的初始位置，箭头所指方向：", this), 4, 0, 1, 3);
    grid->addWidget(stageArrowDir_, 4, 3);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addSpacing(twipsToPixels(600));
    buttons->addWidget(cancel);
    buttons->addStretch();
    grid->addLayout(buttons, 5, 0, 1, 4);

    QWidget* order[] = {sectionNo_, mineralName_, dataType_, grainCount_, sectionDipDir_,
                        sectionDip_, arrowAzimuth_, stageArrowDir_, ok, cancel};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

PetrofabricOptionFields PetrofabricOptionDialog::fields() const
{
    PetrofabricOptionFields f;
    f.sectionNo = sectionNo_->text().toStdString();
    f.mineralName = mineralName_->text().toStdString();
    f.dataTypeEntry = dataType_->currentIndex();
    f.grainCount = grainCount_->text().toStdString();
    f.sectionDipDir = sectionDipDir_->text().toStdString();
    f.sectionDip = sectionDip_->text().toStdString();
    f.arrowAzimuth = arrowAzimuth_->text().toStdString();
    f.stageArrowDir = stageArrowDir_->text().toStdString();
    return f;
}

} // namespace kv
