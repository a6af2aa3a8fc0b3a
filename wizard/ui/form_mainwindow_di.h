#pragma once

#include <QWidget>

class Dialogs;
class Session;

// The wizard window. The shell makes it when the chooser's image is chosen, asks the opening
// question and, on "yes", calls startNewDescription().
class form_MainWindow_Di : public QWidget {
    Q_OBJECT
public:
    form_MainWindow_Di(Session& session, Dialogs& dialogs, QWidget* mainWindow, QWidget* parent = nullptr);
    ~form_MainWindow_Di() override;

    // The "yes" branch of the opening question: layout, empty mechanism, state 11, first prompt.
    void startNewDescription();

signals:
    // The free-edit button was pressed after the description was saved.
    void freeEditRequested();

private:
    Session& m_session;
    Dialogs& m_dialogs;
    QWidget* m_mainWindow;
};
