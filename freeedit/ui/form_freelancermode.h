#pragma once

#include <QWidget>

class Dialogs;
class Session;

// The free-edit window: the mechanism as a tree whose values can be changed one by one.
class form_FreeLancerMode : public QWidget {
    Q_OBJECT
public:
    form_FreeLancerMode(Session& session, Dialogs& dialogs, QWidget* mainWindow, QWidget* parent = nullptr);
    ~form_FreeLancerMode() override;

signals:
    // The student left the mode and answered "yes": the shell opens the mode chooser.
    void chooserRequested();

private:
    Session& m_session;
    Dialogs& m_dialogs;
    QWidget* m_mainWindow;
};
