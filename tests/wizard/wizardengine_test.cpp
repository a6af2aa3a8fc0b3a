#include "model/dialogs.h"
#include "tests/wizard/mechanisms.h"
#include "wizard/stagetree.h"
#include "tests/support/testtable.h"
#include "wizard/wizardengine.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const QString kYes = QStringLiteral("6"), kNo = QStringLiteral("7");

// Dialogs that give queued answers ("~" for nothing typed) whatever is asked, and note every
// question with the prompt shown and the place it opened at, and the first line of every message.
class QueueDialogs : public Dialogs {
public:
    const WizardEngine* engine = nullptr;
    QStringList answers, questions, prompts, messages;
    QList<QPoint> positions;
    QString askQuestion(const QString& question, float, const QString&, QPoint at) override
    {
        questions << question;
        prompts << engine->display().prompt;
        positions << at;
        const QString answer = answers.isEmpty() ? QString() : answers.takeFirst();
        return answer == QStringLiteral("~") ? QString() : answer;
    }
    void message(const QString&, const QString& text, MessageIcon) override
    {
        messages << text.section(QStringLiteral("\r\n"), 0, 0);
    }
    int yesNoBox(const QString&, const QString&) override { return 7; }
    FileChoice saveFile(const QString&) override { return {}; }
    FileChoice openFile(const QString&) override { return {}; }
};

// Stage 1 is tested on its own: the chain stops where stage 2 would begin.
struct Rig {
    Session s;
    QueueDialogs d;
    WizardEngine e{s, d};
    QList<qint16> procedures; // stage-2 states the chain reached

    explicit Rig(const QStringList& answers = {})
    {
        d.engine = &e;
        d.answers = answers;
        e.setWindowOrigin(QPoint(200, 105));
        e.setProcedureRunner([this](Stage2Context&, qint16 state) {
            procedures << state;
            return qint16(0);
        });
        e.startNewDescription();
    }
    const WizardDisplay& v() const { return e.display(); }
    void type(const QString& text)
    {
        e.setAnswerText(text);
        e.Work();
    }
    // Typed answers, a mechanism's name for all its pairs, !E end of stage, !U undo, !P stage return.
    void run(const QString& script)
    {
        const QMap<QString, QString> names = {{QStringLiteral("FOUR"), kFourBar}, {QStringLiteral("SIX"), kSixBar},
                                              {QStringLiteral("FIVE"), kFiveBar}, {QStringLiteral("CRANK"), kCrank},
                                              {QStringLiteral("TRIANGLE"), kTriangle}};
        for (const QString& word : words(script)) {
            if (names.contains(word))
                run(names.value(word));
            else if (word == QStringLiteral("!E"))
                e.EndStage();
            else if (word == QStringLiteral("!U"))
                e.Undo();
            else if (word == QStringLiteral("!P"))
                e.StageReturn();
            else
                type(word);
        }
    }
    QString buttons() const
    {
        return QString::number(int(v().backEnabled)) + QString::number(int(v().endStageEnabled)) +
               QString::number(int(v().prevEnabled));
    }
    // Buttons, prompt, answer box, state, counts of pairs, link records, groups and points, protocol.
    QStringList snapshot() const
    {
        int points = 0;
        for (int i = 1; i <= s.ZvenoCount; ++i)
            points += s.Zvenos[i].DPCount;
        const QString counts = QString::asprintf("%d %d %d %d", s.ParaCount, s.ZvenoCount, s.GroupCount, points);
        return QStringList{buttons(), v().prompt, v().answerText, QString::number(s.WizardState), counts} + v().input;
    }
};

} // namespace

class WizardEngineTest : public QObject {
    Q_OBJECT
private slots:
    void newDescription_startsInStateEleven();
    void fourBar_stageOneQuestionsAndReturnMenu();
    void paths_data();
    void paths();
    void badInput_changesNothing_data();
    void badInput_changesNothing();
    void undoAfterStageReturns_leavesNoStaleRecords();
    void freeLancerMode_needsSavedOutput();
    void procedureStates_runOnlyFromStageTwo();
};

void WizardEngineTest::newDescription_startsInStateEleven()
{
    Rig r;
    const QStringList fresh = r.snapshot();
    QCOMPARE(fresh, (QStringList{QStringLiteral("000"), StatePrompt(11, 0), QString(), QStringLiteral("11"),
                                 QStringLiteral("0 0 0 0")}));
    r.run(QStringLiteral("r 0 1 A r"));
    QSignalSpy changed(&r.e, &WizardEngine::changed);
    r.e.startNewDescription();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(r.snapshot(), fresh);
    QVERIFY(r.v().pairs.isEmpty() && r.v().links.isEmpty() && !r.v().returnMenuVisible && !r.v().returnMenuEnabled);
}

void WizardEngineTest::fourBar_stageOneQuestionsAndReturnMenu()
{
    Rig r({kNo, kNo});
    r.run(kFourBar + QStringLiteral(" !E 0 1 2 3"));
    QCOMPARE(r.procedures, QList<qint16>{9}); // stage 2 is reached once
    QCOMPARE(r.d.questions, (QStringList{QStringLiteral("Будет производиться силовой анализ?"),
                                         QStringLiteral("Есть еще точки, представляющие интерес?")}));
    // Both questions come with W = 0 in the prompt, at 1.2 times the window's corner.
    QCOMPARE(r.d.prompts, QStringList(2, StatePrompt(3, 0)));
    QCOMPARE(r.d.positions, QList<QPoint>(2, QPoint(240, 126)));
    QCOMPARE(r.v().input.at(2), QStringLiteral("R\t|2\t|3\t|C")); // shown as typed, kept in lower case
    QCOMPARE(r.s.Paras[3].ParaType, QStringLiteral("r"));
    QCOMPARE(r.v().links.at(25), QStringLiteral("Звено: группа - 1"));
    const std::array<bool, 10> items = {false, true, true, true, false, false, true, false, false, false};
    QCOMPARE(r.v().stageItemEnabled, items);
    QVERIFY(r.d.messages.isEmpty());
}

void WizardEngineTest::paths_data()
{
    QTest::addColumn<QStringList>("row");
    for (const QStringList& row : dataRows("engine_rows.txt"))
        QTest::newRow(qPrintable(row.at(0))) << row;
}

void WizardEngineTest::paths()
{
    QFETCH(QStringList, row);
    Rig r(words(row.value(2)));
    r.run(row.value(1));
    QCOMPARE(QString::number(r.s.WizardState), row.value(3));
    QCOMPARE(QString::number(r.v().input.size()), row.value(4));
    QCOMPARE(r.buttons(), row.value(5));
    QStringList errors;
    for (const QString& code : words(row.value(6)))
        errors << QStringLiteral("Ошибка #: ") + code;
    QCOMPARE(r.d.messages, errors);
    QCOMPARE(r.v().input.isEmpty() ? QString() : r.v().input.last(), row.value(7));
    if (row.size() > 8)
        QCOMPARE(r.v().prompt, row.at(8));
    QVERIFY2(r.d.answers.isEmpty(), qPrintable(r.d.answers.join(QLatin1Char(','))));
    QCOMPARE(r.v().answerText, QString());
    // The records agree with the protocol: as many pairs as pair lines, two link records each.
    const int pairLines = int(r.v().input.filter(QStringLiteral("\t")).size());
    const int midPair = r.s.WizardState >= 12 && r.s.WizardState <= 14 ? r.s.WizardState - 12 : -1;
    QCOMPARE(int(r.s.ParaCount), pairLines + (midPair >= 0 ? 1 : 0));
    QCOMPARE(int(r.s.ZvenoCount), 2 * pairLines + qMax(midPair, 0));
}

void WizardEngineTest::badInput_changesNothing_data()
{
    QTest::addColumn<QStringList>("row");
    QTest::addColumn<QString>("input");
    const QString inputs[] = {QString(), QStringLiteral(" "), QString(300, QLatin1Char('7')), QStringLiteral("Ж"),
                              QStringLiteral("/E"), QStringLiteral("\t")};
    for (const QStringList& row : dataRows("badinput.txt"))
        for (const QString& input : inputs)
            QTest::addRow("%s [%s]", qPrintable(row.at(0)), qPrintable(input.left(3))) << row << input;
}

void WizardEngineTest::badInput_changesNothing()
{
    QFETCH(QStringList, row);
    QFETCH(QString, input);
    Rig r(words(row.value(2)));
    r.run(row.at(1));
    QCOMPARE(QString::number(r.s.WizardState), row.at(0));
    const QStringList before = r.snapshot();
    r.type(input);
    QCOMPARE(r.snapshot(), before);
}

void WizardEngineTest::undoAfterStageReturns_leavesNoStaleRecords()
{
    Rig r({kNo, kNo});
    r.run(kFourBar + QStringLiteral(" !E 0 1 2 3")); // the group is formed and stage 1 ends
    r.s.Zvenos[6].DPCount = 1; // a point on record 6 (the first link 3)
    r.s.Zvenos[6].DP[1].Name = QStringLiteral("K");
    r.s.WizardState = 81;
    r.run(QStringLiteral("!P !P !P"));
    QCOMPARE(int(r.s.WizardState), 11);
    // The student adds a pair, which lets undo work, and takes three pairs back.
    r.run(QStringLiteral("r 3 4 E !U !U !U"));
    QCOMPARE((QList<int>{r.s.ParaCount, r.s.ZvenoCount, r.s.Paras[1].Zveno1Index, r.s.Paras[2].Zveno2Index,
                         r.s.GroupCount}),
             (QList<int>{2, 4, 1, 4, 0})); // the group named a link that is gone
    for (int i = 1; i <= 4; ++i)
        QVERIFY(r.s.Zvenos[i].GroupNo <= 0 && r.s.Zvenos[i].Para1Index <= 2 && r.s.Zvenos[i].Para2Index <= 2);
    QCOMPARE(r.v().input, (QStringList{QStringLiteral("r\t|0\t|1\t|A"), QStringLiteral("r\t|1\t|2\t|B")}));
    // A new pair starts with clean records, not with what the slots held before.
    r.run(QStringLiteral("p 2 5 Q"));
    const ZVENO& z = r.s.Zvenos[6];
    QCOMPARE((QList<int>{z.DPCount, z.GroupNo, z.TwafzCount, r.s.Paras[3].Zveno1Index}), (QList<int>{0, -1, -1, 0}));
    QCOMPARE(z.Perpendicular + r.s.Paras[3].X + r.s.Paras[3].ParaType, QStringLiteral("/np"));
}

void WizardEngineTest::freeLancerMode_needsSavedOutput()
{
    Rig r;
    QSignalSpy requested(&r.e, &WizardEngine::freeEditRequested);
    r.e.FreeLancerMode();
    QCOMPARE(r.d.messages, QStringList{QStringLiteral("Ошибка #: 22")});
    QCOMPARE(requested.count(), 0);
    QCOMPARE(r.s.WindowMode, 0.0f);
    r.s.OutputSaved = 1.0f;
    r.e.FreeLancerMode();
    QCOMPARE(requested.count(), 1);
    QCOMPARE(r.s.WindowMode, 2.0f);
}

void WizardEngineTest::procedureStates_runOnlyFromStageTwo()
{
    Rig r;
    r.s.WizardState = 9;
    r.type(QStringLiteral("anything"));
    QCOMPARE(int(r.s.WizardState), 9);
    QCOMPARE(r.v().prompt, StatePrompt(9, 0));
    QVERIFY(r.d.questions.isEmpty());
    // In no state at all, nothing is taken and the answer stays in the box.
    for (qint16 state : {qint16(0), qint16(1), qint16(201), qint16(-1)}) {
        r.s.WizardState = state;
        r.e.setAnswerText(QStringLiteral("r"));
        const QStringList before = r.snapshot();
        r.e.Work();
        QCOMPARE(r.snapshot(), before);
    }
    QCOMPARE(r.procedures, QList<qint16>{9});
}

QTEST_GUILESS_MAIN(WizardEngineTest)
#include "wizardengine_test.moc"
