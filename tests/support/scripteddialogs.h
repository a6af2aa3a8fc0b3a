#pragma once

#include "model/dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

class Session;

// A Dialogs double that plays a script: each call must match the next expected step, in order.
// A call that does not match is recorded in problems(); a question off the script is answered
// "7" (yes/no) or with its default text, so that no "ask again" loop can hang a test, and the
// test reports every mismatch at the end.
class ScriptedDialogs : public Dialogs {
public:
    explicit ScriptedDialogs(const Session& session);

    // The question dialog. The answer is the text to give ("6", "7", any typed text).
    ScriptedDialogs& expectQuestion(const QString& question, float mode, const QString& defaultText,
                                    const QString& answer);
    // The question dialog closed with its close box: it returns the previous Answer.
    ScriptedDialogs& expectQuestionClosed(const QString& question, float mode, const QString& defaultText);
    ScriptedDialogs& expectMessage(const QString& title, const QString& text, MessageIcon icon);
    // The message box of an error code, built from the error table with the given detail texts.
    ScriptedDialogs& expectError(qint16 code, const QString& errorDetail = QString(),
                                 const QString& reservedWord = QString());
    ScriptedDialogs& expectYesNo(const QString& text, const QString& title, int answer);
    ScriptedDialogs& expectSaveFile(const QString& filter, const FileChoice& choice);
    ScriptedDialogs& expectOpenFile(const QString& filter, const FileChoice& choice);

    // Every mismatch and every step left unplayed; empty when the script ran exactly.
    QStringList problems() const;
    // The questions asked so far, in order (for tests that only count or list them).
    const QStringList& asked() const { return m_asked; }

    QString askQuestion(const QString& question, float mode, const QString& defaultText, QPoint at) override;
    void message(const QString& title, const QString& text, MessageIcon icon) override;
    int yesNoBox(const QString& text, const QString& title) override;
    FileChoice saveFile(const QString& filter) override;
    FileChoice openFile(const QString& filter) override;

private:
    enum class Kind { Question, Message, YesNo, Save, Open };
    struct Step {
        Kind kind;
        QString text;
        QString title; // message and yes/no title; default text of a question; filter of a file dialog
        float mode = 0;
        MessageIcon icon = MessageIcon::Critical;
        QString answer;
        bool close = false;
        int button = 0;
        FileChoice file;
    };
    const Step* next(Kind kind, const QString& what);

    const Session& m_session;
    QList<Step> m_steps;
    qsizetype m_played = 0;
    QStringList m_failures;
    QStringList m_asked;
};
