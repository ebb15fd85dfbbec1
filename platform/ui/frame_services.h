// What tool windows use of the main window, reached without depending on it:
// the owner for modal boxes, its inner area, status-bar panel 3, help and About.
#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace kv {

class FrameServices {
public:
    virtual ~FrameServices() = default;
    virtual QWidget* window() = 0;          // owner of modal dialogs
    virtual QSize innerSize() const = 0;     // area of the child windows, pixels
    virtual void setPanel3Text(const QString& text) = 0; // pointer readout
    virtual void resetPanel3() = 0;          // back to the Num Lock indicator
    virtual QString panel3Text() const = 0;  // what panel 3 shows now
    virtual void showAboutBox() = 0;         // modal, returns when closed
    virtual void showHelpContents() = 0;     // help at its start page
};

// The one main window; null until the frame is created.
FrameServices* mainFrame();
void setMainFrame(FrameServices* frame);

} // namespace kv
