#include "form_freelancermode.h"

form_FreeLancerMode::form_FreeLancerMode(Session& session, Dialogs& dialogs, QWidget* mainWindow, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
    , m_dialogs(dialogs)
    , m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("form_FreeLancerMode"));
    setWindowTitle(QStringLiteral("FreeLancer Mode [v 0.1.0f]"));
}

form_FreeLancerMode::~form_FreeLancerMode() = default;
