#include "strain/ui/count_fit_dialog.h"

#include "kit/plot_commands.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/drawing_painter.h"
#include "platform/ui/picture_box.h"
#include "platform/ui/twips.h"
#include "platform/text/number_text.h"
#include "strain/core/strain_ellipse.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace kv {

namespace {

constexpr int kPictureTwips = 4215; // a square plot

QPushButton* namedButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

CountFitDialog::CountFitDialog(CellText counts, const CountSettings& settings, QWidget* parent)
    : QDialog(parent), counts_(std::move(counts)), settings_(settings)
{
    setObjectName(QStringLiteral("Fitting"));
    setWindowTitle(QStringLiteral("应变结果"));
    setModal(true);

    picture_ = new PictureBox(this);
    picture_->setObjectName(QStringLiteral("Picture1"));
    const int side = twipsToPixels(kPictureTwips);
    picture_->setPictureSize(side, side);

    auto* label = new QLineEdit(QStringLiteral("选择拟合次数N "), this);
    label->setObjectName(QStringLiteral("Text1"));
    label->setReadOnly(true);
    degree_ = new QComboBox(this);
    degree_->setObjectName(QStringLiteral("Combo1"));
    degree_->setEditable(true);
    degree_->setInsertPolicy(QComboBox::NoInsert);
    degree_->addItems({"2", "3", "4", "5"});
    degree_->setEditText(QStringLiteral("3"));

    QPushButton* fit = namedButton(this, "Command1", QStringLiteral("曲线拟合"));
    QPushButton* ellipse = namedButton(this, "Command2", QStringLiteral("应变椭圆"));
    QPushButton* save = namedButton(this, "Command3", QStringLiteral("保存图像"));
    QPushButton* back = namedButton(this, "Command4", QStringLiteral("返回"));
    connect(fit, &QPushButton::clicked, this, &CountFitDialog::fitCurve);
    connect(ellipse, &QPushButton::clicked, this, &CountFitDialog::drawEllipse);
    connect(save, &QPushButton::clicked, this, &CountFitDialog::savePicture);
    connect(back, &QPushButton::clicked, this, [this] {
        hide();
        reject();
    });

    auto* layout = new QGridLayout(this);
    layout->addWidget(picture_, 0, 0, 7, 1);
    layout->addWidget(label, 0, 1);
    layout->addWidget(degree_, 1, 1);
    layout->addWidget(fit, 2, 1);
    layout->addWidget(ellipse, 3, 1);
    layout->addWidget(save, 4, 1);
    layout->addWidget(back, 5, 1);
    layout->setRowStretch(6, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    fitCurve();
}

void CountFitDialog::tell(const Notice& notice)
{
    dialogs().message(this, QString::fromStdString(notice.text), QString::fromStdString(notice.title));
}

// A degree out of its bounds or a singular system leaves the plot and the
// extremes of the last fit as they were.
void CountFitDialog::fitCurve()
{
    const std::size_t points = countFitPoints(counts_, settings_).size();
    const FitDegreeCheck check = checkFitDegree(degree_->currentText().toStdString(), settings_, points);
    if (check == FitDegreeCheck::OutOfBounds)
        return;
    if (check != FitDegreeCheck::Accepted) {
        tell(fitDegreeNotice(check));
        return;
    }
    const int degree = static_cast<int>(leadingNumber(degree_->currentText().toStdString()));
    auto fitted = fitCountCurve(counts_, settings_, degree);
    if (std::holds_alternative<PolyFitFailure>(fitted)) {
        tell(singularFitNotice());
        return;
    }
    const CountCurve& curve = std::get<CountCurve>(fitted);
    extremes_ = curve.extremes;
    picture_->cls();
    picture_->setScale(-30, 200, 200, -30);
    paintDrawing(*picture_, curve.plot);
}

void CountFitDialog::drawEllipse()
{
    const auto drawn = strainEllipseDrawing(extremes_);
    if (const auto* refusal = std::get_if<StrainEllipseRefusal>(&drawn)) {
        tell(strainEllipseNotice(*refusal));
        return;
    }
    picture_->cls();
    picture_->setScale(-150, 150, 150, -150);
    paintDrawing(*picture_, std::get<Drawing>(drawn));
}

void CountFitDialog::savePicture()
{
    // The bitmap filter whose all-files entry reads "所有文件(*.*)", the traits' own.
    const PlotTraits bitmapFilter;
    saveDiagramPicture(this, picture_, bitmapFilter);
}

} // namespace kv
