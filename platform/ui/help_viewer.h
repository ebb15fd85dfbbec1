// The program's help: F1 anywhere in the program opens the help pages shipped in
// the "help" folder beside the program, at their start page.
#pragma once

#include <QString>

class QTextBrowser;

namespace kv {

// Which page of the "help" folder is the start page, and the help window's
// title: Kavrinol's "index.html" unless the program names its own.
void setHelpBook(const QString& startPageName, const QString& windowTitle);

// Makes F1 open the help for the whole application (call once at start-up).
void installHelpKey();

// Shows the help window at its start page (brings it to the front when open).
void openHelp();

// Sends one F1 key press to the active window without waiting for it, as the
// Help items and help buttons do; the help opens when the press is handled.
void sendHelpKey();

// The help window, when open (for tests).
QTextBrowser* helpWindow();

// Where the start page is looked for.
QString helpStartPage();

} // namespace kv
