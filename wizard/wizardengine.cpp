#include "wizard/wizardengine.h"

#include "model/answers.h"
#include "model/ask.h"
#include "model/errors.h"
#include "wizard/panels.h"
#include "model/session.h"
#include "wizard/stage2/stage2.h"
#include "wizard/stagetree.h"

WizardEngine::WizardEngine(Session& session, Dialogs& dialogs, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_dialogs(dialogs)
    , m_runner(RunStage2State)
{
}

WizardEngine::~WizardEngine() = default;

const WizardDisplay& WizardEngine::display() const
{
    return m_display;
}

void WizardEngine::setProcedureRunner(ProcedureRunner runner)
{
    m_runner = std::move(runner);
}

void WizardEngine::setCompilerView(CompilerView* view)
{
    m_compilerView = view;
}

void WizardEngine::setWindowOrigin(QPoint origin)
{
    m_origin = origin;
}

void WizardEngine::setAnswerText(const QString& text)
{
    m_display.answerText = text;
}

QPoint WizardEngine::questionPosition() const
{
    return QPoint(qRound(1.2 * m_origin.x()), qRound(1.2 * m_origin.y()));
}

void WizardEngine::startNewDescription()
{
    m_session.NewMechanism();
    m_session.WizardState = 11;
    const int focus = m_display.focusRequests;
    m_display = WizardDisplay{};
    m_display.focusRequests = focus + 1;
    showPrompt();
    notify();
}

void WizardEngine::Work()
{
    m_session.Answer = m_display.answerText;
    const qint16 state = m_session.WizardState;
    if (state < 2 || state > 200)
        return;
    switch (state) {
    case 11: statePairType(); break;
    case 12: statePairLink(1); break;
    case 13: statePairLink(2); break;
    case 14: statePairName(); break;
    case 2: stateFrame(); break;
    case 3: stateDriving(); break;
    case 4: procedureCentresOfMass(); break;
    case 51: statePointLink(52); break;
    case 52: statePointName(QStringLiteral("f"), QStringLiteral(" Точка приложения силы: "), 51); break;
    case 6: procedureMorePoints(); break;
    case 71: statePointLink(72); break;
    case 72: statePointName(QStringLiteral("o"), QStringLiteral(" Дополнительная точка: "), 71); break;
    case 81: stateGroupFirst(); break;
    case 82: stateGroupSecond(); break;
    default: runProcedure(state); break;
    }
    notify();
}

void WizardEngine::refreshPairs()
{
    m_display.pairs = Show_PARAS(m_session);
    notify();
}

bool WizardEngine::takeAnswer(qint16 mode, QString& accepted)
{
    if (m_session.Answer.isEmpty()) {
        clearAnswer();
        return false;
    }
    notify(); // the window is current while answer checking may show a message
    const QString result = CheckAnswer(m_session, m_dialogs, m_session.Answer, mode);
    if (result == kRejected) {
        clearAnswer();
        return false;
    }
    accepted = result;
    return true;
}

QString WizardEngine::ask(const QString& question, float mode, const QString& defaultText)
{
    notify();
    return AskQuestion(m_session, m_dialogs, question, mode, defaultText, questionPosition());
}

void WizardEngine::showError(qint16 code)
{
    notify();
    ShowError(m_session, m_dialogs, code);
}

void WizardEngine::setState(qint16 state)
{
    m_session.WizardState = state;
}

void WizardEngine::showPrompt()
{
    m_display.prompt = StatePrompt(m_session.WizardState, m_session.W);
}

void WizardEngine::clearAnswer()
{
    m_display.answerText.clear();
}

void WizardEngine::focusAnswer()
{
    ++m_display.focusRequests;
}

void WizardEngine::refreshLinks()
{
    m_display.links = Show_ZVENOS(m_session);
}

void WizardEngine::refreshPanels()
{
    m_display.pairs = Show_PARAS(m_session);
    m_display.links = Show_ZVENOS(m_session);
}

void WizardEngine::appendLine(const QString& line)
{
    m_display.input << line;
}

void WizardEngine::removeLastLine()
{
    if (!m_display.input.isEmpty())
        m_display.input.removeLast();
}

void WizardEngine::enableStageItem(int item)
{
    if (item >= 1 && item < int(m_display.stageItemEnabled.size()))
        m_display.stageItemEnabled[item] = true;
}

void WizardEngine::notify()
{
    emit changed();
}
