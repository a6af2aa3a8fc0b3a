// Stage 1 of the wizard: pairs, frame, driving links, centres of mass and extra points.
#include "model/answers.h"
#include "model/errors.h"
#include "wizard/mechanism.h"
#include "model/flags.h"
#include "model/recordaccess.h"
#include "model/session.h"
#include "wizard/stagetree.h"
#include "wizard/structure.h"
#include "wizard/wizardengine.h"

namespace {

const QString kSeparator = QStringLiteral("\t|");

double numberOf(const QString& text)
{
    return numberValue(text).value_or(0.0);
}

} // namespace

void WizardEngine::statePairType()
{
    // Only a single character is looked at; anything longer is simply wiped.
    if (m_session.Answer.toUcs4().size() != 1) {
        clearAnswer();
        return;
    }
    QString type;
    if (!takeAnswer(kModePairType, type))
        return;
    // Each pair takes two link records; refuse a pair that could not be completed.
    if (m_session.ParaCount >= kMaxRecords || m_session.ZvenoCount > kMaxRecords - 2) {
        showError(m_session.ParaCount >= kMaxRecords ? kErrTooManyPairs : kErrTooManyLinks);
        clearAnswer();
        return;
    }
    m_session.HeldAnswer = type;
    NewPair(m_session, type);
    m_display.backEnabled = false;
    m_display.endStageEnabled = false;
    clearAnswer();
    setState(12);
    showPrompt();
}

void WizardEngine::statePairLink(int which)
{
    QString link;
    if (!takeAnswer(kModeLinkNumber, link))
        return;
    if (AddPairLink(m_session, link, which) == 0) {
        showError(kErrTooManyLinks);
        clearAnswer();
        return;
    }
    m_session.HeldAnswer += kSeparator + link;
    clearAnswer();
    setState(which == 1 ? 13 : 14);
    showPrompt();
}

void WizardEngine::statePairName()
{
    QString name;
    if (!takeAnswer(kModeName, name))
        return;
    m_session.HeldAnswer += kSeparator + name;
    appendLine(m_session.HeldAnswer);
    SetPairName(m_session, name);
    m_display.backEnabled = true;
    m_display.endStageEnabled = true;
    clearAnswer();
    refreshPanels();
    setState(11);
    showPrompt();
}

bool WizardEngine::linkNamed(int found, qint16 error, const QString& line)
{
    m_session.ErrorDetail = QString::number(found);
    if (found == 0) {
        showError(error);
        clearAnswer();
        return false;
    }
    appendLine(line);
    clearAnswer();
    return true;
}

void WizardEngine::stateFrame()
{
    for (int i = 1; i < kSlots; ++i)
        m_session.Zvenos[i].GroupNo = -1;
    QString link;
    if (!takeAnswer(kModeLinkNumber, link))
        return;
    ClearFrame(m_session);
    if (!linkNamed(SetFrame(m_session, link), 12, QStringLiteral("Стойка: звено ") + link))
        return;
    CountDegreesOfFreedom(m_session);
    // Both are warnings: the student may go on and fix the pairs later.
    if (m_session.W <= 0)
        showError(16);
    if (m_session.W >= 2)
        showError(19);
    ClearDriving(m_session);
    refreshLinks();
    setState(3);
    enableStageItem(2);
    showPrompt();
}

void WizardEngine::stateDriving()
{
    QString link;
    if (!takeAnswer(kModeLinkNumber, link))
        return;
    m_display.DrivingListMark = int(m_display.input.size());
    if (!linkNamed(SetDriving(m_session, link), 13, QStringLiteral("Начальное звено: звено ") + link))
        return;
    enableStageItem(3);
    RebuildPairLinks(m_session);
    refreshLinks();

    m_session.W = qint16(m_session.W - 1);
    if (m_session.W > 0) {
        // One more driving link per remaining degree of freedom; the prompt keeps its W.
        setState(3);
        return;
    }
    showPrompt();
    // W has already reached 0 and the driving link is listed: without a yes or a no (the dialog
    // closed) the student would have to name a driving link again and drive W below 0, so ask again.
    double force = 0;
    do
        force = numberOf(ask(QStringLiteral("Будет производиться силовой анализ?"), kYesNoMode, QStringLiteral("0")));
    while (force != kYes && force != kNo);
    m_session.ForceAnalysis = float(force);
    setState(force == kYes ? 4 : 6);
    Work();
}

void WizardEngine::procedureCentresOfMass()
{
    m_session.ForceAnalysis = kYes;
    QList<qint16> links;
    for (qint16 i = 1; i <= zvenoCount(m_session); ++i) {
        const ZVENO& z = m_session.Zvenos[i];
        if (!isCopyLink(z) && !isFrameLink(z))
            links << i;
    }
    for (;;) {
        // Every pass starts with these links' centres unnamed, so a name given in a discarded
        // pass (or before a stage return) is not refused as taken by the same link.
        for (qint16 i : links)
            m_session.Zvenos[i].CM.clear();
        for (qint16 i : links) {
            const QString question = StatePrompt(4, m_session.W) + m_session.Zvenos[i].Name;
            QString name = ask(question, kTextMode, QString());
            while (CheckAnswer(m_session, m_dialogs, name, kModeName) == kRejected) {
                showError(14);
                name = ask(question, kTextMode, QString());
            }
            m_session.Zvenos[i].CM = name;
            appendLine(QStringLiteral("Цетр масс звена ") + m_session.Zvenos[i].Name + QStringLiteral(" лежит в точке ") + name);
        }
        const QString done = ask(QStringLiteral("Все центры масс звеньев перечислены?"), kYesNoMode, QStringLiteral("0"));
        if (numberOf(done) != kNo)
            break;
        for (qsizetype k = 0; k < links.size(); ++k)
            removeLastLine();
    }
    refreshLinks();
    enableStageItem(4);
    EndStage();
}

// The first half of a two-part answer (a point's link, a group's first link): kept in HeldAnswer
// while the second half is asked, with the command buttons off until it comes.
void WizardEngine::holdAnswer(const QString& answer, qint16 next)
{
    m_session.HeldAnswer = answer;
    m_display.backEnabled = false;
    m_display.endStageEnabled = false;
    m_display.prevEnabled = false;
    clearAnswer();
    setState(next);
    showPrompt();
}

void WizardEngine::statePointLink(qint16 next)
{
    QString link;
    if (!takeAnswer(kModeLinkNumber, link))
        return;
    if (!CanAddPoint(m_session, link)) {
        showError(kErrTooManyPoints);
        clearAnswer();
        return;
    }
    holdAnswer(link, next);
}

void WizardEngine::statePointName(const QString& kind, const QString& label, qint16 back)
{
    QString point;
    if (!takeAnswer(kModeName, point))
        return;
    const int result = AddPoint(m_session, m_session.HeldAnswer, point, kind);
    if (result == 1) {
        m_session.ErrorDetail = QString::number(result);
        appendLine(QStringLiteral("Звено: ") + m_session.HeldAnswer + label + point);
        m_display.backEnabled = true;
        m_display.endStageEnabled = true;
        m_display.prevEnabled = true;
        clearAnswer();
        refreshPanels();
        setState(back);
        showPrompt();
        return;
    }
    if (result == kPointsFull) {
        showError(kErrTooManyPoints);
    } else {
        m_session.ErrorDetail = QString::number(result);
        showError(15);
    }
    clearAnswer();
    focusAnswer();
    Undo(); // back to naming the link
}

void WizardEngine::procedureMorePoints()
{
    const QString answer = ask(StatePrompt(6, m_session.W), kYesNoMode, QStringLiteral("0"));
    const double more = numberOf(answer);
    m_session.MorePoints = float(more);
    if (more == kYes)
        setState(71);
    else if (more == kNo)
        enterGroups();
    enableStageItem(6);
    showPrompt();
}

void WizardEngine::enterGroups()
{
    // Stage 1.5 starts here from either road (no more points, or the end of stage 1.4.2): undo
    // in it stops at the first group line.
    setState(81);
    m_display.GroupsListMark = int(m_display.input.size());
    m_display.backEnabled = false;
}
