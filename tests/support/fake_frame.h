// A main window stand-in for tests of tool windows: it owns a child area,
// keeps panel 3's text and counts the help and About requests.
#pragma once

#include "platform/ui/frame_services.h"

#include <QMainWindow>
#include <QMdiArea>

namespace kv::test {

class FakeFrame : public FrameServices {
public:
    static QString numLock() { return QStringLiteral("NUM"); }

    QMainWindow main;
    QMdiArea* area = new QMdiArea;
    QSize inner{800, 600};
    QString panel3 = numLock();
    int helpShown = 0;
    int aboutShown = 0;

    FakeFrame() { main.setCentralWidget(area); }
    QWidget* window() override { return &main; }
    QSize innerSize() const override { return inner; }
    void setPanel3Text(const QString& text) override { panel3 = text; }
    void resetPanel3() override { panel3 = numLock(); }
    QString panel3Text() const override { return panel3; }
    void showAboutBox() override { ++aboutShown; }
    void showHelpContents() override { ++helpShown; }
};

} // namespace kv::test
