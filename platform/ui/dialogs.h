// Every modal question the program asks goes through Dialogs: file dialogs,
// message boxes, the input box and option dialogs. The program uses the one
// installed instance; tests install a scripted one that answers in advance.
#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace kv {

// The icon a message box shows beside its text.
enum class MessageIcon { None, Information, Exclamation, Critical, Question };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Open/save dialogs. The filter is written "desc|pattern|desc|pattern"
    // (patterns separated by ";"); an empty title leaves the dialog's own. An
    // empty answer means the user cancelled.
    virtual QString openFileName(QWidget* parent, const QString& filter, const QString& title = QString()) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& filter, const QString& title = QString()) = 0;

    // Message box with an OK button only.
    virtual void message(QWidget* parent, const QString& text, const QString& title,
                         MessageIcon icon = MessageIcon::None) = 0;

    // One line of text; an empty text when cancelled.
    virtual QString inputBox(QWidget* parent, const QString& prompt, const QString& title,
                             const QString& initial) = 0;

    // Runs a modal dialog of the program's own (options, About...) and returns
    // its exec() result. A scripted implementation may fill in and accept it.
    virtual int exec(QDialog* dialog) = 0;
};

// The installed instance (a real one until a test installs another).
Dialogs& dialogs();
// Installs d (not owned) and returns the previous one; nullptr restores the real one.
Dialogs* installDialogs(Dialogs* d);

// Translates "desc|pattern|desc|pattern" into Qt's "desc (pattern);;desc (pattern)".
QString qtFilterFromPairs(const QString& pairs);
// The filter the program's file dialogs show: the translation above, with the
// pattern "*.*" widened to "*": "*.*" is meant as "all files", and taken
// literally it would hide names without a point.
QString fileDialogFilter(const QString& pairs);

} // namespace kv
