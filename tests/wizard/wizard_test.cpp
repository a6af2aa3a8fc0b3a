#include "model/dialogs.h"
#include "model/session.h"
#include "tests/support/testtable.h"
#include "wizard/mechanism.h"
#include "wizard/panels.h"
#include "wizard/stage2/stage2.h"
#include "wizard/stagetree.h"
#include "wizard/structure.h"
#include "wizard/wizardengine.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const QString kNo = QStringLiteral("7"), k0 = QStringLiteral("0"), k1 = QStringLiteral("1"), k2 = QStringLiteral("2"), k3 = QStringLiteral("3");

// Mechanisms as the student types their pairs, "type link link name" for each pair.
const QMap<QString, QString> kMechanisms = {
    {QStringLiteral("FOUR"), QStringLiteral("r 0 1 A r 1 2 B R 2 3 C r 3 0 D")},
    // Links 2-3 and 4-5 form two groups after the crank 1; link 2 has three pairs (B, C, E).
    {QStringLiteral("SIX"), QStringLiteral("r 0 1 A r 1 2 B r 2 3 C r 3 0 D r 2 4 E r 4 5 F p 5 0 G")},
    {QStringLiteral("FIVE"), QStringLiteral("r 0 1 A r 1 2 B r 2 3 C r 3 4 D r 4 0 E")}, // W = 2
    {QStringLiteral("TRIANGLE"), QStringLiteral("r 0 1 A r 1 2 B r 2 0 C")},              // W = 0
    {QStringLiteral("CRANK"), QStringLiteral("p 0 1 A")}};

// The records the way stage 1 builds them from the pairs (a mechanism's name or the pairs typed
// out): the pairs, then the frame (with the degrees of freedom) and the driving links.
void build(Session& s, const QString& pairs, const QString& frame = k0, const QStringList& driving = {k1})
{
    s.NewMechanism();
    const QStringList f = kMechanisms.value(pairs, pairs).split(QLatin1Char(' '));
    for (qsizetype i = 0; i + 3 < f.size(); i += 4)
        NewPair(s, f.at(i)), AddPairLink(s, f.at(i + 1), 1), AddPairLink(s, f.at(i + 2), 2), SetPairName(s, f.at(i + 3));
    SetFrame(s, frame);
    CountDegreesOfFreedom(s);
    for (const QString& d : driving)
        SetDriving(s, d), RebuildPairLinks(s);
}

// The group count and each link record's group and further-pair count: what a refusal must leave.
QList<int> linkState(const Session& s)
{
    QList<int> state{s.GroupCount};
    for (int i = 1; i <= s.ZvenoCount; ++i)
        state << s.Zvenos[i].GroupNo << s.Zvenos[i].TwafzCount;
    return state;
}

// Dialogs that give queued answers ("~" for nothing typed) whatever is asked, and note every
// question with the prompt shown and the place it opened at, and the first line of every message.
// Far more questions than any row answers mean one repeats forever: the run ends there.
class QueueDialogs : public Dialogs {
public:
    const WizardEngine* engine = nullptr;
    QStringList answers, questions, prompts, messages;
    QList<QPoint> positions;
    QString askQuestion(const QString& question, float, const QString&, QPoint at) override
    {
        if (questions.size() > 500)
            qFatal("the question [%s] seems to repeat forever", qPrintable(question));
        questions << question;
        prompts << engine->display().prompt;
        positions << at;
        const QString answer = answers.isEmpty() ? QString() : answers.takeFirst();
        return answer == QStringLiteral("~") ? QString() : answer;
    }
    void message(const QString&, const QString& text, MessageIcon) override { messages << text.section(QStringLiteral("\r\n"), 0, 0); }
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
        e.setProcedureRunner([this](Stage2Context&, qint16 state) { return procedures << state, qint16(0); });
        e.startNewDescription();
    }
    const WizardDisplay& v() const { return e.display(); }
    void type(const QString& text) { e.setAnswerText(text), e.Work(); }
    // Typed answers, a mechanism's name for all its pairs, !E end of stage, !U undo, !P stage return,
    // !N a new description.
    void run(const QString& script)
    {
        static const QMap<QString, void (WizardEngine::*)()> commands = {
            {QStringLiteral("!E"), &WizardEngine::EndStage}, {QStringLiteral("!U"), &WizardEngine::Undo},
            {QStringLiteral("!P"), &WizardEngine::StageReturn}, {QStringLiteral("!N"), &WizardEngine::startNewDescription}};
        for (const QString& word : words(script))
            kMechanisms.contains(word) ? run(kMechanisms.value(word)) : commands.contains(word) ? (e.*commands[word])() : type(word);
    }
    QString buttons() const { return QStringLiteral("%1%2%3").arg(v().backEnabled).arg(v().endStageEnabled).arg(v().prevEnabled); }
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

// The wizard's stage 1 and its parts: the stage tree, the panels, the structure routines, and the
// engine driven through whole paths of typed answers and commands.
class WizardTest : public QObject {
    Q_OBJECT
    // A table of data/ as rows of one column "row", each named by its first fields.
    static void rows(const char* file, int nameFields)
    {
        QTest::addColumn<QStringList>("row");
        for (const QStringList& row : dataRows(file))
            QTest::newRow(qPrintable(row.mid(0, nameFields).join(QLatin1Char(' ')))) << row;
    }

private slots:
    void tree_nodesInOrderWithTheirParents()
    {
        QStringList nodes;
        for (const StageNode& node : stageTree())
            nodes << QStringList{node.key, node.parent, node.text}.join(QStringLiteral(" | "));
        QCOMPARE(nodes, tableLines(QStringLiteral(TESTDATA "/tree.txt")));
    }

    void states_promptMarksAndPicture_data() { rows("states.txt", 2); }
    void states_promptMarksAndPicture()
    {
        QFETCH(QStringList, row);
        const qint16 state = qint16(row.at(0).toInt());
        QCOMPARE(StatePrompt(state, qint16(row.at(1).toInt())), row.at(2));
        const StageMarks marks = stageMarks(state);
        QCOMPARE(marks.checked, words(row.at(3)));
        QCOMPARE(marks.expanded, words(row.at(4)));
        const StagePicture picture = stagePicture(state);
        const QString action = QStringLiteral("Nothing Keep Load").section(QLatin1Char(' '), picture.action, picture.action);
        QCOMPARE(QString(action + QLatin1Char(' ') + picture.file).trimmed(), row.at(5));
    }

    void panels_everyLineOfPairsAndLinks()
    {
        Session s;
        build(s, QStringLiteral("r 0 1 A p 1 2 B"));
        std::tie(s.Paras[1].X, s.Paras[1].Y, s.Zvenos[2].CM) = std::tuple(k0, QStringLiteral("0.5"), QStringLiteral("S1"));
        QCOMPARE((QList<int>{AddPoint(s, k2, QStringLiteral("F"), QStringLiteral("f")), AddPoint(s, k2, QStringLiteral("K"), QStringLiteral("o"))}),
                 (QList<int>{1, 1}));
        QCOMPARE(Show_PARAS(s) + QStringList{QStringLiteral("links")} + Show_ZVENOS(s), tableLines(QStringLiteral(TESTDATA "/panels.txt")));
    }

    void panels_emptyModelAndIndicesPointingNowhere()
    {
        Session s;
        s.NewMechanism();
        QVERIFY(Show_PARAS(s).isEmpty() && Show_ZVENOS(s).isEmpty());
        s.ResetMechanism(); // texts "/n" and link indices -2, which name no link
        s.ParaCount = 1;
        QCOMPARE(Show_PARAS(s).mid(3, 3),
                 (QStringList{QStringLiteral("Пара: звено2 - /n"), QStringLiteral("Пара: звено1 - "), QStringLiteral("Пара: звено2 - ")}));
    }

    void degreesOfFreedom_andCopyMarks_data() { rows("freedom.txt", 1); }
    void degreesOfFreedom_andCopyMarks()
    {
        QFETCH(QStringList, row);
        Session s;
        build(s, row.at(1), row.at(2), {});
        s.Zvenos[1].Mark = QStringLiteral("c"); // a second count starts afresh
        CountDegreesOfFreedom(s);
        QCOMPARE(QString::number(s.W) + QString::number(s.WInitial), row.at(3) + row.at(3));
        QStringList seen;
        for (int i = 1; i <= s.ZvenoCount; ++i) {
            QCOMPARE(s.Zvenos[i].Mark, seen.contains(s.Zvenos[i].Name) ? QStringLiteral("c") : QString());
            seen << s.Zvenos[i].Name;
        }
    }

    void analyseGroup_resultCodes_data() { rows("groups.txt", 3); }
    void analyseGroup_resultCodes()
    {
        QFETCH(QStringList, row);
        Session s;
        build(s, QStringLiteral("SIX"));
        if (row.at(0) == QStringLiteral("full"))
            s.GroupCount = kMaxRecords;
        else if (!row.at(0).isEmpty())
            QCOMPARE(int(AnalyseGroup(s, row.at(0).left(1), row.at(0).right(1))), 1);
        const QList<int> before = linkState(s);
        QCOMPARE(QString::number(AnalyseGroup(s, row.at(1), row.at(2))), row.at(3));
        if (row.at(3) != k1)
            QCOMPARE(linkState(s), before);
    }

    void groupType_table()
    {
        for (const QStringList& row : dataRows("grouptypes.txt"))
            QVERIFY2(groupType(row.at(0), row.at(1)) == row.value(2), qPrintable(row.join(QLatin1Char(' '))));
    }

    void removeGroup_andHasFreeLink()
    {
        Session s;
        build(s, QStringLiteral("FOUR"));
        QVERIFY(HasFreeLink(s));
        QCOMPARE(int(AnalyseGroup(s, k2, k3)), 1);
        QVERIFY(!HasFreeLink(s) && s.Zvenos[5].GroupNo == -1); // the copies of 2 and 3 still read -1 but do not count
        RemoveGroup(s, k3, k2); // names in the wrong order withdraw nothing
        QCOMPARE(int(s.GroupCount), 1);
        RemoveGroup(s, k2, k3);
        QCOMPARE(s.Groups[1].Name, QStringLiteral("-1"));
        QCOMPARE((QList<int>{s.GroupCount, s.Groups[1].Zveno1Index, s.Groups[1].Zveno2Index, s.Zvenos[4].GroupNo,
                             s.Zvenos[6].GroupNo, s.Zvenos[2].GroupNo}),
                 (QList<int>{0, -1, -1, -1, -1, 0})); // the driving link keeps its place
        QVERIFY(HasFreeLink(s) && AnalyseGroup(s, k2, k3) == 1); // the slot is used again
        QCOMPARE(s.Groups[1].Name, k1);
    }

    void capacity_furtherPairs()
    {
        // Links 1 and 2 joined by 33 pairs (32 further ones fit) or 34; only a hand-made model gets there.
        for (int pairs : {33, 34}) {
            Session s;
            build(s, QStringLiteral("r 0 1 A r 1 2 B"), k0, {});
            s.ParaCount = qint16(pairs);
            for (int k = 1; k <= pairs; ++k)
                s.Paras[k] = PARA{QStringLiteral("P%1").arg(k), k1, 0, k2, 0, QStringLiteral("r"), {}, {}, {}};
            RebuildPairLinks(s);
            const QList<int> before = linkState(s);
            const bool fits = pairs == 33;
            QCOMPARE(int(AnalyseGroup(s, k1, k2)), fits ? 1 : int(kExtraPairsFull));
            QCOMPARE(s.ExtraPairsFlag, fits ? 1.0f : 0.0f);
            if (fits)
                QCOMPARE(s.Zvenos[2].TwafzName[32] + QString::number(s.Zvenos[2].TwafzCount), QStringLiteral("P3232"));
            else
                QVERIFY(linkState(s) == before && s.Zvenos[2].ZType + s.Zvenos[2].Para2 == QString(34, QLatin1Char('r')) + QStringLiteral("P34"));
        }
    }

    // What a new description leaves is in the paths' rows; here, that the window hears of it once.
    void newDescription_isAnnouncedOnce()
    {
        Rig r;
        QSignalSpy changed(&r.e, &WizardEngine::changed);
        r.e.startNewDescription();
        QCOMPARE(changed.count(), 1);
    }

    void fourBar_stageOneQuestionsAndReturnMenu()
    {
        Rig r({kNo, kNo});
        r.run(QStringLiteral("FOUR !E 0 1 2 3"));
        QCOMPARE(r.procedures, QList<qint16>{9}); // stage 2 is reached once
        QCOMPARE(r.d.questions, (QStringList{QStringLiteral("Будет производиться силовой анализ?"),
                                             QStringLiteral("Есть еще точки, представляющие интерес?")}));
        // Both questions come with W = 0 in the prompt, at 1.2 times the window's corner.
        QCOMPARE(r.d.prompts, QStringList(2, StatePrompt(3, 0)));
        QCOMPARE(r.d.positions, QList<QPoint>(2, QPoint(240, 126)));
        QCOMPARE(r.v().input.at(2), QStringLiteral("R\t|2\t|3\t|C")); // shown as typed, kept in lower case
        QCOMPARE(r.s.Paras[3].ParaType, QStringLiteral("r"));
        QCOMPARE(r.v().links.at(25), QStringLiteral("Звено: группа - 1"));
        QCOMPARE(r.v().stageItemEnabled, (std::array<bool, 10>{false, true, true, true, false, false, true, false, false, false}));
        QVERIFY(r.d.messages.isEmpty());
    }

    void paths_data() { rows("engine_rows.txt", 1); }
    void paths()
    {
        QFETCH(QStringList, row);
        Rig r(words(row.value(2)));
        r.run(row.value(1));
        QCOMPARE((QStringList{QString::number(r.s.WizardState), QString::number(r.v().input.size()), r.buttons()}), row.mid(3, 3));
        QCOMPARE(r.d.messages.join(QLatin1Char(' ')).remove(QStringLiteral("Ошибка #: ")), row.value(6));
        QCOMPARE(r.v().input.isEmpty() ? QString() : r.v().input.last(), row.value(7));
        if (row.size() > 8)
            QCOMPARE(r.v().prompt, row.at(8));
        QCOMPARE(r.d.answers + QStringList{r.v().answerText}, QStringList{QString()});
        // The records agree with the protocol: as many pairs as pair lines, two link records each.
        const int pairLines = int(r.v().input.filter(QStringLiteral("\t")).size());
        const int midPair = r.s.WizardState >= 12 && r.s.WizardState <= 14 ? r.s.WizardState - 12 : -1;
        QCOMPARE(int(r.s.ParaCount), pairLines + (midPair >= 0 ? 1 : 0));
        QCOMPARE(int(r.s.ZvenoCount), 2 * pairLines + qMax(midPair, 0));
    }

    void badInput_changesNothing_data()
    {
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<QString>("input");
        const QString inputs[] = {QString(), QStringLiteral(" "), QString(300, QLatin1Char('7')), QStringLiteral("Ж"),
                                  QStringLiteral("/E"), QStringLiteral("\t")};
        for (const QStringList& row : dataRows("badinput.txt"))
            for (const QString& input : inputs)
                QTest::addRow("%s [%s]", qPrintable(row.at(0)), qPrintable(input.left(3))) << row << input;
    }

    void badInput_changesNothing()
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

    void undoAfterStageReturns_leavesNoStaleRecords()
    {
        Rig r({kNo, kNo});
        r.run(QStringLiteral("FOUR !E 0 1 2 3")); // the group is formed and stage 1 ends
        std::tie(r.s.Zvenos[6].DPCount, r.s.Zvenos[6].DP[1].Name) = std::tuple(1, QStringLiteral("K")); // a point on record 6 (the first link 3)
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

    void freeLancerMode_needsSavedOutput()
    {
        Rig r;
        QSignalSpy requested(&r.e, &WizardEngine::freeEditRequested);
        r.e.FreeLancerMode();
        QCOMPARE(r.d.messages, QStringList{QStringLiteral("Ошибка #: 22")});
        QCOMPARE(requested.count() + r.s.WindowMode, 0.0f);
        QVERIFY(!SaveDescription(r.s, r.d, nullptr)); // the end of the description, its save dialog cancelled (17)
        r.e.FreeLancerMode();
        QCOMPARE(QStringLiteral("%1 %2").arg(requested.count()).arg(r.s.WindowMode), QStringLiteral("1 2"));
    }

    void procedureStates_runOnlyFromStageTwo()
    {
        Rig r;
        r.s.WizardState = 9;
        r.type(QStringLiteral("anything"));
        QCOMPARE(QString::number(r.s.WizardState) + r.v().prompt + r.d.questions.join(QString()), u'9' + StatePrompt(9, 0));
        // In no state at all, nothing is taken and the answer stays in the box.
        for (int state : {0, 1, 201, -1}) {
            r.s.WizardState = qint16(state);
            r.e.setAnswerText(QStringLiteral("r"));
            const QStringList before = r.snapshot();
            r.e.Work();
            QCOMPARE(r.snapshot(), before);
        }
        QCOMPARE(r.procedures, QList<qint16>{9});
    }
};

QTEST_GUILESS_MAIN(WizardTest)
#include "wizard_test.moc"
