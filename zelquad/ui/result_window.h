// The result window: the four plots of the last run at full size, with a
// print button and an OK button that closes it with a short animation.
#pragma once

#include "platform/draw/drawing.h"

#include <QWidget>

class QPushButton;
class QTimer;

namespace kv {
class PictureBox;
}

namespace zq {

class ResultWindow : public QWidget {
    Q_OBJECT
public:
    explicit ResultWindow(QWidget* owner = nullptr);

    // Shows the window blank, drawing persistently, for the plots of a new run.
    void startRun();
    void drawPlots(const kv::Drawing& plots);

    // The drawing area covering the window (its scale is in twips).
    kv::PictureBox* canvas() const { return canvas_; }

    // Milliseconds between the steps of the closing animation.
    void setAnimationInterval(int ms);
    bool isClosing() const;

    void cmdOkey_Click();
    void cmdPrint_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void createButtons();
    void growCanvasTo(const QSize& size);
    void animationStep();

    kv::PictureBox* canvas_;
    QPushButton* cmdOkey_ = nullptr;
    QPushButton* cmdPrint_ = nullptr;
    QTimer* animation_;
    int step_ = 0;
};

} // namespace zq
