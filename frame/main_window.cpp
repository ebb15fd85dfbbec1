#include "frame/main_window.h"

#include "frame/about_box.h"
#include "frame/task_chooser.h"
#include "frame/task_icons.h"
#include "platform/ui/clock.h"
#include "platform/ui/help_viewer.h"
#include "kit/tool_window.h"
#include "platform/ui/twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

namespace kv {

namespace {

const char* const numLockText = "NUM";

QLabel* makePanel(const QString& name, const QString& text, int widthTwips)
{
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(twipsToPixels(std::max(widthTwips, 1440)));
    return label;
}

} // namespace

MainWindow::MainWindow(const ToolCatalogue& tools) : area_(new QMdiArea(this)), registry_(area_, tools)
{
    setObjectName(QStringLiteral("mainform"));
    setWindowTitle(QStringLiteral("Kavrinol"));
    area_->setObjectName(QStringLiteral("mainform_ClientArea"));
    area_->setBackground(QColor(128, 128, 128));
    setCentralWidget(area_);
    createMenus();
    createStatusBar();
    connect(area_, &QMdiArea::subWindowActivated, this, &MainWindow::showMenusOf);
    setWindowIcon(programIcon());
    installHelpKey();
    resize(1024, 700);
}

MainWindow::~MainWindow()
{
    // The child area reports a null active window while it is torn down.
    disconnect(area_, nullptr, this, nullptr);
    if (mainFrame() == this)
        setMainFrame(nullptr);
}

void MainWindow::createMenus()
{
    auto addMenu = [this](const QString& title, const QString& name) {
        auto* m = new QMenu(title, this);
        m->setObjectName(name);
        ownMenus_ << m;
        return m;
    };
    const auto addItem = addNamedItem;

    QMenu* file = addMenu(QStringLiteral("文件(&F)"), QStringLiteral("MFile"));
    connect(addItem(file, QStringLiteral("新建任务..."), QStringLiteral("MFileNewTask")),
            &QAction::triggered, this, &MainWindow::showTaskChooser);
    addItem(file, QStringLiteral("-"), QStringLiteral("MFileSpaceBar"));
    // Ends the program at once: nothing is asked and no window is told.
    connect(addItem(file, QStringLiteral("退出"), QStringLiteral("MFileExit")), &QAction::triggered,
            [] { QApplication::exit(0); });

    QMenu* view = addMenu(QStringLiteral("查看(&V)"), QStringLiteral("MView"));
    viewStatusBar_ = addItem(view, QStringLiteral("状态栏"), QStringLiteral("MViewStatusBar"));
    viewStatusBar_->setCheckable(true);
    viewStatusBar_->setChecked(true);
    connect(viewStatusBar_, &QAction::triggered, this, &MainWindow::toggleStatusBar);

    QMenu* help = addMenu(QStringLiteral("帮助(&H)"), QStringLiteral("MHelp"));
    connect(addItem(help, QStringLiteral("内容"), QStringLiteral("MHelpContents")), &QAction::triggered,
            this, &MainWindow::showHelpContents);
    addItem(help, QStringLiteral("-"), QStringLiteral("MHelpSpaceBar"));
    connect(addItem(help, QStringLiteral("关于..."), QStringLiteral("MHelpAbout")), &QAction::triggered,
            this, &MainWindow::showAboutBox);

    showMenusOf(nullptr);
}

void MainWindow::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("mainform_StatusBar"));
    bar->setSizeGripEnabled(false);
    panels_[0] = makePanel(QStringLiteral("Panel1"), QStringLiteral("F1帮助"), 1440);
    panels_[1] = makePanel(QStringLiteral("Panel2"), QStringLiteral("构造地质软件工作室"), 3525);
    panels_[2] = makePanel(QStringLiteral("Panel3"), QString(), 1440);
    panels_[3] = makePanel(QStringLiteral("Panel4"), QString(), 1440);
    for (QLabel* p : panels_)
        bar->addWidget(p);
    resetPanel3();

    today = [] { return QDate::currentDate(); };
    dateTimer_ = new QTimer(this);
    dateTimer_->setObjectName(QStringLiteral("Panel4Timer"));
    // A look each minute is cheap and needs no care for clock changes.
    dateTimer_->setInterval(60 * 1000);
    connect(dateTimer_, &QTimer::timeout, this, &MainWindow::followDate);
    dateTimer_->start();
    followDate();
}

void MainWindow::showDate(const QDate& day)
{
    panels_[3]->setText(kv::shortDate(day));
}

void MainWindow::followDate()
{
    showDate(today());
}

void MainWindow::closeEvent(QCloseEvent* e)
{
    for (QMdiSubWindow* sub : area_->subWindowList()) {
        if (!sub->close()) {
            e->ignore();
            return;
        }
    }
    QMainWindow::closeEvent(e);
}

QStatusBar* MainWindow::frameStatusBar() const
{
    return const_cast<MainWindow*>(this)->statusBar();
}

void MainWindow::showMenusOf(QMdiSubWindow* sub)
{
    QList<QMenu*> menus = ownMenus_;
    if (sub) {
        if (auto* tool = qobject_cast<ToolWindow*>(sub->widget()); tool && !tool->menus().isEmpty())
            menus = tool->menus();
    }
    QMenuBar* bar = menuBar();
    bar->clear();
    for (QMenu* m : menus)
        bar->addMenu(m);
}

void MainWindow::toggleStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setVisible(!bar->isVisible());
    viewStatusBar_->setChecked(bar->isVisible());
}

QSize MainWindow::innerSize() const
{
    return area_->viewport()->size();
}

void MainWindow::setPanel3Text(const QString& text)
{
    panel3IsText_ = true;
    panels_[2]->setText(text);
    panels_[2]->setEnabled(true);
}

void MainWindow::resetPanel3()
{
    // The Num Lock indicator. The state of the key is not readable here, so
    // the indicator always shows its text.
    panel3IsText_ = false;
    panels_[2]->setText(QString::fromLatin1(numLockText));
    panels_[2]->setEnabled(true);
}

QString MainWindow::panel3Text() const
{
    return panels_[2]->text();
}

void MainWindow::showAboutBox()
{
    kv::showAboutBox();
}

void MainWindow::showHelpContents()
{
    sendHelpKey();
}

void MainWindow::showTaskChooser()
{
    registry_.show(TaskChooser::name(), [this] { return new TaskChooser(registry_); });
}

void MainWindow::mdiFormActivate()
{
    if (activated_)
        return;
    activated_ = true;
    showTaskChooser();
}

bool MainWindow::event(QEvent* e)
{
    const bool handled = QMainWindow::event(e);
    if (e->type() == QEvent::WindowActivate) {
        mdiFormActivate();
    } else if (e->type() == QEvent::Show && !activated_) {
        // Without a window manager the frame may never be activated; its first
        // showing counts as the first activation then.
        QTimer::singleShot(0, this, [this] { mdiFormActivate(); });
    }
    return handled;
}

} // namespace kv
