#pragma once

#include <string>

class QApplication;

namespace zoltrek {

class FontConfigurationReader;

// "zoltrek.dat" in the executable's folder, as bytes.
std::string journalBesideExecutable();

// Sets up the application once `fonts` has read the font configuration, shows the main window
// on the journal at `journalPath` with the entry dialog behind it, and runs until the last
// window closes; returns the exit code.
int runProgram(QApplication& app, const std::string& journalPath, FontConfigurationReader& fonts);

}  // namespace zoltrek
