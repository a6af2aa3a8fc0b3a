#pragma once

#include "files/projectfile.h"

#include <QString>

class CompilerView;

// What the opening question and the project commands ask of the windows around them. The shell
// does it with real windows; tests record the calls.
class ShellActions {
public:
    virtual ~ShellActions() = default;
    // The "yes" branch: the wizard window starts a new description.
    virtual void startNewDescription() = 0;
    // Lays the wizard window out under the main window.
    virtual void layOutWizard() = 0;
    virtual void closeWizard() = 0;
    // Shows the mode chooser, modal.
    virtual void openChooser() = 0;
    // Shows the free-edit window on the mechanism in memory.
    virtual void openFreeEdit() = 0;
    // Reads a project into the records (the loader window around LoadFile).
    virtual LoadResult loadProject(const QString& folder, const QString& fileName) = 0;
    // The compiler window WriteFile fills while it works; none is fine.
    virtual CompilerView* compilerView() = 0;
};
