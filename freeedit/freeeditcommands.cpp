#include "freeedit/freeeditcommands.h"

#include "model/dialogs.h"
#include "model/errors.h"
#include "model/flags.h"
#include "model/session.h"
#include "files/savefile.h"
#include "files/writefile.h"

bool saveFreeEdit(Session& session, Dialogs& dialogs, CompilerView* view)
{
    const FileChoice choice = dialogs.saveFile(kKvertaFilter);
    if (choice.cancelled() || choice.fileTitle.isEmpty()) {
        // No name, no folder: say so and leave the files and the flags alone.
        ShowError(session, dialogs, 17);
        return false;
    }
    return saveDescriptionFiles(session, dialogs, view, destinationFolder(choice.fileName, choice.fileTitle), choice.fileTitle);
}

bool confirmFreeEditExit(Session& session, Dialogs& dialogs)
{
    const int code = dialogs.yesNoBox(QStringLiteral("Вы уверены? Все, что не сохранено будет утеряно!"),
                                      QStringLiteral("KVERTA Mode"));
    session.Answer = QString::number(code);
    return session.Answer == kYesText;
}
