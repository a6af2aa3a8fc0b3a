#include "form_mainwindow_di.h"

#include "session.h"

form_MainWindow_Di::form_MainWindow_Di(Session& session, Dialogs& dialogs, QWidget* mainWindow, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
    , m_dialogs(dialogs)
    , m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("form_MainWindow_Di"));
    setWindowTitle(QStringLiteral("Zuvrack: KVERTA mode [v 0.1.1a]"));
}

form_MainWindow_Di::~form_MainWindow_Di() = default;

void form_MainWindow_Di::startNewDescription()
{
    m_session.NewMechanism();
    m_session.WizardState = 11;
}
