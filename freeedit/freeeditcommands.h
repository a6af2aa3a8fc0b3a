#pragma once

#include "files/writefile.h"

#include <QString>

class CompilerView;
class Dialogs;
class Session;


// The save command: asks for a file and writes the analysis-program file and the project file
// again. A cancelled dialog reports error 17 and writes nothing; so does "Нет" to replacing a
// project of another description, without an error. Records and flags stay as they are. Returns
// true when both files were written.
bool saveFreeEdit(Session& session, Dialogs& dialogs, CompilerView* view);

// The exit question, asked once the window has closed. Stores the box's code in Answer and
// returns true for "yes" (the mode chooser opens).
bool confirmFreeEditExit(Session& session, Dialogs& dialogs);
