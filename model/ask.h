#pragma once

#include <QPoint>
#include <QString>

class Dialogs;
class Session;

// The one modal question: mode 1 = yes/no, mode 2 = text with a default. Any other mode returns
// empty text at once and leaves Answer alone; otherwise the result is stored in Answer and
// returned (the previous Answer when the dialog was closed without a button).
QString AskQuestion(Session& session, Dialogs& dialogs, const QString& question, float mode,
                    const QString& defaultText, QPoint at);
