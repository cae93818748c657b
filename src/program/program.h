#pragma once

#include <memory>
#include <string>

class QApplication;

namespace zoltrek {

class EntryDialogHost;
class FontConfigurationReader;
class Main;

// Until `displayOpened`, a toolkit that finds no display to open windows on ends the program with
// one line on standard error and exit status 1, where it would abort with a page of advice.
void exitQuietlyWithoutDisplay();
void displayOpened();

// "zoltrek.dat" in the executable's folder, as bytes.
std::string journalBesideExecutable();

// The entry dialog on `window`'s journal, opened by the window's commands; the window reloads
// whenever a dialog changed the journal.
std::unique_ptr<EntryDialogHost> entryDialogsOf(Main& window);

// Sets up the application once `fonts` has read the font configuration, shows the main window
// on the journal at `journalPath` with the entry dialog behind it, and runs until the last
// window closes; returns the exit code.
int runProgram(QApplication& app, const std::string& journalPath, FontConfigurationReader& fonts);

}  // namespace zoltrek
