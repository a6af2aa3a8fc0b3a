#pragma once

#include "model/dialogs.h"

class QWidget;
class Session;

// The dialogs a person at the screen sees: the question dialog, message boxes and file dialogs.
// Each is modal over the window in front, so the routine that asked waits for the answer.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(const Session& session);

    QString askQuestion(const QString& question, float mode, const QString& defaultText, QPoint at) override;
    void message(const QString& title, const QString& text, MessageIcon icon) override;
    int yesNoBox(const QString& text, const QString& title) override;
    FileChoice saveFile(const QString& filter) override;
    FileChoice openFile(const QString& filter) override;

private:
    static QWidget* owner();

    const Session& m_session;
    QString m_lastFolder; // where the last file was picked, for the next dialog of this run
};
