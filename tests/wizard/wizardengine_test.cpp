#include "errors.h"
#include "mechanisms.h"
#include "scripteddialogs.h"
#include "stagetree.h"
#include "wizarddata.h"
#include "wizardengine.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const QString kZero = QStringLiteral("0"), kYes = QStringLiteral("6"), kNo = QStringLiteral("7");
const QString kForceQuestion = QStringLiteral("Будет производиться силовой анализ?");
const QString kMoreQuestion = QStringLiteral("Есть еще точки, представляющие интерес?");
const QString kAllCentresQuestion = QStringLiteral("Все центры масс звеньев перечислены?");

QString centreQuestion(int link)
{
    return QStringLiteral("Введите центр масс звена %1").arg(link);
}

// Dialogs that give queued answers whatever is asked, and note every question with the prompt
// shown and the place it opened at, and the first line of every message.
class QueueDialogs : public Dialogs {
public:
    explicit QueueDialogs(const Session&) {}
    const WizardEngine* engine = nullptr;
    QStringList answers, questions, prompts, messages;
    QList<QPoint> positions;
    QString askQuestion(const QString& question, float, const QString&, QPoint at) override
    {
        questions << question;
        prompts << engine->display().prompt;
        positions << at;
        return answers.isEmpty() ? QString() : answers.takeFirst();
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
template <class D>
struct Rig {
    Session s;
    D d{s};
    WizardEngine e{s, d};
    QList<qint16> procedures; // stage-2 states the chain reached

    Rig()
    {
        if constexpr (requires { d.engine; })
            d.engine = &e;
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
        const QMap<QString, QString> mechanisms = {{QStringLiteral("FOUR"), kFourBar}, {QStringLiteral("SIX"), kSixBar},
                                                   {QStringLiteral("FIVE"), kFiveBar}, {QStringLiteral("CRANK"), kCrank},
                                                   {QStringLiteral("TRIANGLE"), kTriangle}};
        for (const QString& word : words(script)) {
            if (mechanisms.contains(word))
                run(mechanisms.value(word));
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
};
using QueueRig = Rig<QueueDialogs>;
using ScriptRig = Rig<ScriptedDialogs>;

#define VERIFY_SCRIPT(d) QVERIFY2((d).problems().isEmpty(), qPrintable((d).problems().join(QLatin1Char('\n'))))

} // namespace

class WizardEngineTest : public QObject {
    Q_OBJECT
private slots:
    void newDescription_startsInStateEleven();
    void fourBar_stageOneRecordsQuestionsAndReturnMenu();
    void paths_data();
    void paths();
    void badInput_changesNothing_data();
    void badInput_changesNothing();
    void centresOfMass_discardedPassFreesTheNames();
    void centresOfMass_badNameAsksAgainAndEmptyIsAllowed();
    void twoDegrees_bothDriversAndTheQuestionPrompt();
    void undoAfterStageReturns_leavesNoStaleRecords();
    void capacity_thirtyThirdPairAndPointRefused();
    void freeLancerMode_needsSavedOutput();
    void procedureStates_runOnlyFromStageTwo();
};

void WizardEngineTest::newDescription_startsInStateEleven()
{
    QueueRig r;
    r.run(QStringLiteral("r 0 1 A r"));
    QSignalSpy changed(&r.e, &WizardEngine::changed);
    r.e.startNewDescription();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(int(r.s.WizardState), 11);
    QCOMPARE(int(r.s.ParaCount) + int(r.s.ZvenoCount), 0);
    QCOMPARE(r.v().prompt, StatePrompt(11, 0));
    QVERIFY(r.v().input.isEmpty() && r.v().pairs.isEmpty() && r.v().links.isEmpty());
    QCOMPARE(r.buttons(), QStringLiteral("000"));
    QVERIFY(!r.v().returnMenuVisible && !r.v().returnMenuEnabled);
    r.s.WizardState = 0; // nothing is taken in state 0
    r.type(QStringLiteral("r"));
    QCOMPARE(int(r.s.ParaCount), 0);
    QCOMPARE(r.v().answerText, QStringLiteral("r"));
}

void WizardEngineTest::fourBar_stageOneRecordsQuestionsAndReturnMenu()
{
    QueueRig r;
    r.d.answers = {kNo, kNo};
    r.run(kFourBar + QStringLiteral(" !E 0 1 2 3"));
    const Session& s = r.s;
    QCOMPARE(r.procedures, QList<qint16>{9}); // stage 2 is reached once
    QCOMPARE(r.d.questions, (QStringList{kForceQuestion, kMoreQuestion}));
    // Both questions come with W = 0 in the prompt, at 1.2 times the window's corner.
    QCOMPARE(r.d.prompts, QStringList(2, StatePrompt(3, 0)));
    QCOMPARE(r.d.positions, QList<QPoint>(2, QPoint(240, 126)));
    QCOMPARE(r.v().input.at(2), QStringLiteral("R\t|2\t|3\t|C"));
    QCOMPARE(s.Paras[3].ParaType, QStringLiteral("r"));
    // Pairs name the last record of each link: records 0 1 1 2 2 3 3 0.
    QCOMPARE((QList<int>{s.Paras[1].Zveno1Index, s.Paras[3].Zveno1Index, s.Paras[3].Zveno2Index, s.FrameIndex,
                         s.Zvenos[4].Para1Index, s.Zvenos[4].Para2Index, s.Zvenos[2].GroupNo, s.Zvenos[4].GroupNo,
                         s.Zvenos[6].GroupNo, s.W, s.WInitial}),
             (QList<int>{8, 5, 7, 1, 2, 3, 0, 1, 1, 0, 1}));
    QCOMPARE(s.Zvenos[1].ZType + s.Zvenos[4].ZType + s.Groups[1].GType, QStringLiteral("rrrr1"));
    QCOMPARE(s.Zvenos[2].IsDriving + s.Zvenos[1].IsFrame + s.ExtraPairsFlag, 2.0f);
    QCOMPARE(s.ForceAnalysis + s.MorePoints, 14.0f);
    QCOMPARE(r.v().links.size(), 40);
    QCOMPARE(r.v().links.at(25), QStringLiteral("Звено: группа - 1"));
    const std::array<bool, 10> items = {false, true, true, true, false, false, true, false, false, false};
    QCOMPARE(r.v().stageItemEnabled, items);
    QCOMPARE(r.v().DrivingListMark, 5);
    QCOMPARE(r.v().GroupsListMark, 6);
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
    QueueRig r;
    r.d.answers = words(row.value(2));
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
    const bool midPair = r.s.WizardState >= 12 && r.s.WizardState <= 14;
    QCOMPARE(int(r.s.ParaCount), pairLines + (midPair ? 1 : 0));
    QCOMPARE(int(r.s.ZvenoCount), 2 * pairLines + (midPair ? r.s.WizardState - 12 : 0));
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
    QueueRig r;
    r.d.answers = words(row.value(2));
    r.run(row.at(1));
    QCOMPARE(QString::number(r.s.WizardState), row.at(0));
    const auto snapshot = [&r] {
        int points = 0;
        for (int i = 1; i <= r.s.ZvenoCount; ++i)
            points += r.s.Zvenos[i].DPCount;
        return QStringList{r.buttons(), r.v().prompt, QString::number(r.s.WizardState), QString::number(r.s.ParaCount),
                           QString::number(r.s.ZvenoCount), QString::number(r.s.GroupCount), QString::number(points)} +
               r.v().input;
    };
    const QStringList before = snapshot();
    r.type(input);
    QCOMPARE(snapshot(), before);
    QCOMPARE(r.v().answerText, QString());
}

void WizardEngineTest::centresOfMass_discardedPassFreesTheNames()
{
    ScriptRig r;
    const auto centres = [&r](const char* second, const char* third, const QString& allListed) {
        r.d.expectQuestion(centreQuestion(1), 2, QString(), QStringLiteral("S1"))
            .expectQuestion(centreQuestion(2), 2, QString(), QLatin1String(second))
            .expectQuestion(centreQuestion(3), 2, QString(), QLatin1String(third))
            .expectQuestion(kAllCentresQuestion, 1, kZero, allListed);
    };
    r.d.expectQuestion(kForceQuestion, 1, kZero, kYes);
    centres("S2", "S3", kNo); // a pass discarded; its names are taken again
    centres("S3", "S2", kYes);
    r.run(kFourBar + QStringLiteral(" !E 0 1"));
    VERIFY_SCRIPT(r.d);
    QCOMPARE(int(r.s.WizardState), 51);
    QCOMPARE(r.v().input.mid(6), (QStringList{QStringLiteral("Цетр масс звена 1 лежит в точке S1"),
                                              QStringLiteral("Цетр масс звена 2 лежит в точке S3"),
                                              QStringLiteral("Цетр масс звена 3 лежит в точке S2")}));
    QCOMPARE(r.s.Zvenos[4].CM, QStringLiteral("S3"));
    // Back to the driving link and through the centres again: the old names are free again too.
    r.d.expectQuestion(kForceQuestion, 1, kZero, kYes);
    centres("S2", "S3", kYes);
    r.run(QStringLiteral("!P 1"));
    VERIFY_SCRIPT(r.d);
    QCOMPARE(r.v().input.size(), 9);
    QCOMPARE(r.s.Zvenos[4].CM, QStringLiteral("S2"));
}

void WizardEngineTest::centresOfMass_badNameAsksAgainAndEmptyIsAllowed()
{
    ScriptRig r;
    r.d.expectQuestion(kForceQuestion, 1, kZero, kYes)
        .expectQuestion(centreQuestion(1), 2, QString(), QStringLiteral("ABC"))
        .expectError(14)
        .expectError(14) // answer checking's own, then the question's
        .expectQuestion(centreQuestion(1), 2, QString(), QStringLiteral("A"))
        .expectError(18, QString(), QStringLiteral("A"))
        .expectError(14)
        .expectQuestion(centreQuestion(1), 2, QString(), QString())
        .expectQuestion(centreQuestion(2), 2, QString(), QStringLiteral("S2"))
        .expectQuestion(centreQuestion(3), 2, QString(), QStringLiteral("S3"))
        .expectQuestion(kAllCentresQuestion, 1, kZero, kYes);
    r.run(kFourBar + QStringLiteral(" !E 0 1"));
    VERIFY_SCRIPT(r.d);
    QCOMPARE(r.v().input.at(6), QStringLiteral("Цетр масс звена 1 лежит в точке "));
    QCOMPARE(r.s.Zvenos[2].CM, QString());
}

void WizardEngineTest::twoDegrees_bothDriversAndTheQuestionPrompt()
{
    QueueRig r;
    r.d.answers = {kNo, kNo};
    r.run(kFiveBar + QStringLiteral(" !E 0 1 4"));
    QCOMPARE(r.d.questions, (QStringList{kForceQuestion, kMoreQuestion}));
    QCOMPARE(r.d.prompts.value(0), StatePrompt(3, 0));
    QCOMPARE(int(r.s.WizardState), 81);
    QCOMPARE(r.v().input.mid(6), (QStringList{QStringLiteral("Начальное звено: звено 1"),
                                              QStringLiteral("Начальное звено: звено 4")}));
    QCOMPARE(int(r.s.WInitial), 2);
    // Both drivers stay flagged; links 2 and 3 are left for one group.
    QCOMPARE(int(AnalyseGroup(r.s, QStringLiteral("2"), QStringLiteral("4"))), 201);
    QCOMPARE(int(AnalyseGroup(r.s, QStringLiteral("1"), QStringLiteral("2"))), 101);
}

void WizardEngineTest::undoAfterStageReturns_leavesNoStaleRecords()
{
    QueueRig r;
    r.d.answers = {kNo, kNo};
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

void WizardEngineTest::capacity_thirtyThirdPairAndPointRefused()
{
    QueueRig r;
    for (int k = 1; k <= 32; ++k)
        r.run(QStringLiteral("r %1 %2 %3%4").arg(k - 1).arg(k).arg(QChar(u'A' + k / 10)).arg(k % 10)); // names of two letters
    r.run(QStringLiteral("p"));
    QCOMPARE((QList<int>{r.s.WizardState, r.s.ParaCount, r.s.ZvenoCount, int(r.v().input.size())}),
             (QList<int>{11, 32, 64, 32}));
    QCOMPARE(r.s.Paras[33].ParaType, QString());
    QCOMPARE(r.d.messages, QStringList{QStringLiteral("Ошибка #: %1").arg(kErrTooManyLinks)});
    QCOMPARE(r.buttons(), QStringLiteral("110"));

    QueueRig p;
    p.d.answers = {kNo, kYes};
    p.run(kFourBar + QStringLiteral(" !E 0 1"));
    for (int k = 1; k <= 32; ++k)
        p.run(QStringLiteral("2 %1%2").arg(QChar(u'a' + k / 10)).arg(k % 10));
    const QStringList lines = p.v().input;
    p.run(QStringLiteral("2"));
    QCOMPARE((QList<int>{p.s.WizardState, p.s.Zvenos[4].DPCount}), (QList<int>{71, 32}));
    QCOMPARE(p.v().input, lines);
    QCOMPARE(p.d.messages, QStringList{QStringLiteral("Ошибка #: %1").arg(kErrTooManyPoints)});
    QCOMPARE(p.buttons(), QStringLiteral("111"));
    p.run(QStringLiteral("3 Z")); // another link still takes points
    QCOMPARE(int(p.s.Zvenos[6].DPCount), 1);
}

void WizardEngineTest::freeLancerMode_needsSavedOutput()
{
    ScriptRig r;
    QSignalSpy requested(&r.e, &WizardEngine::freeEditRequested);
    r.d.expectMessage(QStringLiteral("Предупреждение"),
                      QStringLiteral("Ошибка #: 22\r\nРежим свободного редактирования, до завершения описания "
                                     "механизма, включить нельзя!"),
                      MessageIcon::Information);
    r.e.FreeLancerMode();
    QCOMPARE(requested.count(), 0);
    QCOMPARE(r.s.WindowMode, 0.0f);
    r.s.OutputSaved = 1.0f;
    r.e.FreeLancerMode();
    QCOMPARE(requested.count(), 1);
    QCOMPARE(r.s.WindowMode, 2.0f);
    VERIFY_SCRIPT(r.d);
}

void WizardEngineTest::procedureStates_runOnlyFromStageTwo()
{
    QueueRig r;
    r.s.WizardState = 9;
    r.type(QStringLiteral("anything"));
    QCOMPARE(int(r.s.WizardState), 9);
    QCOMPARE(r.procedures, QList<qint16>{9});
    QCOMPARE(r.v().prompt, StatePrompt(9, 0));
    QVERIFY(r.d.questions.isEmpty());
    for (qint16 state : {qint16(1), qint16(201), qint16(-1), qint16(0)}) {
        r.s.WizardState = state;
        r.type(QStringLiteral("1"));
        QCOMPARE(r.s.WizardState, state);
        QCOMPARE(r.v().answerText, QStringLiteral("1"));
    }
    QCOMPARE(r.procedures.size(), 1);
}

QTEST_GUILESS_MAIN(WizardEngineTest)
#include "wizardengine_test.moc"
