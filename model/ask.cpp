#include "model/ask.h"

#include "model/answers.h"
#include "model/dialogs.h"
#include "model/errors.h"
#include "model/flags.h"
#include "model/session.h"

namespace {

const QString kZero = QStringLiteral("0");

} // namespace

QString AskQuestion(Session& session, Dialogs& dialogs, const QString& question, float mode,
                    const QString& defaultText, QPoint at)
{
    if (mode != kYesNoMode && mode != kTextMode)
        return QString();
    session.Answer = dialogs.askQuestion(question, mode, defaultText, at);
    return session.Answer;
}

YesNo yesNoOf(const QString& answer)
{
    const auto v = numberValue(answer);
    if (v && *v == kYes)
        return YesNo::Yes;
    if (v && *v == kNo)
        return YesNo::No;
    return YesNo::Neither;
}

QString AskNumber(Session& session, Dialogs& dialogs, const QString& question, QPoint at, bool refuseZero)
{
    for (;;) {
        const QString answer = AskQuestion(session, dialogs, question, kTextMode, kZero, at);
        if (CheckAnswer(session, dialogs, answer, kModeNumber) == kRejected || !isNumberText(answer)) {
            ShowError(session, dialogs, 5);
            continue;
        }
        if (refuseZero && answer == kZero) {
            ShowError(session, dialogs, 21);
            continue;
        }
        return answer;
    }
}

YesNo AskYesNo(Session& session, Dialogs& dialogs, const QString& question, QPoint at)
{
    return yesNoOf(AskQuestion(session, dialogs, question, kYesNoMode, kZero, at));
}

void AskYesNoInto(Session& session, Dialogs& dialogs, const QString& question, QPoint at, QString& field,
                  const std::function<void(const QString&)>& log, const QString& yesLine, const QString& noLine)
{
    const YesNo choice = AskYesNo(session, dialogs, question, at);
    if (choice == YesNo::Neither)
        return;
    const bool yes = choice == YesNo::Yes;
    field = yes ? QStringLiteral("y") : QStringLiteral("n");
    if (log)
        log(yes ? yesLine : noLine);
}
