#include "zelquad/ui/main_form.h"

#include "platform/ui/cursor_guard.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/drawing_painter.h"
#include "platform/ui/picture_box.h"
#include "platform/ui/twips.h"
#include "zelquad/core/file_names.h"
#include "zelquad/core/plot_previews.h"
#include "zelquad/core/plot_run.h"
#include "zelquad/ui/result_window.h"
#include "zelquad/ui/run_messages.h"
#include "zelquad/ui/welcome_picture.h"
#include "platform/ui/help_viewer.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace zq {

namespace {

constexpr int kPictureWidthPx = 250;  // 3750 twips: room for the 3650 x 2800 the plots need
constexpr int kPictureHeightPx = 190;
static_assert(kPictureWidthPx * kv::twipsPerPixel >= kSmallPreviewWidthTwips &&
                  kPictureHeightPx * kv::twipsPerPixel >= kSmallPreviewHeightTwips + 20,
              "the small preview does not fit its picture");

QString trimmed(const QLineEdit* box) { return QString::fromStdString(trimBlanks(box->text().toStdString())); }

template <class W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

MainForm::MainForm(QWidget* parent)
    : QWidget(parent)
    , cacheFolder_(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
    , endProgram_([] {
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    })
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Zelquad V2.1"));
    createControls();
    layOut();
    connectControls();
    kv::setHelpBook(QStringLiteral("zelquad.html"), QStringLiteral("Zelquad 帮助"));
    kv::installHelpKey();
    lblMessage_->setText(hintText());
    cmdOk_->setEnabled(false);
}

void MainForm::createControls()
{
    lblPlace_ = named(new QLabel(QStringLiteral("工程部位"), this), "lblPlace");
    txtPlace_ = named(new QLineEdit(this), "txtPlace");
    lblDataFile_ = named(new QLabel(QStringLiteral("请输入数据文件名"), this), "lblDataFile");
    txtDataFileName_ = named(new QLineEdit(this), "txtDataFileName");
    txtDataFileName_->setToolTip(QStringLiteral("双击文本框浏览查找数据文件"));
    lblOutputFile_ = named(new QLabel(QStringLiteral("请输入图形数据文件名"), this), "lblOutputFile");
    txtOutputFileName_ = named(new QLineEdit(this), "txtOutputFileName");
    txtOutputFileName_->setToolTip(QStringLiteral("AutoCAD图形接口数据文件名"));
    cmdPreview_ = named(new QToolButton(this), "cmdPreview");
    cmdPreview_->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    cmdPreview_->setToolTip(QStringLiteral("浏览查找数据文件"));
    cmdOk_ = named(new QPushButton(QStringLiteral("确认(&O)"), this), "cmdOk");
    cmdOk_->setToolTip(QStringLiteral("运行绘图程序"));
    cmdCancel_ = named(new QPushButton(QStringLiteral("取消(&C)"), this), "cmdCancel");
    cmdCancel_->setToolTip(QStringLiteral("取消当前设置"));
    cmdQuit_ = named(new QPushButton(QStringLiteral("退出(&Q)"), this), "cmdQuit");
    cmdQuit_->setToolTip(QStringLiteral("退出本程序"));
    fraComment_ = named(new QGroupBox(QStringLiteral("提示"), this), "fraComment");
    lblMessage_ = named(new QLabel(fraComment_), "lblMessage");
    lblMessage_->setWordWrap(true);
    lblMessage_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pctOutput_ = named(new kv::PictureBox(this), "pctOutput");
    pctOutput_->setPictureSize(kPictureWidthPx, kPictureHeightPx);
    pctOutput_->setScale(0, 0, kv::pixelsToTwips(kPictureWidthPx), kv::pixelsToTwips(kPictureHeightPx));
    showWelcomePicture();
}

void MainForm::layOut()
{
    auto* names = new QGridLayout;
    names->addWidget(lblPlace_, 0, 0);
    names->addWidget(txtPlace_, 0, 1, 1, 2);
    names->addWidget(lblDataFile_, 1, 0);
    names->addWidget(txtDataFileName_, 1, 1);
    names->addWidget(cmdPreview_, 1, 2);
    names->addWidget(lblOutputFile_, 2, 0);
    names->addWidget(txtOutputFileName_, 2, 1, 1, 2);

    auto* comment = new QVBoxLayout(fraComment_);
    comment->addWidget(lblMessage_);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdOk_, cmdCancel_, cmdQuit_})
        buttons->addWidget(b);
    auto* right = new QVBoxLayout;
    right->addWidget(fraComment_, 1);
    right->addLayout(buttons);
    auto* lower = new QHBoxLayout;
    lower->addWidget(pctOutput_, 0, Qt::AlignTop);
    lower->addLayout(right, 1);

    auto* all = new QVBoxLayout(this);
    all->addLayout(names);
    all->addLayout(lower);
    setFixedWidth(sizeHint().width() + 200);
    fraComment_->setMinimumWidth(200);
}

void MainForm::connectControls()
{
    connect(txtDataFileName_, &QLineEdit::textChanged, this, &MainForm::dataNameChanged);
    connect(txtOutputFileName_, &QLineEdit::textChanged, this, &MainForm::updateOkEnabled);
    txtDataFileName_->installEventFilter(this);
    connect(cmdPreview_, &QToolButton::clicked, this, &MainForm::browseDataFile);
    connect(cmdOk_, &QPushButton::clicked, this, &MainForm::cmdOk_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &MainForm::cmdCancel_Click);
    connect(cmdQuit_, &QPushButton::clicked, this, &MainForm::cmdQuit_Click);
}

bool MainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtDataFileName_) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            browseDataFile();
            return true;
        }
        if (event->type() == QEvent::FocusIn)
            updateOkEnabled();
    }
    return QWidget::eventFilter(watched, event);
}

// OK needs both file names; the site may stay empty.
void MainForm::updateOkEnabled()
{
    cmdOk_->setEnabled(!trimmed(txtDataFileName_).isEmpty() && !trimmed(txtOutputFileName_).isEmpty());
}

void MainForm::dataNameChanged(const QString& text)
{
    if (const std::optional<std::string> script = proposedScriptName(text.toStdString()))
        txtOutputFileName_->setText(QString::fromStdString(*script));
    updateOkEnabled();
}

// A cancelled browse writes back the last name chosen, or nothing.
void MainForm::browseDataFile()
{
    const QString chosen = kv::dialogs().openFileName(
        this, QStringLiteral("数据文件(*.dat)|*.dat|文本文件(*.txt)|*.txt|所有文件(*.*)|*.*"), QStringLiteral("打开"));
    if (!chosen.isEmpty())
        lastBrowsed_ = chosen;
    txtDataFileName_->setText(lastBrowsed_);
}

void MainForm::showWelcomePicture()
{
    pctOutput_->setPicture(welcomePicture({kPictureWidthPx, kPictureHeightPx}));
}

void MainForm::cmdOk_Click()
{
    projectSite_ = trimmed(txtPlace_);
    dataFileName_ = trimmed(txtDataFileName_);
    scriptFileName_ = trimmed(txtOutputFileName_);
    if (!isAcceptedFileName(dataFileName_.toStdString())) {
        kv::dialogs().message(this, badDataNameMessage(), programTitle());
        return;
    }
    if (!isAcceptedFileName(scriptFileName_.toStdString())) {
        kv::dialogs().message(this, badScriptNameMessage(), programTitle());
        return;
    }
    lblMessage_->setText(runningText());
    lblMessage_->repaint(); // no events are handled until the run is over
    pctOutput_->setBackColor(Qt::white);
    runGenerator();
}

void MainForm::runGenerator()
{
    std::variant<PlotResult, RunFailure> outcome;
    {
        kv::BusyCursor busy;
        outcome = generatePlotScript({projectSite_.toStdString(), dataFileName_.toStdString(),
                                      scriptFileName_.toStdString(), cacheFolder_.toStdString()});
    }
    if (const auto* failure = std::get_if<RunFailure>(&outcome)) {
        refuseRun(*failure);
        return;
    }
    const PlotResult& result = std::get<PlotResult>(outcome);
    scriptFileName_ = QString::fromStdString(result.scriptPath);
    if (!result_)
        result_ = new ResultWindow(this);
    result_->startRun();
    result_->drawPlots(result.resultPreview);
    kv::paintDrawing(*pctOutput_, result.smallPreview);
    lblMessage_->setText(finishedText());
}

void MainForm::refuseRun(const RunFailure& failure)
{
    kv::dialogs().message(this, failureMessage(failure, dataFileName_), programTitle());
    if (failure.problem == RunProblem::BadRecord && endsProgram(failure.record.problem)) {
        endProgram_();
        return;
    }
    lblMessage_->setText(hintText());
    showWelcomePicture();
}

void MainForm::cmdCancel_Click()
{
    projectSite_.clear();
    dataFileName_.clear();
    scriptFileName_.clear();
    lblMessage_->setText(hintText());
    txtPlace_->clear();
    txtDataFileName_->clear();
    txtOutputFileName_->clear();
    cmdOk_->setEnabled(false);
    showWelcomePicture();
}

void MainForm::cmdQuit_Click() { endProgram_(); }

ResultWindow* MainForm::resultWindow() const { return result_.data(); }

} // namespace zq
