// The About box: the program's name and version, and a button that starts the
// operating system's system-information program. Shown modally over the main
// window from every Help > "关于..." item; built afresh at each showing.
#pragma once

#include "platform/ui/key_value_source.h"

#include <QDialog>

namespace kv {

class About : public QDialog {
    Q_OBJECT
public:
    // owner: the main window (the box is a separate window over it).
    explicit About(QWidget* owner = nullptr);

    // Finds the system-information program through the settings store and starts
    // it; when it cannot be found or started, says so. The box stays open.
    void StartSysInfo();

    // Reads one stored value as text into output: a text value up to its first
    // zero character, a 32-bit number as "&h" and hexadecimal digits, any other
    // type leaves output as it was. False, with output emptied, when the key or
    // the value cannot be read.
    static bool GetKeyValue(KeyRoot root, const QString& keyPath, const QString& valueName,
                            QString& output);

private:
    void createPicture();
    void createTexts();
    void createSeparator();
    void createButtons();
};

// Shows a new About box modally over the main window (through the program's
// dialogs) and discards it when it closes.
void showAboutBox();

} // namespace kv
