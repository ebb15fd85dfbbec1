#include "fold/ui/rheometer_panel.h"

#include "fold/core/rheometer_texts.h"
#include "platform/ui/picture_box.h"
#include "platform/ui/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace kv {

namespace {

// Twips from the panel's top-left corner.
constexpr int kColumnLeft = 240;
constexpr int kOptionWidth = 1215;
constexpr int kOptionHeight = 375;
constexpr int kPictureLeft = 1560;
constexpr int kPictureTop = 480;
constexpr int kBoxWidth = 1095;
constexpr int kBoxHeight = 375;
constexpr int kLabelHeight = 2 * 255; // two lines
constexpr int kStressLabelTop = 2640;
constexpr int kStressBoxTop = 3240;
constexpr int kRatioLabelTop = 3840;
constexpr int kRatioBoxTop = 4440;
constexpr int kRightMargin = 400;
constexpr int kBottomMargin = 600;

QLabel* addLabel(QWidget* panel, const char* name, const char* text, int top)
{
    auto* label = new QLabel(QString::fromUtf8(text), panel);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(twipsRect(kColumnLeft, top, kOptionWidth, kLabelHeight));
    return label;
}

QLineEdit* addBox(QWidget* panel, const char* name, int top, const QColor& background)
{
    auto* box = new QLineEdit(panel);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(twipsRect(kColumnLeft, top, kBoxWidth, kBoxHeight));
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, background);
    pal.setColor(QPalette::Text, Qt::black);
    box->setPalette(pal);
    return box;
}

} // namespace

RheometerPanel::RheometerPanel(PictureBox* picture, QWidget* parent)
    : QGroupBox(QString::fromUtf8(rheometer_texts::kPanelCaption), parent)
{
    setObjectName(QStringLiteral("Frame1"));
    picture->setParent(this);
    const QRect pictureAt = twipsRect(kPictureLeft, kPictureTop, 0, 0);
    picture->move(pictureAt.topLeft());
    picture->show();
    addOptions();
    addBoxes();
    const double pictureWidthTwips = pixelsToTwips(picture->width());
    setFixedSize(twipsToPixels(kPictureLeft + pictureWidthTwips + kRightMargin),
                 twipsToPixels(kRatioBoxTop + kBoxHeight + kBottomMargin));
}

QRadioButton* RheometerPanel::option(RheometerView view) const
{
    const auto& all = rheometerChartOptions();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].view == view)
            return options_[i];
    return nullptr;
}

void RheometerPanel::addOptions()
{
    for (const RheometerChartOption& o : rheometerChartOptions()) {
        auto* button = new QRadioButton(QString::fromUtf8(o.caption), this);
        button->setObjectName(QString::fromLatin1(o.objectName));
        button->setGeometry(twipsRect(kColumnLeft, o.topTwips, kOptionWidth, kOptionHeight));
        const RheometerView view = o.view;
        connect(button, &QRadioButton::clicked, this, [this, view] { emit chartChosen(view); });
        options_.push_back(button);
    }
    options_.front()->setChecked(true);
}

void RheometerPanel::addBoxes()
{
    addLabel(this, "Label1", rheometer_texts::kStressExponentLabel, kStressLabelTop);
    nlText_ = addBox(this, "nltext", kStressBoxTop, Qt::white);
    addLabel(this, "Label2", rheometer_texts::kViscosityRatioLabel, kRatioLabelTop);
    mText_ = addBox(this, "mtext", kRatioBoxTop, QColor(0, 255, 255));
    mText_->setReadOnly(true);
}

} // namespace kv
