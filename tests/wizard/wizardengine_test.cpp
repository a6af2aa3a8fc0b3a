#include "errors.h"
#include "scripteddialogs.h"
#include "session.h"
#include "stage2.h"
#include "stagetree.h"
#include "structure.h"
#include "wizardengine.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kForceQuestion = QStringLiteral("Будет производиться силовой анализ?");
const QString kMoreQuestion = QStringLiteral("Есть еще точки, представляющие интерес?");
const QString kAllCentresQuestion = QStringLiteral("Все центры масс звеньев перечислены?");
const QString kZero = QStringLiteral("0");
const QString kYes = QStringLiteral("6");
const QString kNo = QStringLiteral("7");

QString centreQuestion(const char* link)
{
    return QStringLiteral("Введите центр масс звена ") + QLatin1String(link);
}

// The scripted dialogs that also note the prompt shown while each question is open.
class PromptSpy : public ScriptedDialogs {
public:
    using ScriptedDialogs::ScriptedDialogs;
    const WizardEngine* engine = nullptr;
    QStringList prompts;
    QList<QPoint> positions;
    QString askQuestion(const QString& question, float mode, const QString& defaultText, QPoint at) override
    {
        // A question asked again and again past the script means the engine loops: stop loudly.
        if (positions.size() > 200)
            qFatal("the wizard keeps asking after its script ended: %s", qPrintable(question));
        if (engine)
            prompts << engine->display().prompt;
        positions << at;
        return ScriptedDialogs::askQuestion(question, mode, defaultText, at);
    }
};

// Dialogs that give queued answers whatever is asked, and note the first line of every message.
class QueueDialogs : public Dialogs {
public:
    QStringList answers;
    QStringList questions;
    QStringList messages;
    QString askQuestion(const QString& question, float, const QString&, QPoint) override
    {
        questions << question;
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

template <class D>
struct Rig {
    Session s;
    D d;
    WizardEngine e;
    QList<qint16> procedures; // stage-2 states the chain reached

    // Stage 1 is tested on its own: the chain stops where stage 2 would begin.
    template <class... A>
    explicit Rig(A&&... args)
        : d(std::forward<A>(args)...)
        , e(s, d)
    {
        e.setWindowOrigin(QPoint(100, 50));
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
    // A script: words are typed answers; "!E" end of stage, "!U" undo, "!P" stage return, "~" an
    // empty answer.
    void run(const QString& script)
    {
        for (const QString& word : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (word == QStringLiteral("!E"))
                e.EndStage();
            else if (word == QStringLiteral("!U"))
                e.Undo();
            else if (word == QStringLiteral("!P"))
                e.StageReturn();
            else if (word == QStringLiteral("~"))
                type(QString());
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

struct ScriptRig : Rig<PromptSpy> {
    ScriptRig()
        : Rig<PromptSpy>(s)
    {
        d.engine = &e;
    }
};

using QueueRig = Rig<QueueDialogs>;

const QString kFourBar = QStringLiteral("r 0 1 A r 1 2 B R 2 3 C r 3 0 D");
const QString kSixBar = QStringLiteral("r 0 1 A r 1 2 B r 2 3 C r 3 0 D r 2 4 E r 4 5 F p 5 0 G");
const QString kFiveBar = QStringLiteral("r 0 1 A r 1 2 B r 2 3 C r 3 4 D r 4 0 E");
const QString kCrank = QStringLiteral("p 0 1 A");

QString pairLine(const char* type, const char* l1, const char* l2, const char* name)
{
    return QLatin1String(type) + QStringLiteral("\t|") + QLatin1String(l1) + QStringLiteral("\t|") + QLatin1String(l2) +
           QStringLiteral("\t|") + QLatin1String(name);
}

#define VERIFY_SCRIPT(d) QVERIFY2((d).problems().isEmpty(), qPrintable((d).problems().join(QLatin1Char('\n'))))

} // namespace

class WizardEngineTest : public QObject {
    Q_OBJECT
private slots:
    void newDescription_startsInStateEleven();
    void fourBar_stageOne_everyStep();
    void fourBar_records_afterStageOne();
    void fourBar_withCentresAndPoints_exactTexts();
    void centresOfMass_discardedPassAsksAgainWithSameNames();
    void centresOfMass_badNameAsksAgainAndEmptyIsAllowed();
    void twoDegrees_promptKeepsWUntilTheQuestion();
    void groupRefusals_exactMessages();
    void frameErrors_warnAndGoOn_data();
    void frameErrors_warnAndGoOn();
    void rows_data();
    void rows();
    void badInput_changesNothing_data();
    void badInput_changesNothing();
    void undoAfterStageReturns_leavesNoStaleRecords();
    void capacity_thirtyThirdPairRefused();
    void capacity_thirtyThirdPointRefused();
    void sliderCrank_groupOfTypeTwo();
    void threePairLink_cutAndExtraPairsFlag();
    void freeLancerMode_needsSavedOutput();
    void procedureStates_stopAtStageTwo();
    void fourBar_wholeDescriptionToTheSavedFiles();
    void questions_openAtOnePointTwoTimesTheWindow();
};

void WizardEngineTest::newDescription_startsInStateEleven()
{
    QueueRig r;
    QSignalSpy changed(&r.e, &WizardEngine::changed);
    r.s.WizardState = 0;
    r.s.ParaCount = 3;
    r.e.startNewDescription();
    QCOMPARE(int(r.s.WizardState), 11);
    QCOMPARE(int(r.s.ParaCount), 0);
    QCOMPARE(r.v().prompt, StatePrompt(11, 0));
    QVERIFY(r.v().input.isEmpty());
    QVERIFY(r.v().pairs.isEmpty());
    QVERIFY(r.v().links.isEmpty());
    QCOMPARE(r.buttons(), QStringLiteral("000"));
    QVERIFY(!r.v().returnMenuVisible);
    QVERIFY(!r.v().returnMenuEnabled);
    QCOMPARE(changed.count(), 1);
    // Nothing is taken in state 0.
    r.s.WizardState = 0;
    r.type(QStringLiteral("r"));
    QCOMPARE(int(r.s.ParaCount), 0);
    QCOMPARE(r.v().answerText, QStringLiteral("r"));
}

void WizardEngineTest::fourBar_stageOne_everyStep()
{
    ScriptRig r;
    r.d.expectQuestion(kForceQuestion, 1, kZero, kNo).expectQuestion(kMoreQuestion, 1, kZero, kNo);
    const struct {
        const char* action;
        int state;
        int lines;
        const char* buttons;
    } steps[] = {
        {"r", 12, 0, "000"}, {"0", 13, 0, "000"}, {"1", 14, 0, "000"}, {"A", 11, 1, "110"},
        {"r", 12, 1, "000"}, {"1", 13, 1, "000"}, {"2", 14, 1, "000"}, {"B", 11, 2, "110"},
        {"R", 12, 2, "000"}, {"2", 13, 2, "000"}, {"3", 14, 2, "000"}, {"C", 11, 3, "110"},
        {"r", 12, 3, "000"}, {"3", 13, 3, "000"}, {"0", 14, 3, "000"}, {"D", 11, 4, "110"},
        {"!E", 2, 4, "011"}, {"0", 3, 5, "011"},  {"1", 81, 6, "011"}, {"2", 82, 6, "000"},
        {"3", 9, 7, "011"},
    };
    const QStringList lines = {pairLine("r", "0", "1", "A"), pairLine("r", "1", "2", "B"), pairLine("R", "2", "3", "C"),
                               pairLine("r", "3", "0", "D"), QStringLiteral("Стойка: звено 0"),
                               QStringLiteral("Начальное звено: звено 1"),
                               QStringLiteral("Звено 1 -   2 Звено 2 -   3")};
    for (const auto& step : steps) {
        const QString action = QString::fromLatin1(step.action);
        r.run(action);
        const QByteArray where = "after " + QByteArray(step.action) + " in state " + QByteArray::number(step.state);
        QVERIFY2(r.s.WizardState == step.state, where.constData());
        QCOMPARE(r.v().input, lines.mid(0, step.lines));
        QCOMPARE(r.buttons(), QString::fromLatin1(step.buttons));
        QCOMPARE(r.v().answerText, QString());
        if (step.state == 3)
            QCOMPARE(r.v().prompt, QStringLiteral("Введите имя звена, являющегося начальным\r\nW = 1"));
        else
            QCOMPARE(r.v().prompt, StatePrompt(qint16(step.state), r.s.W));
    }
    VERIFY_SCRIPT(r.d);
    // The force-analysis question came with W = 0 in the prompt.
    QCOMPARE(r.d.prompts.value(0), StatePrompt(3, 0));
    // Straight from the driving link to the further-points question: the prompt stays as it was.
    QCOMPARE(r.d.prompts.value(1), StatePrompt(3, 0));
    const std::array<bool, 10> items = {false, true, true, true, false, false, true, false, false, false};
    QCOMPARE(r.v().stageItemEnabled, items);
    QVERIFY(!r.v().returnMenuVisible);
    QCOMPARE(r.v().GroupsListMark, 6);
    QCOMPARE(r.v().DrivingListMark, 5);
}

void WizardEngineTest::fourBar_records_afterStageOne()
{
    QueueRig r;
    r.d.answers = {kNo, kNo};
    r.run(kFourBar + QStringLiteral(" !E 0 1 2 3"));
    const Session& s = r.s;
    QCOMPARE(int(s.WizardState), 9);
    QCOMPARE(int(s.ParaCount), 4);
    QCOMPARE(int(s.ZvenoCount), 8);
    const char* names[] = {"0", "1", "1", "2", "2", "3", "3", "0"};
    const char* marks[] = {"", "", "c", "", "c", "", "c", "c"};
    for (int i = 1; i <= 8; ++i) {
        QCOMPARE(s.Zvenos[i].Name, QLatin1String(names[i - 1]));
        QCOMPARE(s.Zvenos[i].Mark, QLatin1String(marks[i - 1]));
    }
    QCOMPARE(s.Paras[3].ParaType, QStringLiteral("r")); // typed as R
    QCOMPARE(s.Paras[3].Name, QStringLiteral("C"));
    QCOMPARE(s.Paras[3].Zveno1, QStringLiteral("2"));
    QCOMPARE(int(s.Paras[3].Zveno1Index), 5); // the last record named 2
    QCOMPARE(int(s.Paras[3].Zveno2Index), 7);
    QCOMPARE(s.Zvenos[1].IsFrame, 1.0f);
    QCOMPARE(int(s.FrameIndex), 1);
    QCOMPARE(s.Zvenos[2].IsDriving, 1.0f);
    QCOMPARE(int(s.Zvenos[2].GroupNo), 0);
    QCOMPARE(s.Zvenos[4].Para1, QStringLiteral("B"));
    QCOMPARE(s.Zvenos[4].Para2, QStringLiteral("C"));
    QCOMPARE(int(s.Zvenos[4].Para1Index), 2);
    QCOMPARE(int(s.Zvenos[4].Para2Index), 3);
    QCOMPARE(s.Zvenos[4].ZType, QStringLiteral("rr"));
    QCOMPARE(s.Zvenos[1].ZType, QStringLiteral("rr")); // the frame: A and D
    QCOMPARE(int(s.Zvenos[4].GroupNo), 1);
    QCOMPARE(int(s.Zvenos[6].GroupNo), 1);
    QCOMPARE(int(s.GroupCount), 1);
    QCOMPARE(s.Groups[1].Name, QStringLiteral("1"));
    QCOMPARE(s.Groups[1].GType, QStringLiteral("1"));
    QCOMPARE(int(s.Groups[1].Zveno1Index), 4);
    QCOMPARE(int(s.Groups[1].Zveno2Index), 6);
    QCOMPARE(int(s.W), 0);
    QCOMPARE(int(s.WInitial), 1);
    QCOMPARE(s.ForceAnalysis, 7.0f);
    QCOMPARE(s.MorePoints, 7.0f);
    QCOMPARE(s.ExtraPairsFlag, 0.0f);
    QCOMPARE(s.ErrorDetail, QStringLiteral("1"));
    QCOMPARE(r.v().pairs.size(), 40);
    QCOMPARE(r.v().links.size(), 40);
    QCOMPARE(r.v().links.at(5), QStringLiteral("Звено: группа - 0"));
    QCOMPARE(r.v().links.at(25), QStringLiteral("Звено: группа - 1"));
    QVERIFY(r.d.messages.isEmpty());
}

void WizardEngineTest::fourBar_withCentresAndPoints_exactTexts()
{
    ScriptRig r;
    r.d.expectQuestion(kForceQuestion, 1, kZero, kYes)
        .expectQuestion(centreQuestion("1"), 2, QString(), QStringLiteral("S1"))
        .expectQuestion(centreQuestion("2"), 2, QString(), QStringLiteral("S2"))
        .expectQuestion(centreQuestion("3"), 2, QString(), QStringLiteral("S3"))
        .expectQuestion(kAllCentresQuestion, 1, kZero, kYes);
    r.run(kFourBar + QStringLiteral(" !E 0 1"));
    QCOMPARE(int(r.s.WizardState), 51);
    QCOMPARE(r.s.ForceAnalysis, 6.0f);
    QCOMPARE(r.buttons(), QStringLiteral("011"));
    QCOMPARE(r.v().input.mid(6), (QStringList{QStringLiteral("Цетр масс звена 1 лежит в точке S1"),
                                              QStringLiteral("Цетр масс звена 2 лежит в точке S2"),
                                              QStringLiteral("Цетр масс звена 3 лежит в точке S3")}));
    QCOMPARE(r.s.Zvenos[4].CM, QStringLiteral("S2"));
    QVERIFY(r.v().stageItemEnabled[4]);

    r.run(QStringLiteral("1"));
    QCOMPARE(int(r.s.WizardState), 52);
    QCOMPARE(r.buttons(), QStringLiteral("000"));
    r.run(QStringLiteral("F"));
    QCOMPARE(r.v().input.last(), QStringLiteral("Звено: 1 Точка приложения силы: F"));
    QCOMPARE(r.buttons(), QStringLiteral("111"));
    r.run(QStringLiteral("1 G"));
    QCOMPARE(int(r.s.Zvenos[2].DPCount), 2);
    QCOMPARE(r.s.Zvenos[2].DP[2].Name, QStringLiteral("G"));
    QCOMPARE(r.s.Zvenos[2].DP[2].Kind, QStringLiteral("f"));
    QVERIFY(r.v().links.contains(QStringLiteral("\tДоп точка: имя G")));

    // A point name that is already taken: the answer is refused, nothing moves.
    r.d.expectError(18, QString(), QStringLiteral("S3"));
    r.run(QStringLiteral("1 S3"));
    QCOMPARE(int(r.s.WizardState), 52);
    QCOMPARE(int(r.s.Zvenos[2].DPCount), 2);
    r.run(QStringLiteral("!U"));

    r.d.expectQuestion(kMoreQuestion, 1, kZero, kYes);
    r.run(QStringLiteral("!E"));
    QCOMPARE(int(r.s.WizardState), 71);
    QCOMPARE(r.v().prompt, QStringLiteral("ВВЕДИТЕ ИМЯ ЗВЕНА: "));
    QVERIFY(r.v().stageItemEnabled[5]);
    QVERIFY(r.v().stageItemEnabled[6]);
    r.run(QStringLiteral("3 K"));
    QCOMPARE(r.v().input.last(), QStringLiteral("Звено: 3 Дополнительная точка: K"));
    QCOMPARE(r.s.Zvenos[6].DP[1].Kind, QStringLiteral("o"));
    QCOMPARE(r.s.MorePoints, 6.0f);
    r.run(QStringLiteral("!E"));
    QCOMPARE(int(r.s.WizardState), 81);
    QCOMPARE(r.v().GroupsListMark, int(r.v().input.size()));
    QCOMPARE(r.buttons(), QStringLiteral("011"));
    VERIFY_SCRIPT(r.d);
}

void WizardEngineTest::centresOfMass_discardedPassAsksAgainWithSameNames()
{
    ScriptRig r;
    r.d.expectQuestion(kForceQuestion, 1, kZero, kYes)
        .expectQuestion(centreQuestion("1"), 2, QString(), QStringLiteral("S1"))
        .expectQuestion(centreQuestion("2"), 2, QString(), QStringLiteral("S2"))
        .expectQuestion(centreQuestion("3"), 2, QString(), QStringLiteral("S3"))
        .expectQuestion(kAllCentresQuestion, 1, kZero, kNo)
        // The same names are taken again: the discarded pass no longer holds them.
        .expectQuestion(centreQuestion("1"), 2, QString(), QStringLiteral("S1"))
        .expectQuestion(centreQuestion("2"), 2, QString(), QStringLiteral("S3"))
        .expectQuestion(centreQuestion("3"), 2, QString(), QStringLiteral("S2"))
        .expectQuestion(kAllCentresQuestion, 1, kZero, kYes);
    r.run(kFourBar + QStringLiteral(" !E 0 1"));
    VERIFY_SCRIPT(r.d);
    QCOMPARE(r.v().input.size(), 9);
    QCOMPARE(r.v().input.mid(6), (QStringList{QStringLiteral("Цетр масс звена 1 лежит в точке S1"),
                                              QStringLiteral("Цетр масс звена 2 лежит в точке S3"),
                                              QStringLiteral("Цетр масс звена 3 лежит в точке S2")}));
    QCOMPARE(r.s.Zvenos[4].CM, QStringLiteral("S3"));
    QCOMPARE(int(r.s.WizardState), 51);

    // Back to the driving link and through the centres again: the old names are free again too.
    r.d.expectQuestion(kForceQuestion, 1, kZero, kYes)
        .expectQuestion(centreQuestion("1"), 2, QString(), QStringLiteral("S1"))
        .expectQuestion(centreQuestion("2"), 2, QString(), QStringLiteral("S2"))
        .expectQuestion(centreQuestion("3"), 2, QString(), QStringLiteral("S3"))
        .expectQuestion(kAllCentresQuestion, 1, kZero, kYes);
    r.run(QStringLiteral("!P 1"));
    VERIFY_SCRIPT(r.d);
    QCOMPARE(r.v().input.size(), 9);
    QCOMPARE(r.s.Zvenos[4].CM, QStringLiteral("S2"));
}

void WizardEngineTest::centresOfMass_badNameAsksAgainAndEmptyIsAllowed()
{
    ScriptRig r;
    r.d.expectQuestion(kForceQuestion, 1, kZero, kYes)
        .expectQuestion(centreQuestion("1"), 2, QString(), QStringLiteral("ABC"))
        .expectError(14)
        .expectError(14) // answer checking's own, then the question's
        .expectQuestion(centreQuestion("1"), 2, QString(), QStringLiteral("A"))
        .expectError(18, QString(), QStringLiteral("A"))
        .expectError(14)
        .expectQuestion(centreQuestion("1"), 2, QString(), QString())
        .expectQuestion(centreQuestion("2"), 2, QString(), QStringLiteral("S2"))
        .expectQuestion(centreQuestion("3"), 2, QString(), QStringLiteral("S3"))
        .expectQuestion(kAllCentresQuestion, 1, kZero, kYes);
    r.run(kFourBar + QStringLiteral(" !E 0 1"));
    VERIFY_SCRIPT(r.d);
    QCOMPARE(r.v().input.at(6), QStringLiteral("Цетр масс звена 1 лежит в точке "));
    QCOMPARE(r.s.Zvenos[2].CM, QString());
}

void WizardEngineTest::twoDegrees_promptKeepsWUntilTheQuestion()
{
    ScriptRig r;
    r.d.expectError(19).expectQuestion(kForceQuestion, 1, kZero, kNo).expectQuestion(kMoreQuestion, 1, kZero, kNo);
    r.run(kFiveBar + QStringLiteral(" !E 0"));
    const QString w2 = QStringLiteral("Введите имя звена, являющегося начальным\r\nW = 2");
    QCOMPARE(r.v().prompt, w2);
    QCOMPARE(int(r.s.W), 2);
    r.run(QStringLiteral("1"));
    QCOMPARE(int(r.s.WizardState), 3);
    QCOMPARE(int(r.s.W), 1);
    QCOMPARE(r.v().prompt, w2);
    r.run(QStringLiteral("4"));
    VERIFY_SCRIPT(r.d);
    QCOMPARE(r.d.prompts.value(0), QStringLiteral("Введите имя звена, являющегося начальным\r\nW = 0"));
    QCOMPARE(int(r.s.WizardState), 81);
    QCOMPARE(r.v().input.mid(5), (QStringList{QStringLiteral("Стойка: звено 0"),
                                              QStringLiteral("Начальное звено: звено 1"),
                                              QStringLiteral("Начальное звено: звено 4")}));
    QCOMPARE(r.s.Zvenos[2].IsDriving, 1.0f);
    QCOMPARE(int(r.s.WInitial), 2);
    // Both drivers stay flagged; links 2 and 3 are left for one group.
    QCOMPARE(int(AnalyseGroup(r.s, QStringLiteral("2"), QStringLiteral("4"))), 201);
}

void WizardEngineTest::groupRefusals_exactMessages()
{
    ScriptRig r;
    r.d.expectQuestion(kForceQuestion, 1, kZero, kNo).expectQuestion(kMoreQuestion, 1, kZero, kNo);
    r.run(kSixBar + QStringLiteral(" !E 0 1"));
    r.d.expectMessage(QStringLiteral("Обнаружена ошибка ввода!"),
                      QStringLiteral("Ошибка #: 200\r\nОшибка ввода!\r\nВторое указанное звено - стойка!"),
                      MessageIcon::Critical);
    r.run(QStringLiteral("2 0"));
    QCOMPARE(r.s.ErrorDetail, QStringLiteral("200"));
    QCOMPARE(int(r.s.WizardState), 81);
    QCOMPARE(r.v().prompt, StatePrompt(81, 0));
    r.d.expectMessage(QStringLiteral("Обнаружена ошибка ввода!"),
                      QStringLiteral("Ошибка #: 0\r\nОшибка ввода!\r\nЗвена с таким именем не существует!"),
                      MessageIcon::Critical);
    r.run(QStringLiteral("77 2"));
    r.d.expectMessage(QStringLiteral("Обнаружена ошибка ввода!"),
                      QStringLiteral("Ошибка #: 25\r\nНельзя, создавая группу, указывать одино и то же звено!"),
                      MessageIcon::Critical);
    r.run(QStringLiteral("3 3"));
    QCOMPARE(int(r.s.WizardState), 82);
    QCOMPARE(r.v().prompt, StatePrompt(82, 0));
    r.run(QStringLiteral("2"));
    QCOMPARE(r.v().input.last(), QStringLiteral("Звено 1 -   3 Звено 2 -   2"));
    r.d.expectError(15, QStringLiteral("102"));
    r.run(QStringLiteral("3 4"));
    VERIFY_SCRIPT(r.d);
    QCOMPARE(int(r.s.GroupCount), 1);
    QCOMPARE(int(r.s.Groups[1].Zveno1Index), 6);
}

void WizardEngineTest::frameErrors_warnAndGoOn_data()
{
    QTest::addColumn<QString>("pairs");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("w");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("W = 1 quiet") << kFourBar << QStringLiteral("0") << 3 << 1 << QStringList();
    QTest::newRow("W = 0 error 16") << QStringLiteral("r 0 1 A r 1 2 B r 2 0 C") << QStringLiteral("0") << 3 << 0
                                    << QStringList{QStringLiteral("Ошибка #: 16")};
    QTest::newRow("W = 2 error 19") << kFiveBar << QStringLiteral("0") << 3 << 2
                                    << QStringList{QStringLiteral("Ошибка #: 19")};
    QTest::newRow("unknown frame error 12") << kFourBar << QStringLiteral("7") << 2 << 0
                                            << QStringList{QStringLiteral("Ошибка #: 12")};
    QTest::newRow("driving unknown error 13") << kFourBar << QStringLiteral("0 9") << 3 << 1
                                              << QStringList{QStringLiteral("Ошибка #: 13")};
}

void WizardEngineTest::frameErrors_warnAndGoOn()
{
    QFETCH(QString, pairs);
    QFETCH(QString, frame);
    QFETCH(int, state);
    QFETCH(int, w);
    QFETCH(QStringList, messages);
    QueueRig r;
    r.run(pairs + QStringLiteral(" !E ") + frame);
    QCOMPARE(int(r.s.WizardState), state);
    QCOMPARE(int(r.s.W), w);
    QCOMPARE(r.d.messages, messages);
    if (state == 3)
        QCOMPARE(r.v().prompt, StatePrompt(3, qint16(w)));
}

void WizardEngineTest::rows_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("buttons");
    QTest::addColumn<QStringList>("messages");

    const QStringList centres = {kYes, QStringLiteral("S1"), QStringLiteral("S2"), QStringLiteral("S3"), kYes};
    const QString atForces = kFourBar + QStringLiteral(" !E 0 1 ");
    const QString cmLine3 = QStringLiteral("Цетр масс звена 3 лежит в точке S3");
    const QString pointF = QStringLiteral("Звено: 1 Точка приложения силы: F");
    const QStringList none;
    const QStringList noNo = {kNo, kNo};
    const QStringList noYes = {kNo, kYes};

    // Undo.
    QTest::newRow("undo first pair") << QStringLiteral("r 0 1 A !U") << none << 11 << 0 << QString()
                                     << QStringLiteral("010") << none;
    QTest::newRow("undo second pair") << QStringLiteral("r 0 1 A r 1 2 B !U") << none << 11 << 1
                                      << pairLine("r", "0", "1", "A") << QStringLiteral("110") << none;
    QTest::newRow("undo in 12 nothing") << QStringLiteral("r 0 1 A r !U") << none << 12 << 1
                                        << pairLine("r", "0", "1", "A") << QStringLiteral("000") << none;
    QTest::newRow("undo one of two points") << atForces + QStringLiteral("1 F 1 G !U") << centres << 51 << 10
                                            << pointF << QStringLiteral("111") << none;
    QTest::newRow("undo last point") << atForces + QStringLiteral("1 F !U") << centres << 51 << 9 << cmLine3
                                     << QStringLiteral("011") << none;
    QTest::newRow("undo in 51 on a centre line nothing")
        << atForces + QStringLiteral("1 F !U !U") << centres << 51 << 9 << cmLine3 << QStringLiteral("011") << none;
    QTest::newRow("undo in 52") << atForces + QStringLiteral("1 !U") << centres << 51 << 9 << cmLine3
                                << QStringLiteral("100") << none;
    QTest::newRow("point on no link: error 15 and back to 51")
        << atForces + QStringLiteral("9 F") << centres << 51 << 9 << cmLine3 << QStringLiteral("100")
        << QStringList{QStringLiteral("Ошибка #: 0")};
    QTest::newRow("undo in 72") << kFourBar + QStringLiteral(" !E 0 1 2 !U") << noYes << 71 << 6
                                << QStringLiteral("Начальное звено: звено 1") << QStringLiteral("100") << none;
    QTest::newRow("point of interest on no link")
        << kFourBar + QStringLiteral(" !E 0 1 5 K") << noYes << 71 << 6 << QStringLiteral("Начальное звено: звено 1")
        << QStringLiteral("100") << QStringList{QStringLiteral("Ошибка #: 0")};
    QTest::newRow("undo group") << kSixBar + QStringLiteral(" !E 0 1 2 3 !U") << noNo << 81 << 9
                                << QStringLiteral("Начальное звено: звено 1") << QStringLiteral("011") << none;
    QTest::newRow("undo stops at the first group") << kSixBar + QStringLiteral(" !E 0 1 2 3 !U !U") << noNo << 81 << 9
                                                   << QStringLiteral("Начальное звено: звено 1")
                                                   << QStringLiteral("011") << none;
    QTest::newRow("undo in 82") << kSixBar + QStringLiteral(" !E 0 1 2 !U") << noNo << 81 << 9
                                << QStringLiteral("Начальное звено: звено 1") << QStringLiteral("101") << none;

    // Stage return.
    QTest::newRow("return from 2") << kFourBar + QStringLiteral(" !E !P") << none << 11 << 4
                                   << pairLine("r", "3", "0", "D") << QStringLiteral("010") << none;
    QTest::newRow("return from 3") << kFourBar + QStringLiteral(" !E 0 !P") << none << 2 << 4
                                   << pairLine("r", "3", "0", "D") << QStringLiteral("011") << none;
    QTest::newRow("return from 3 after one of two drivers")
        << kFiveBar + QStringLiteral(" !E 0 1 !P") << none << 2 << 5 << pairLine("r", "4", "0", "E")
        << QStringLiteral("011") << QStringList{QStringLiteral("Ошибка #: 19")};
    QTest::newRow("return from 51") << atForces + QStringLiteral("1 F !P") << centres << 3 << 5
                                    << QStringLiteral("Стойка: звено 0") << QStringLiteral("011") << none;
    QTest::newRow("return from 71") << kFourBar + QStringLiteral(" !E 0 1 2 K !P") << noYes << 3 << 5
                                    << QStringLiteral("Стойка: звено 0") << QStringLiteral("011") << none;
    QTest::newRow("return from 81") << kSixBar + QStringLiteral(" !E 0 1 2 3 !P") << noNo << 3 << 8
                                    << QStringLiteral("Стойка: звено 0") << QStringLiteral("011") << none;
    QTest::newRow("return in 82 nothing") << kSixBar + QStringLiteral(" !E 0 1 2 !P") << noNo << 82 << 9
                                          << QStringLiteral("Начальное звено: звено 1") << QStringLiteral("000")
                                          << none;
    QTest::newRow("return in 11 nothing") << QStringLiteral("r 0 1 A !P") << none << 11 << 1
                                          << pairLine("r", "0", "1", "A") << QStringLiteral("110") << none;

    // End of stage.
    QTest::newRow("end in 12 nothing") << QStringLiteral("r !E") << none << 12 << 0 << QString()
                                       << QStringLiteral("000") << none;
    QTest::newRow("end in 51 after undo in 52, buttons disabled")
        << atForces + QStringLiteral("1 !U !E") << (QStringList(centres) << kNo) << 81 << 9 << cmLine3
        << QStringLiteral("001") << none;
    QTest::newRow("end in 71") << kFourBar + QStringLiteral(" !E 0 1 2 K !E") << noYes << 81 << 7
                               << QStringLiteral("Звено: 2 Дополнительная точка: K") << QStringLiteral("011") << none;
    QTest::newRow("end in 81 with a free link nothing") << kSixBar + QStringLiteral(" !E 0 1 2 3 !E") << noNo << 81
                                                        << 10 << QStringLiteral("Звено 1 -   2 Звено 2 -   3")
                                                        << QStringLiteral("111") << none;
    QTest::newRow("end in 82 skips the group") << kSixBar + QStringLiteral(" !E 0 1 2 !E") << noNo << 9 << 9
                                               << QStringLiteral("Начальное звено: звено 1") << QStringLiteral("001")
                                               << none;
    QTest::newRow("end in 81 with nothing to group") << kCrank + QStringLiteral(" !E 0 1 !E") << noNo << 9 << 3
                                                     << QStringLiteral("Начальное звено: звено 1")
                                                     << QStringLiteral("010") << none;
    QTest::newRow("last group ends the stage") << kSixBar + QStringLiteral(" !E 0 1 2 3 4 5") << noNo << 9 << 11
                                               << QStringLiteral("Звено 1 -   4 Звено 2 -   5")
                                               << QStringLiteral("011") << none;

    // Groups refused.
    const QString atGroups = kSixBar + QStringLiteral(" !E 0 1 ");
    const QString driving = QStringLiteral("Начальное звено: звено 1");
    const struct {
        const char* name;
        const char* answers;
        const char* code;
    } refused[] = {{"first is frame", "0 2", "100"},      {"first is driving", "1 2", "101"},
                   {"second is frame", "2 0", "200"},     {"second is driving", "2 1", "201"},
                   {"first unknown", "9 2", "0"},         {"second unknown", "2 9", "0"},
                   {"first grouped", "2 3 3 4", "102"},   {"second grouped", "2 3 4 2", "202"}};
    for (const auto& row : refused) {
        const bool after = QByteArray(row.answers).size() > 3;
        QTest::addRow("group: %s", row.name)
            << atGroups + QLatin1String(row.answers) << noNo << 81 << (after ? 10 : 9)
            << (after ? QStringLiteral("Звено 1 -   2 Звено 2 -   3") : driving) << QStringLiteral("101")
            << QStringList{QStringLiteral("Ошибка #: ") + QLatin1String(row.code)};
    }
    QTest::newRow("group: same link twice") << atGroups + QStringLiteral("2 2") << noNo << 82 << 9 << driving
                                            << QStringLiteral("000") << QStringList{QStringLiteral("Ошибка #: 25")};
    QTest::newRow("group: same link twice, then another")
        << atGroups + QStringLiteral("2 2 3") << noNo << 81 << 10 << QStringLiteral("Звено 1 -   2 Звено 2 -   3")
        << QStringLiteral("111") << QStringList{QStringLiteral("Ошибка #: 25")};
    QTest::newRow("group: a pair's name") << atGroups + QStringLiteral("A") << noNo << 81 << 9 << driving
                                          << QStringLiteral("011") << QStringList{QStringLiteral("Ошибка #: 18")};
    // Entered from the further-points question: undo must not read earlier lines as a group.
    QTest::newRow("undo at 81 right after entering") << atGroups + QStringLiteral("!U") << noNo << 81 << 9 << driving
                                                     << QStringLiteral("011") << none;
}

void WizardEngineTest::rows()
{
    QFETCH(QString, script);
    QFETCH(QStringList, answers);
    QFETCH(int, state);
    QFETCH(int, lines);
    QFETCH(QString, last);
    QFETCH(QString, buttons);
    QFETCH(QStringList, messages);
    QueueRig r;
    r.d.answers = answers;
    r.run(script);
    QCOMPARE(int(r.s.WizardState), state);
    QCOMPARE(int(r.v().input.size()), lines);
    QCOMPARE(r.v().input.isEmpty() ? QString() : r.v().input.last(), last);
    QCOMPARE(r.buttons(), buttons);
    QCOMPARE(r.d.messages, messages);
    QVERIFY2(r.d.answers.isEmpty(), qPrintable(r.d.answers.join(QLatin1Char(','))));
    QCOMPARE(r.v().answerText, QString());
    // The records agree with the protocol: as many pairs as pair lines, two link records each.
    const qsizetype pairLines =
        std::count_if(r.v().input.cbegin(), r.v().input.cend(), [](const QString& l) { return l.contains(QLatin1Char('\t')); });
    const bool midPair = state == 12 || state == 13 || state == 14;
    QCOMPARE(int(r.s.ParaCount), int(pairLines) + (midPair ? 1 : 0));
    if (!midPair)
        QCOMPARE(int(r.s.ZvenoCount), 2 * int(pairLines));
}

void WizardEngineTest::badInput_changesNothing_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("input");
    const QStringList centres = {kYes, QStringLiteral("S1"), QStringLiteral("S2"), QStringLiteral("S3"), kYes};
    const QStringList noNo = {kNo, kNo};
    const QStringList noYes = {kNo, kYes};
    const struct {
        const char* state;
        QString script;
        QStringList answers;
    } states[] = {
        {"11", QStringLiteral("r 0 1 A"), {}},
        {"12", QStringLiteral("r"), {}},
        {"13", QStringLiteral("r 0"), {}},
        {"14", QStringLiteral("r 0 1"), {}},
        {"2", kFourBar + QStringLiteral(" !E"), {}},
        {"3", kFourBar + QStringLiteral(" !E 0"), {}},
        {"51", kFourBar + QStringLiteral(" !E 0 1"), centres},
        {"52", kFourBar + QStringLiteral(" !E 0 1 1"), centres},
        {"71", kFourBar + QStringLiteral(" !E 0 1"), noYes},
        {"72", kFourBar + QStringLiteral(" !E 0 1 1"), noYes},
        {"81", kSixBar + QStringLiteral(" !E 0 1"), noNo},
        {"82", kSixBar + QStringLiteral(" !E 0 1 2"), noNo},
    };
    const struct {
        const char* name;
        QString text;
    } inputs[] = {{"empty", QString()},
                  {"blank", QStringLiteral(" ")},
                  {"long", QString(300, QLatin1Char('7'))},
                  {"cyrillic", QStringLiteral("Ж")},
                  {"two cyrillic", QStringLiteral("ЖЯ")},
                  {"rejection marker", QStringLiteral("/E")},
                  {"tab", QStringLiteral("\t")}};
    for (const auto& st : states)
        for (const auto& in : inputs)
            QTest::addRow("%s %s", st.state, in.name) << st.script << st.answers << in.text;
}

void WizardEngineTest::badInput_changesNothing()
{
    QFETCH(QString, script);
    QFETCH(QStringList, answers);
    QFETCH(QString, input);
    QueueRig r;
    r.d.answers = answers;
    r.run(script);
    const qint16 state = r.s.WizardState;
    const QStringList lines = r.v().input;
    const QString buttons = r.buttons();
    const qint16 pairs = r.s.ParaCount;
    const qint16 links = r.s.ZvenoCount;
    const qint16 groups = r.s.GroupCount;
    const QString prompt = r.v().prompt;
    r.type(input);
    QCOMPARE(r.s.WizardState, state);
    QCOMPARE(r.v().input, lines);
    QCOMPARE(r.buttons(), buttons);
    QCOMPARE(r.s.ParaCount, pairs);
    QCOMPARE(r.s.ZvenoCount, links);
    QCOMPARE(r.s.GroupCount, groups);
    QCOMPARE(r.v().prompt, prompt);
    QCOMPARE(r.v().answerText, QString());
    int points = 0;
    for (int i = 1; i <= r.s.ZvenoCount; ++i)
        points += r.s.Zvenos[i].DPCount;
    QCOMPARE(points, 0);
}

void WizardEngineTest::undoAfterStageReturns_leavesNoStaleRecords()
{
    QueueRig r;
    r.d.answers = {kNo, kNo};
    r.run(kFourBar + QStringLiteral(" !E 0 1 2 3")); // the group is formed and stage 1 ends
    QCOMPARE(int(r.s.Paras[1].Zveno1Index), 8);    // the last record named 0
    QCOMPARE(int(r.s.GroupCount), 1);
    r.s.Zvenos[6].DPCount = 1; // a point on record 6 (the first link 3)
    r.s.Zvenos[6].DP[1].Name = QStringLiteral("K");
    r.s.WizardState = 81;
    r.run(QStringLiteral("!P !P !P"));
    QCOMPARE(int(r.s.WizardState), 11);
    // The student adds a pair, which lets undo work, and takes three pairs back.
    r.run(QStringLiteral("r 3 4 E !U !U !U"));
    QCOMPARE(int(r.s.ParaCount), 2);
    QCOMPARE(int(r.s.ZvenoCount), 4);
    QCOMPARE(int(r.s.Paras[1].Zveno1Index), 1);
    QCOMPARE(int(r.s.Paras[2].Zveno2Index), 4);
    QCOMPARE(int(r.s.GroupCount), 0); // the group named a link that is gone
    for (int i = 1; i <= 4; ++i) {
        QVERIFY(r.s.Zvenos[i].GroupNo <= 0);
        QVERIFY(r.s.Zvenos[i].Para1Index <= 2);
        QVERIFY(r.s.Zvenos[i].Para2Index <= 2);
    }
    QCOMPARE(r.v().input, (QStringList{pairLine("r", "0", "1", "A"), pairLine("r", "1", "2", "B")}));
    // A new pair starts with clean records, not with what the slots held before.
    r.run(QStringLiteral("p 2 5 Q"));
    QCOMPARE(int(r.s.Zvenos[6].DPCount), 0);
    QCOMPARE(int(r.s.Zvenos[6].GroupNo), -1);
    QCOMPARE(int(r.s.Zvenos[6].TwafzCount), -1);
    QCOMPARE(r.s.Zvenos[6].Perpendicular, QStringLiteral("/n"));
    QCOMPARE(int(r.s.Paras[3].Zveno1Index), 0);
    QCOMPARE(r.s.Paras[3].X, QString());
    QCOMPARE(r.s.Paras[3].ParaType, QStringLiteral("p"));
}

void WizardEngineTest::capacity_thirtyThirdPairRefused()
{
    QueueRig r;
    QString script;
    for (int k = 1; k <= 32; ++k)
        script += QStringLiteral("r %1 %2 %3%4 ").arg(k - 1).arg(k).arg(QChar(u'A' + (k - 1) / 10)).arg((k - 1) % 10);
    r.run(script);
    QCOMPARE(int(r.s.ParaCount), 32);
    QCOMPARE(int(r.s.ZvenoCount), 64);
    QVERIFY(r.d.messages.isEmpty());
    r.run(QStringLiteral("p"));
    QCOMPARE(int(r.s.WizardState), 11);
    QCOMPARE(int(r.s.ParaCount), 32);
    QCOMPARE(int(r.s.ZvenoCount), 64);
    QCOMPARE(r.s.Paras[33].ParaType, QString());
    QCOMPARE(r.v().input.size(), 32);
    QCOMPARE(r.d.messages, QStringList{QStringLiteral("Ошибка #: %1").arg(kErrTooManyLinks)});
    QCOMPARE(r.buttons(), QStringLiteral("110"));
    // The stage still ends normally.
    r.run(QStringLiteral("!E"));
    QCOMPARE(int(r.s.WizardState), 2);
}

void WizardEngineTest::capacity_thirtyThirdPointRefused()
{
    QueueRig r;
    r.d.answers = {kNo, kYes};
    r.run(kFourBar + QStringLiteral(" !E 0 1"));
    QCOMPARE(int(r.s.WizardState), 71);
    for (int k = 0; k < 32; ++k)
        r.run(QStringLiteral("2 %1%2").arg(QChar(u'a' + k / 10)).arg(k % 10));
    QCOMPARE(int(r.s.Zvenos[4].DPCount), 32);
    QVERIFY(r.d.messages.isEmpty());
    const QStringList lines = r.v().input;
    r.run(QStringLiteral("2"));
    QCOMPARE(int(r.s.WizardState), 71);
    QCOMPARE(int(r.s.Zvenos[4].DPCount), 32);
    QCOMPARE(r.v().input, lines);
    QCOMPARE(r.d.messages, QStringList{QStringLiteral("Ошибка #: %1").arg(kErrTooManyPoints)});
    QCOMPARE(r.buttons(), QStringLiteral("111"));
    // Another link still takes points.
    r.run(QStringLiteral("3 z9"));
    QCOMPARE(int(r.s.Zvenos[6].DPCount), 1);
}

void WizardEngineTest::sliderCrank_groupOfTypeTwo()
{
    QueueRig r;
    r.d.answers = {kNo, kNo};
    r.run(QStringLiteral("r 0 1 A r 1 2 B r 2 3 C p 3 0 D !E 0 1 2 3"));
    QCOMPARE(int(r.s.WizardState), 9);
    QCOMPARE(r.s.Zvenos[6].ZType, QStringLiteral("rp"));
    QCOMPARE(r.s.Groups[1].GType, QStringLiteral("2"));
    QCOMPARE(r.s.ExtraPairsFlag, 0.0f);
}

void WizardEngineTest::threePairLink_cutAndExtraPairsFlag()
{
    QueueRig r;
    r.d.answers = {kNo, kNo};
    r.run(kSixBar + QStringLiteral(" !E 0 1 2 3"));
    QCOMPARE(r.s.ExtraPairsFlag, 1.0f);
    QCOMPARE(r.s.Zvenos[4].ZType, QStringLiteral("r"));
    QCOMPARE(int(r.s.Zvenos[4].TwafzCount), 1);
    QCOMPARE(r.s.Zvenos[4].TwafzName[1], QStringLiteral("C"));
    // The further pair's name is taken now.
    r.run(QStringLiteral("C"));
    QCOMPARE(r.d.messages, QStringList{QStringLiteral("Ошибка #: 18")});
    QCOMPARE(int(r.s.WizardState), 81);
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

void WizardEngineTest::procedureStates_stopAtStageTwo()
{
    QueueRig r;
    QSignalSpy changed(&r.e, &WizardEngine::changed);
    r.s.WizardState = 9;
    r.type(QStringLiteral("anything"));
    QCOMPARE(int(r.s.WizardState), 9);
    QCOMPARE(r.procedures, QList<qint16>{9});
    QCOMPARE(r.v().prompt, QStringLiteral("Задание координат пар стойки"));
    QVERIFY(r.d.questions.isEmpty());
    QVERIFY(changed.count() >= 1);
    for (qint16 state : {qint16(1), qint16(201), qint16(-1), qint16(0)}) {
        r.s.WizardState = state;
        r.type(QStringLiteral("1"));
        QCOMPARE(r.s.WizardState, state);
        QCOMPARE(r.v().answerText, QStringLiteral("1"));
    }
    QCOMPARE(r.procedures.size(), 1);
    // A stage 1 that ends reaches stage 2 exactly once.
    QueueRig four;
    four.d.answers = {kNo, kNo};
    four.run(kFourBar + QStringLiteral(" !E 0 1 2 3"));
    QCOMPARE(four.procedures, QList<qint16>{9});
}

void WizardEngineTest::fourBar_wholeDescriptionToTheSavedFiles()
{
    QTemporaryDir data;
    QTemporaryDir out;
    QVERIFY(QDir(data.path()).mkpath(QStringLiteral("d_files")));
    ScriptRig r;
    r.s.DataFolder = data.path();
    r.e.setProcedureRunner(RunStage2State);
    const auto number = [&r](const QString& question, const char* value) {
        r.d.expectQuestion(question, 2, kZero, QLatin1String(value));
    };
    r.d.expectQuestion(kForceQuestion, 1, kZero, kNo).expectQuestion(kMoreQuestion, 1, kZero, kNo);
    number(QStringLiteral("Введите координату Х пары A"), "0");
    number(QStringLiteral("Введите координату Y пары A"), "0");
    number(QStringLiteral("Введите координату Х пары D"), "0.4");
    number(QStringLiteral("Введите координату Y пары D"), "0");
    number(QStringLiteral("Введите расстояние между парами: A-B"), "0.1");
    number(QStringLiteral("Введите расстояние между парами: B-C"), "0.5");
    number(QStringLiteral("Введите расстояние между парами: C-D"), "0.3");
    r.d.expectQuestion(QStringLiteral("Группа: 1(B-C-D) Тип - 1\r\nПары B-C-D обходятся ПО часовой стрелке?"), 1,
                       kZero, kYes);
    const QString kvFile = QDir(out.path()).filePath(QStringLiteral("four.kv"));
    r.d.expectSaveFile(kKvertaFilter, FileChoice{kvFile, QStringLiteral("four.kv")});
    r.run(kFourBar + QStringLiteral(" !E 0 1 2 3"));
    VERIFY_SCRIPT(r.d);
    QCOMPARE(int(r.s.WizardState), 200);
    QCOMPARE(r.v().prompt, QStringLiteral("К О Н Е Ц !!!"));
    QCOMPARE(r.s.OutputSaved, 1.0f);
    QVERIFY(QFile::exists(kvFile));
    QCOMPARE(r.v().input.mid(7), (QStringList{QStringLiteral("Звено A: Координаты (X,Y): (0,0)"),
                                              QStringLiteral("Звено D: Координаты (X,Y): (0.4,0)"),
                                              QStringLiteral("Расстояние между шаринирами A-B = 0.1 м"),
                                              QStringLiteral("Расстояние между шаринирами B-C = 0.5 м"),
                                              QStringLiteral("Расстояние между шаринирами C-D = 0.3 м"),
                                              QStringLiteral("Пары B-C-D обходятся по часовой стрелке")}));
    QCOMPARE(r.s.Paras[4].X, QStringLiteral("0.4"));
    QCOMPARE(r.s.Zvenos[4].ZLength, QStringLiteral("0.5"));
    QCOMPARE(r.s.Groups[1].Clockwise, QStringLiteral("y"));
    QCOMPARE(r.v().pairs.at(7), QStringLiteral("Пара: X = 0"));
    // Free-edit mode may now be entered.
    QSignalSpy requested(&r.e, &WizardEngine::freeEditRequested);
    r.e.FreeLancerMode();
    QCOMPARE(requested.count(), 1);
}

void WizardEngineTest::questions_openAtOnePointTwoTimesTheWindow()
{
    ScriptRig r;
    r.e.setWindowOrigin(QPoint(200, 105));
    r.d.expectQuestion(kForceQuestion, 1, kZero, QStringLiteral("5"));
    r.run(kFourBar + QStringLiteral(" !E 0 1"));
    VERIFY_SCRIPT(r.d);
    QCOMPARE(r.d.positions, QList<QPoint>{QPoint(240, 126)});
    // Neither yes nor no: the wizard stays in state 3.
    QCOMPARE(int(r.s.WizardState), 3);
    QCOMPARE(r.s.ForceAnalysis, 5.0f);
}

QTEST_GUILESS_MAIN(WizardEngineTest)
#include "wizardengine_test.moc"
