#pragma once

#include <memory>
#include <string>

#include "platform/appearance.h"
#include "platform/journalplace.h"

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

// Where this program keeps its journal, as it runs.
JournalPlace journalPlace();

// The entry dialog on the journal `file` that `window` shows, opened by the window's commands;
// the window reloads whenever a dialog changed the journal.
std::unique_ptr<EntryDialogHost> entryDialogsOf(Main& window, JournalFile& file);

// The texts that size the default and bold scalable faces, those of the controls whose texts
// change; every fixed text is sized on its own.
QList<TextInBox> programTexts();

// Sets up the application once `fonts` has read the font configuration, shows the main window
// on the journal at `place` with the entry dialog behind it, and runs until the last window
// closes; returns the exit code.
int runProgram(QApplication& app, const JournalPlace& place, FontConfigurationReader& fonts);

}  // namespace zoltrek
