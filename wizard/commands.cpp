// The command buttons of the wizard: end of stage, undo, stage return and free-edit mode.
#include "files/projectfile.h"
#include "model/errors.h"
#include "wizard/mechanism.h"
#include "wizard/panels.h"
#include "model/flags.h"
#include "model/session.h"
#include "wizard/stage2/stage2.h"
#include "wizard/stagetree.h"
#include "wizard/structure.h"
#include "wizard/wizardengine.h"

namespace {

const QString kPointLineStart = QStringLiteral("Звено: ");
const QString kGroupLineStart = QStringLiteral("Звено 1 -   ");

bool isPointLine(const QString& line)
{
    return line.startsWith(kPointLineStart) &&
           (line.contains(QStringLiteral(" Точка приложения силы: ")) ||
            line.contains(QStringLiteral(" Дополнительная точка: ")));
}

// Link and point names have at most two characters, so both are read by position: the link from
// characters 7..9 of a point line (12..14 of a group line), the other name from the last three.
QString linkOfLine(const QString& line, qsizetype from)
{
    return line.mid(from - 1, 3).trimmed();
}

QString lastOfLine(const QString& line)
{
    return line.right(3).trimmed();
}

} // namespace

void WizardEngine::EndStage()
{
    const CommandScope command(*this, JournalEntry::Kind::EndStage);
    const auto ending = [this](qint16 state) {
        setState(state);
        clearAnswer();
        focusAnswer();
        showPrompt();
    };
    switch (m_session.WizardState) {
    case 11:
        ending(2);
        enableStageItem(1);
        m_display.prevEnabled = true;
        m_display.backEnabled = false;
        refreshPanels();
        break;
    case 4:
        ending(51);
        m_display.prevEnabled = true;
        break;
    case 51:
        ending(6);
        m_display.prevEnabled = true;
        enableStageItem(5);
        Work();
        break;
    case 71:
        ending(81);
        enterGroups();
        m_display.prevEnabled = true;
        break;
    case 81:
        if (HasFreeLink(m_session))
            break;
        ending(9);
        m_display.prevEnabled = false;
        Work();
        break;
    case 82:
        ending(9);
        m_display.backEnabled = false;
        m_display.prevEnabled = true;
        Work();
        break;
    default:
        break;
    }
    notify();
}

void WizardEngine::Undo()
{
    const CommandScope command(*this, JournalEntry::Kind::Undo);
    const auto ending = [this](qint16 state) {
        setState(state);
        clearAnswer();
        showPrompt();
    };
    const QString last = m_display.input.isEmpty() ? QString() : m_display.input.last();
    switch (m_session.WizardState) {
    case 11:
        if (m_session.ParaCount <= 0 || m_display.input.isEmpty())
            break;
        DropLastPair(m_session);
        DropLastLink(m_session);
        DropLastLink(m_session);
        ForgetDroppedRecords(m_session);
        removeLastLine();
        refreshPanels();
        if (m_session.ZvenoCount <= 0 || m_session.ParaCount <= 0)
            m_display.backEnabled = false;
        break;
    case 51:
    case 71:
        // Only a point line is taken back; any other line belongs to an earlier stage.
        if (!isPointLine(last))
            break;
        m_session.Answer = QString::number(RemoveLastPoint(m_session, linkOfLine(last, 7)));
        removeLastLine();
        refreshPanels();
        if (m_session.Answer == QStringLiteral("0"))
            m_display.backEnabled = false;
        break;
    case 52:
        ending(51);
        m_display.backEnabled = true;
        break;
    case 72:
        ending(71);
        m_display.backEnabled = true;
        break;
    case 81:
        // Group lines only, and never past the first one of this stage.
        if (m_display.input.size() <= m_display.GroupsListMark || !last.startsWith(kGroupLineStart))
            break;
        RemoveGroup(m_session, linkOfLine(last, 12), lastOfLine(last));
        removeLastLine();
        refreshPanels();
        if (m_display.input.size() == m_display.GroupsListMark)
            m_display.backEnabled = false;
        break;
    case 82:
        ending(81);
        m_display.backEnabled = true;
        m_display.prevEnabled = true;
        break;
    default:
        break;
    }
    focusAnswer();
    notify();
}

void WizardEngine::StageReturn()
{
    const CommandScope command(*this, JournalEntry::Kind::StageReturn);
    switch (m_session.WizardState) {
    case 2:
        setState(11);
        clearAnswer();
        focusAnswer();
        showPrompt();
        m_display.prevEnabled = false;
        refreshPanels();
        break;
    case 3:
        setState(2);
        clearAnswer();
        focusAnswer();
        // The driving-link lines of this stage, then the frame line before them.
        while (!m_display.input.isEmpty() && m_display.input.last().startsWith(QStringLiteral("Начальное")))
            removeLastLine();
        if (!m_display.input.isEmpty() && m_display.input.last().startsWith(QStringLiteral("Стойка: звено ")))
            removeLastLine();
        showPrompt();
        refreshPanels();
        break;
    case 51:
    case 71:
    case 81:
        m_session.W = m_session.WInitial;
        setState(3);
        while (m_display.input.size() > qMax(0, m_display.DrivingListMark))
            removeLastLine();
        m_display.backEnabled = false;
        clearAnswer();
        focusAnswer();
        showPrompt();
        refreshPanels();
        break;
    default:
        break;
    }
    notify();
}

void WizardEngine::FreeLancerMode()
{
    if (m_session.OutputSaved != kUnset) {
        m_session.WindowMode = 2.0f;
        emit freeEditRequested();
        return;
    }
    showError(22);
}

void WizardEngine::runProcedure(qint16 state)
{
    // Stage 2 and the end are procedures: they ask through the question dialog, write their
    // protocol lines and hand over to the next state without a typed answer.
    m_display.prompt = StatePrompt(state, m_session.W);
    if (state == 200) {
        clearAnswer();
        notify();
        if (SaveDescription(m_session, m_dialogs, m_compilerView)) {
            // The finished description keeps its journal beside its project.
            const QList<JournalEntry>& steps = m_journal.steps();
            for (qsizetype k = steps.size() - 1; k >= 0; --k)
                if (steps[k].kind == JournalEntry::Kind::Save) {
                    m_journal.finish(projectFilePath(m_session, steps[k].file.fileTitle));
                    break;
                }
        }
        return;
    }
    Stage2Context context{m_session, m_dialogs, questionPosition(),
                          [this](const QString& line) {
                              appendLine(line);
                              notify();
                          },
                          [this] {
                              m_display.pairs = Show_PARAS(m_session);
                              notify();
                          }};
    notify();
    const qint16 next = m_runner ? m_runner(context, state) : 0;
    if (next == 0)
        return;
    setState(next);
    Work();
}
