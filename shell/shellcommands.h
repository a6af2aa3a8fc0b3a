#pragma once

#include "files/writefile.h"

#include <QPoint>
#include <QString>

class Dialogs;
class Session;
class ShellActions;

// The opening question of the wizard window.
inline const QString kOpeningQuestion = QStringLiteral("Нажмите 'Да' для создания нового механизма\r\n"
                                                       "Нажмите 'Нет' для загрузки механизма из файла");
// The filter of the shell's dialogs that pick an analysis-program file.
inline const QString& kShellFileFilter = kKvertaFilter;

// The shell's commands that reach the output files, and the opening question that leads to them.
// They work on the session through the dialogs and leave the windows to ShellActions.
class ShellCommands {
public:
    ShellCommands(Session& session, Dialogs& dialogs, ShellActions& actions);

    // Run when the wizard window opens: clears the output flags, asks "new or load?" at the given
    // point and acts on the answer.
    void openingQuestion(QPoint at);
    // Acts on Answer: 6 a new description, 7 a project load (a failed one sets "6" and comes
    // back here), 2 the chooser again; any other text leaves the wizard window as it is.
    void dispatchOpening();
    // The "no" branch. True when the project was loaded and the free-edit window took over; false
    // after the failure was reported and Answer set to "6".
    bool loadProject();
    // File -> "Сохранить": writes the description in memory again, when there is one.
    void saveOutput();

private:
    bool failLoad(qint16 code);

    Session& m_session;
    Dialogs& m_dialogs;
    ShellActions& m_actions;
};
