#pragma once

#include <QPoint>
#include <QString>

#include <functional>

class Dialogs;
class Session;

// The one modal question: mode 1 = yes/no, mode 2 = text with a default. Any other mode returns
// empty text at once and leaves Answer alone; otherwise the result is stored in Answer and
// returned (the previous Answer when the dialog was closed without a button).
QString AskQuestion(Session& session, Dialogs& dialogs, const QString& question, float mode,
                    const QString& defaultText, QPoint at);

// Yes and No come back as "6" and "7", read as numbers; a closed dialog may bring anything.
enum class YesNo { Yes, No, Neither };
YesNo yesNoOf(const QString& answer);

// Asks until a number comes back: the answer check first, then the number-text test, which stops
// "1.2.3", "." and "-" from reaching the files (error 5 each time). With refuseZero the text "0"
// itself is refused too (error 21: a further pair cannot sit on the base pair).
QString AskNumber(Session& session, Dialogs& dialogs, const QString& question, QPoint at, bool refuseZero = false);

// A yes/no question with "0" in the box.
YesNo AskYesNo(Session& session, Dialogs& dialogs, const QString& question, QPoint at);

// The yes/no step of a choice kept as "y"/"n": yes stores "y" and logs yesLine, no stores "n"
// and logs noLine; anything else leaves the field and logs nothing.
void AskYesNoInto(Session& session, Dialogs& dialogs, const QString& question, QPoint at, QString& field,
                  const std::function<void(const QString&)>& log = {}, const QString& yesLine = {},
                  const QString& noLine = {});
