// What the dialog says: its hint, running and finished texts, and the message
// for every reason a run can be refused.
#pragma once

#include "zelquad/core/plot_run.h"

#include <QString>

namespace zq {

// The title of every message box of the program.
QString programTitle();

QString hintText();
QString runningText();
QString finishedText();

QString badDataNameMessage();
QString badScriptNameMessage();

// The message for a refused run, naming the bad record or file.
QString failureMessage(const RunFailure& failure, const QString& dataFileName);

} // namespace zq
