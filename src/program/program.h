#pragma once

#include <QString>

class QApplication;

namespace zoltrek {

// "zoltrek.dat" in the executable's folder.
QString journalBesideExecutable();

// Sets up the application, shows the main window on the journal at `journalPath` with the
// entry dialog behind it, and runs until the last window closes; returns the exit code.
int runProgram(QApplication& app, const QString& journalPath);

}  // namespace zoltrek
