// The program's help: F1 opens the Zelquad help page shipped in the "help"
// folder beside the program.
#pragma once

#include <QString>

class QTextBrowser;

namespace zq {

// Makes F1 open the help anywhere in the program (once is enough).
void installHelpKey();
void openHelp();
QString helpPage();
// The help window while it is open.
QTextBrowser* helpWindow();

} // namespace zq
