#pragma once

#include <memory>
#include <string>

#include "platform/appearance.h"

class QApplication;

namespace zoltrek {

class EntryDialogHost;
class FontConfigurationReader;
class JournalFile;
class Main;

// Until `displayOpened`, a toolkit that finds no display to open windows on ends the program with
// one line on standard error and exit status 1, where it would abort with a page of advice.
void exitQuietlyWithoutDisplay();
void displayOpened();

// Where the journal is, as bytes. A program that runs from its own folder keeps its journal
// beside the executable: when that folder holds "zoltrek.dat" or lets the user create files in
// it. An installed program, in a folder the user may not write, keeps it in the user's data
// folder ($XDG_DATA_HOME/zoltrek, or ~/.local/share/zoltrek), whose folders the first save
// creates.
struct JournalPlace {
    std::string path;
    bool inUserData = false;
};
JournalPlace journalPlace();

// The entry dialog on the journal `file` that `window` shows, opened by the window's commands;
// the window reloads whenever a dialog changed the journal.
std::unique_ptr<EntryDialogHost> entryDialogsOf(Main& window, JournalFile& file);

// Every text of the three windows whose box was made to its size: a scalable face must fit
// them all.
QList<TextInBox> programTexts();

// Sets up the application once `fonts` has read the font configuration, shows the main window
// on the journal at `place` with the entry dialog behind it, and runs until the last window
// closes; returns the exit code.
int runProgram(QApplication& app, const JournalPlace& place, FontConfigurationReader& fonts);

}  // namespace zoltrek
