#include "model/ask.h"

#include "model/dialogs.h"
#include "model/session.h"

QString AskQuestion(Session& session, Dialogs& dialogs, const QString& question, float mode,
                    const QString& defaultText, QPoint at)
{
    if (mode != 1.0f && mode != 2.0f)
        return QString();
    session.Answer = dialogs.askQuestion(question, mode, defaultText, at);
    return session.Answer;
}
