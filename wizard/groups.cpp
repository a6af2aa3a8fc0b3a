// Stage 1.5 of the wizard: the student names the Assur groups, first link then second link.
#include "model/answers.h"
#include "model/errors.h"
#include "model/session.h"
#include "wizard/structure.h"
#include "wizard/wizardengine.h"

void WizardEngine::stateGroupFirst()
{
    QString link;
    if (!takeAnswer(kModeName, link))
        return;
    holdAnswer(link, 82);
}

void WizardEngine::stateGroupSecond()
{
    QString link;
    if (!takeAnswer(kModeName, link))
        return;
    if (link == m_session.HeldAnswer) {
        clearAnswer();
        showError(25);
        return;
    }
    const qint16 result = AnalyseGroup(m_session, m_session.HeldAnswer, link);
    m_session.ErrorDetail = QString::number(result);
    if (result == kGroupRecorded) {
        appendLine(QStringLiteral("Звено 1 -   ") + m_session.HeldAnswer + QStringLiteral(" Звено 2 -   ") + link);
        m_display.backEnabled = true;
        m_display.endStageEnabled = true;
        m_display.prevEnabled = true;
        clearAnswer();
        const bool ended = !HasFreeLink(m_session);
        if (ended)
            EndStage(); // the last free link is grouped: stage 2 starts at once
        refreshPanels();
        if (!ended) {
            setState(81);
            showPrompt();
        }
        return;
    }
    if (result == kGroupsFull)
        showError(kErrTooManyGroups);
    else if (result == kExtraPairsFull)
        showError(kErrTooManyExtraPairs);
    else
        showError(15);
    clearAnswer();
    focusAnswer();
    Undo(); // both links of the group are named again
}
