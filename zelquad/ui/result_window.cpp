#include "zelquad/ui/result_window.h"

#include "platform/ui/dialogs.h"
#include "platform/ui/drawing_painter.h"
#include "platform/ui/picture_box.h"
#include "platform/ui/printer.h"
#include "platform/ui/twips.h"
#include "zelquad/core/closing_animation.h"
#include "zelquad/core/plot_previews.h"
#include "zelquad/ui/run_messages.h"

#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>

namespace zq {

namespace {

// Room for the plots (7700 x 6400 twips) and the buttons to their right.
constexpr int kDesignWidthTwips = 9600;
constexpr int kDesignHeightTwips = 7200;
constexpr int kButtonWidthTwips = 1215;
constexpr int kButtonHeightTwips = 375;
static_assert(kDesignWidthTwips >= kResultWidthTwips + 240 + kButtonWidthTwips && kDesignHeightTwips >= kResultHeightTwips,
              "the buttons would cover the plots");

} // namespace

ResultWindow::ResultWindow(QWidget* owner)
    : QWidget(owner, Qt::Window)
    , canvas_(new kv::PictureBox(this))
    , animation_(new QTimer(this))
{
    setObjectName(QStringLiteral("frmOutput"));
    setWindowTitle(QStringLiteral("计算结果"));
    setAttribute(Qt::WA_DeleteOnClose);
    canvas_->setObjectName(QStringLiteral("frmOutputDrawing"));
    canvas_->setBackColor(Qt::white);
    canvas_->move(0, 0);
    growCanvasTo({kv::twipsToPixels(kDesignWidthTwips), kv::twipsToPixels(kDesignHeightTwips)});
    createButtons();
    animation_->setInterval(10);
    connect(animation_, &QTimer::timeout, this, &ResultWindow::animationStep);
    resize(kv::twipsToPixels(kDesignWidthTwips), kv::twipsToPixels(kDesignHeightTwips));
}

void ResultWindow::createButtons()
{
    cmdOkey_ = new QPushButton(QStringLiteral("确定(&O)"), this);
    cmdOkey_->setObjectName(QStringLiteral("cmdOkey"));
    cmdPrint_ = new QPushButton(QStringLiteral("打印(&P)"), this);
    cmdPrint_->setObjectName(QStringLiteral("cmdPrint"));
    for (QPushButton* b : {cmdOkey_, cmdPrint_})
        b->resize(kv::twipsToPixels(kButtonWidthTwips), kv::twipsToPixels(kButtonHeightTwips));
    connect(cmdOkey_, &QPushButton::clicked, this, &ResultWindow::cmdOkey_Click);
    connect(cmdPrint_, &QPushButton::clicked, this, &ResultWindow::cmdPrint_Click);
}

// The drawing covers the whole window, as drawing on the window itself did; it
// grows with the window and keeps what it holds.
void ResultWindow::growCanvasTo(const QSize& size)
{
    const QImage old = canvas_->image();
    if (old.width() >= size.width() && old.height() >= size.height())
        return;
    QImage grown(std::max(old.width(), size.width()), std::max(old.height(), size.height()), QImage::Format_RGB32);
    grown.fill(canvas_->backColor());
    QPainter(&grown).drawImage(0, 0, old);
    canvas_->setPicture(grown);
    canvas_->setScale(0, 0, kv::pixelsToTwips(grown.width()), kv::pixelsToTwips(grown.height()));
    canvas_->lower();
}

void ResultWindow::startRun()
{
    show();
    canvas_->setBackColor(Qt::white); // clears the last run's plots
    canvas_->setAutoRedraw(true);
}

void ResultWindow::drawPlots(const kv::Drawing& plots) { kv::paintDrawing(*canvas_, plots); }

void ResultWindow::setAnimationInterval(int ms) { animation_->setInterval(ms); }
bool ResultWindow::isClosing() const { return animation_->isActive(); }

// The buttons stay at the bottom right corner, whatever the size (partly
// outside the window when it is made smaller than they are).
void ResultWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    growCanvasTo(event->size());
    const double sw = kv::pixelsToTwips(width());
    const double sh = kv::pixelsToTwips(height());
    const double w = kv::pixelsToTwips(cmdOkey_->width());
    const double h = kv::pixelsToTwips(cmdOkey_->height());
    cmdOkey_->move(kv::twipsToPixels(sw - w - 240), kv::twipsToPixels(sh - h - 480));
    cmdPrint_->move(kv::twipsToPixels(sw - w - 240), kv::twipsToPixels(sh - h - 480 - 360));
}

void ResultWindow::cmdPrint_Click()
{
    kv::dialogs().message(this, QStringLiteral("请准备好打印机，按确定按纽开始打印图形！"), QStringLiteral("打印结果"),
                          kv::MessageIcon::Information);
    kv::Printer& printer = kv::Printer::instance();
    const bool printed = printer.drawPicture(canvas_->image(), 0, 0) && printer.endDocument();
    if (!printed)
        kv::dialogs().message(this, QStringLiteral("打印出现问题！"), programTitle());
}

void ResultWindow::cmdOkey_Click()
{
    if (animation_->isActive())
        return;
    canvas_->setAutoRedraw(false); // the bands go to the screen only
    step_ = 0;
    animation_->start();
}

void ResultWindow::animationStep()
{
    if (step_ >= kClosingAnimationSteps) {
        animation_->stop();
        close();
        return;
    }
    kv::paintDrawing(*canvas_, closingAnimationStep(step_, kv::pixelsToTwips(width()), kv::pixelsToTwips(height())));
    ++step_;
}

} // namespace zq
