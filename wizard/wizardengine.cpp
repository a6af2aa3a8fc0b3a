#include "wizard/wizardengine.h"

#include "model/answers.h"
#include "model/dialogs.h"
#include "model/ask.h"
#include "model/errors.h"
#include "wizard/panels.h"
#include "model/session.h"
#include "wizard/stage2/stage2.h"
#include "wizard/stagetree.h"

#include <QDateTime>
#include <QCoreApplication>
#include <QDir>

WizardEngine::WizardEngine(Session& session, Dialogs& dialogs, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_journal(dialogs)
    , m_dialogs(m_journal)
    , m_runner(RunStage2State)
{
    m_journal.setStepNotes([this](JournalEntry& step) {
        step.protocolLength = int(m_display.input.size());
        step.state = m_session.WizardState;
    });
    m_journal.setCaughtUp([this] {
        notify();
        emit replayCaughtUp();
    });
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

WizardEngine::CommandScope::CommandScope(WizardEngine& engine, JournalEntry::Kind kind) : m_engine(engine)
{
    if (m_engine.m_commandDepth++ > 0)
        return;
    JournalEntry step;
    step.kind = kind;
    if (kind == JournalEntry::Kind::Typed)
        step.answer = m_engine.m_display.answerText;
    m_engine.m_journal.recordCommand(step);
}

WizardEngine::CommandScope::~CommandScope()
{
    if (--m_engine.m_commandDepth == 0)
        m_engine.m_journal.note(m_engine.m_display.prompt);
}

void WizardEngine::setJournalFolder(const QString& folder)
{
    m_journalFolder = folder;
}

void WizardEngine::startNewDescription()
{
    // The process in the name as well: two runs started in the same millisecond keep two journals.
    const QString name = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) + u'-' +
                         QString::number(QCoreApplication::applicationPid()) + QStringLiteral(".journal");
    m_journal.start(m_journalFolder.isEmpty() ? QString() : QDir(m_journalFolder).filePath(name));
    resetDescription();
}

bool WizardEngine::resume(const QString& journalPath)
{
    QList<JournalEntry> steps = readJournal(journalPath);
    if (steps.isEmpty() || !m_journal.continueIn(journalPath))
        return false;
    replay(std::move(steps));
    return true;
}

void WizardEngine::returnToStep(qsizetype k)
{
    replay(m_journal.steps().mid(0, qBound<qsizetype>(0, k, m_journal.steps().size())));
}

void WizardEngine::returnToPreviousAnswer()
{
    const QList<JournalEntry>& steps = m_journal.steps();
    qsizetype k = steps.size() - 1;
    while (k > 0 && !steps[k].isAnswer())
        --k;
    returnToStep(qMax<qsizetype>(0, k));
}

qsizetype WizardEngine::stepOfLine(int line) const
{
    const QList<JournalEntry>& steps = m_journal.steps();
    if (line < 0 || line >= m_display.input.size())
        return -1;
    for (qsizetype k = steps.size() - 1; k >= 0; --k)
        if (steps[k].protocolLength <= line)
            return k;
    return -1;
}

void WizardEngine::replay(QList<JournalEntry> steps)
{
    // The records as the steps found them when they were first given: those of a program just
    // started, in the same folders (nothing of an earlier description, nothing written yet). What
    // this run knows of the files it saved, and the window it works in, stay.
    Session started;
    started.DataFolder = m_session.DataFolder;
    started.ProjectFolders = m_session.ProjectFolders;
    started.OwnProjects = m_session.OwnProjects;
    started.SavedFiles = m_session.SavedFiles;
    started.WindowMode = m_session.WindowMode; // the window the description is in
    m_session = started;
    resetDescription();
    m_journal.beginReplay(std::move(steps));
    // Also when a question put for real is left for an earlier answer.
    const struct Ending {
        AnswerJournal& journal;
        ~Ending() { journal.endReplay(); }
    } ending{m_journal};
    while (const auto step = m_journal.takeCommand())
        runStep(*step);
}

void WizardEngine::runStep(const JournalEntry& step)
{
    using K = JournalEntry::Kind;
    switch (step.kind) {
    case K::Typed: setAnswerText(step.answer); Work(); break;
    case K::EndStage: EndStage(); break;
    case K::Undo: Undo(); break;
    case K::StageReturn: StageReturn(); break;
    default: break;
    }
}

void WizardEngine::runCommand(std::function<void()> command)
{
    // A question of stage 2 may be left for the answer before it, again and again.
    for (;;) {
        try {
            const ReturnPoint point;
            command();
            return;
        } catch (const ReturnToPreviousAnswer&) {
            command = [this] { returnToPreviousAnswer(); };
        }
    }
}

void WizardEngine::resetDescription()
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
    const CommandScope command(*this, JournalEntry::Kind::Typed);
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
