#include "shell/shellcommands.h"

#include "model/answers.h"
#include "model/ask.h"
#include "model/dialogs.h"
#include "model/errors.h"
#include "shell/filenames.h"
#include "files/projectfile.h"
#include "model/flags.h"
#include "model/session.h"
#include "shell/shellactions.h"
#include "files/savefile.h"
#include "files/writefile.h"

#include <QFileInfo>

namespace {
constexpr qint16 kErrNotKvertaFile = 20;
constexpr qint16 kErrNotOurProject = 201;
} // namespace

ShellCommands::ShellCommands(Session& session, Dialogs& dialogs, ShellActions& actions)
    : m_session(session)
    , m_dialogs(dialogs)
    , m_actions(actions)
{
}

void ShellCommands::openingQuestion(QPoint at)
{
    m_session.OutputReady = kUnset;
    m_session.OutputSaved = kUnset;
    AskQuestion(m_session, m_dialogs, kOpeningQuestion, kYesNoMode, QStringLiteral("0"), at);
    dispatchOpening();
}

void ShellCommands::dispatchOpening()
{
    for (;;) {
        // The dialog gives "6" or "7"; closed without a button it gives back whatever Answer held.
        const std::optional<double> code = numberValue(m_session.Answer.trimmed());
        if (!code)
            return;
        if (*code == kNo) {
            if (loadProject())
                return;
            continue; // the failed load set "6": a new description after all
        }
        if (*code == 2) {
            m_actions.closeWizard();
            m_session.WindowMode = 0.0f;
            m_actions.openChooser();
            return;
        }
        if (*code == kYes)
            m_actions.startNewDescription();
        return;
    }
}

bool ShellCommands::failLoad(qint16 code)
{
    if (code != 0)
        ShowError(m_session, m_dialogs, code);
    m_session.Answer = kYesText;
    return false;
}

bool ShellCommands::loadProject()
{
    m_actions.layOutWizard();
    const FileChoice choice = m_dialogs.openFile(kShellFileFilter);
    if (choice.fileName.isEmpty() || !hasKvExtension(choice.fileName))
        return failLoad(kErrNotKvertaFile);

    const QString title = choice.fileTitle.isEmpty() ? QFileInfo(choice.fileName).fileName() : choice.fileTitle;
    const QString project = projectFilePath(m_session, title);
    if (project.isEmpty() || !QFileInfo(project).isFile())
        return failLoad(kErrNotOurProject);

    m_session.ResetMechanism();
    m_session.OutputReady = kSet;
    m_session.WindowMode = 2.0f;
    const LoadResult result = m_actions.loadProject(folderOf({choice.fileName, title}), title);
    if (result != LoadResult::Loaded) {
        // Nothing usable came in: the wizard window stays and starts afresh, so nothing half-read
        // may be saved and the wizard goes on following the main window.
        m_session.OutputReady = kUnset;
        m_session.WindowMode = 1.0f;
        return failLoad(0); // the loader has said what was wrong with the file
    }
    m_actions.openFreeEdit();
    return true;
}

void ShellCommands::saveOutput()
{
    if (!isSet(m_session.OutputReady))
        return;
    const FileChoice choice = m_dialogs.saveFile(kShellFileFilter);
    // A cancelled dialog is the person changing their mind, not a fault: nothing to write or report.
    if (choice.cancelled())
        return;
    const QString title = choice.fileTitle.isEmpty() ? QFileInfo(choice.fileName).fileName() : choice.fileTitle;
    if (saveDescriptionFiles(m_session, m_dialogs, m_actions.compilerView(), folderOf({choice.fileName, title}), title))
        m_session.OutputSaved = kSet;
}
