// The main window: a frame whose child area holds every tool window, with its
// own menus (replaced by the active child's), and the four-panel status bar.
#pragma once

#include "frame/window_registry.h"
#include "platform/ui/frame_services.h"

#include <QDate>
#include <QList>
#include <functional>
#include <QMainWindow>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace kv {

class ToolCatalogue;

class MainWindow : public QMainWindow, public FrameServices {
    Q_OBJECT
public:
    explicit MainWindow(const ToolCatalogue& tools);
    ~MainWindow() override;

    WindowRegistry& registry() { return registry_; }
    QMdiArea* mdiArea() const { return area_; }
    QStatusBar* frameStatusBar() const;

    // FrameServices
    QWidget* window() override { return this; }
    QSize innerSize() const override;
    void setPanel3Text(const QString& text) override;
    void resetPanel3() override;
    QString panel3Text() const override;
    void showAboutBox() override;
    void showHelpContents() override;

    // Shows the task chooser (modeless): File > "新建任务...".
    void showTaskChooser();
    // Activation of the main window: the first one opens the chooser.
    void mdiFormActivate();
    bool chooserOpenedOnce() const { return activated_; }

    // The date panel shows the given day's date; a timer keeps it on today's
    // date when the program runs past midnight. `today` stands in for the
    // system date in tests.
    void showDate(const QDate& day);
    void followDate();
    std::function<QDate()> today;

protected:
    bool event(QEvent* e) override;
    // The close box: every tool window is closed through its own closing
    // handling first; when one refuses, the program goes on.
    void closeEvent(QCloseEvent* e) override;

private:
    void createMenus();
    void createStatusBar();
    void showMenusOf(QMdiSubWindow* sub);
    void toggleStatusBar();

    QMdiArea* area_;
    WindowRegistry registry_;
    QList<QMenu*> ownMenus_;
    QAction* viewStatusBar_ = nullptr;
    QLabel* panels_[4] = {};
    bool panel3IsText_ = false;
    bool activated_ = false; // only the first activation matters
    class QTimer* dateTimer_ = nullptr;
};

} // namespace kv
