// What both programs set up once their application object exists: the
// interface font and the Chinese of Qt's own dialogs.
#pragma once

#include <QString>

class QTranslator;

namespace kv {

// Sets the interface font and installs Qt's Chinese translation from Qt's
// translations folder. Start-up goes on without it when it is not installed.
void setUpInterface();

// Installs Qt's own Chinese translation (the file dialogs, their overwrite
// question, the standard buttons) from folder, whatever the user's locale: the
// program's own texts are Chinese. Returns the installed translator, owned by
// the application, or nullptr when the folder holds none.
QTranslator* installQtChinese(const QString& folder);

} // namespace kv
