#include "scripteddialogs.h"
#include "session.h"
#include "stage2.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString crlf = QStringLiteral("\r\n");

struct PairSpec {
    const char* name;
    const char* type;
    const char* link1;
    const char* link2;
};

// A session as stage 1 leaves it: one link record per pair end, later records of a name marked
// "c", each first record with its last pair as second link (Para1) and as first link (Para2),
// the type code cut to two letters.
std::unique_ptr<Session> mechanism(const QList<PairSpec>& pairs, const char* frame, const char* driving)
{
    auto s = std::make_unique<Session>();
    s->NewMechanism();
    for (const PairSpec& spec : pairs) {
        const qint16 k = s->addPara();
        PARA& p = s->Paras[k];
        p.Name = QString::fromUtf8(spec.name);
        p.ParaType = QString::fromUtf8(spec.type);
        p.Zveno1 = QString::fromUtf8(spec.link1);
        p.Zveno2 = QString::fromUtf8(spec.link2);
        p.Zveno1Index = s->addZveno();
        s->Zvenos[p.Zveno1Index].Name = p.Zveno1;
        p.Zveno2Index = s->addZveno();
        s->Zvenos[p.Zveno2Index].Name = p.Zveno2;
    }
    QStringList seen;
    for (int i = 1; i <= s->ZvenoCount; ++i) {
        ZVENO& z = s->Zvenos[i];
        if (seen.contains(z.Name)) {
            z.Mark = QStringLiteral("c");
            continue;
        }
        seen << z.Name;
        for (int k = 1; k <= s->ParaCount; ++k) {
            const PARA& p = s->Paras[k];
            if (p.Zveno2 == z.Name) {
                z.Para1 = p.Name;
                z.Para1Index = qint16(k);
            }
            if (p.Zveno1 == z.Name) {
                z.Para2 = p.Name;
                z.Para2Index = qint16(k);
            }
            if (p.Zveno1 == z.Name || p.Zveno2 == z.Name)
                z.ZType += p.ParaType;
        }
        z.ZType = z.ZType.left(2);
        if (z.Name == QString::fromUtf8(frame)) {
            z.IsFrame = 1.0f;
            s->FrameIndex = qint16(i);
        }
        if (z.Name == QString::fromUtf8(driving))
            z.IsDriving = 1.0f;
    }
    s->ForceAnalysis = 6.0f;
    s->MorePoints = 7.0f;
    s->GroupCount = 0;
    return s;
}

int linkIndex(const Session& s, const QString& name)
{
    for (int i = 1; i <= s.ZvenoCount; ++i)
        if (s.Zvenos[i].Name == name && s.Zvenos[i].Mark != QStringLiteral("c"))
            return i;
    return 0;
}

void addGroup(Session& s, const char* first, const char* second, const char* type)
{
    const qint16 g = s.addGroup();
    s.Groups[g].Name = QString::number(g);
    s.Groups[g].Zveno1Index = qint16(linkIndex(s, QString::fromUtf8(first)));
    s.Groups[g].Zveno2Index = qint16(linkIndex(s, QString::fromUtf8(second)));
    s.Groups[g].GType = QString::fromUtf8(type);
}

std::unique_ptr<Session> fourBar()
{
    auto s = mechanism({{"A", "r", "0", "1"}, {"B", "r", "1", "2"}, {"C", "r", "2", "3"}, {"D", "r", "3", "0"}}, "0", "1");
    addGroup(*s, "2", "3", "1");
    return s;
}

#define VERIFY_SCRIPT(d) QVERIFY2((d).problems().isEmpty(), qPrintable((d).problems().join(QLatin1Char('\n'))))

} // namespace

class Stage2Test : public QObject {
    Q_OBJECT
private slots:
    void chain_visitsTheStatesInOrder()
    {
        auto s = fourBar();
        ScriptedDialogs d(*s);
        Stage2Context ctx{*s, d, QPoint(), nullptr, nullptr};
        QList<qint16> states;
        for (qint16 state = 9; state != 200 && state != 0; state = RunStage2State(ctx, state))
            states << state;
        QCOMPARE(states, (QList<qint16>{9, 10, 110, 120, 130, 140, 150}));
        QCOMPARE(RunStage2State(ctx, 11), qint16(0));
    }

    void noForceAnalysis_endsAfterPoints()
    {
        auto s = fourBar();
        s->ForceAnalysis = 7.0f;
        s->Zvenos[linkIndex(*s, QStringLiteral("1"))].CM = QStringLiteral("S1");
        ScriptedDialogs d(*s);
        Stage2Context ctx{*s, d, QPoint(), nullptr, nullptr};
        QCOMPARE(CentresOfMass(ctx), qint16(200));
        QVERIFY(d.asked().isEmpty());
        VERIFY_SCRIPT(d);
    }

    void numbers_areAskedAgainUntilValid()
    {
        auto s = mechanism({{"A", "p", "0", "1"}}, "0", "1");
        s->Answer = QStringLiteral("12");
        ScriptedDialogs d(*s);
        const QString x = QStringLiteral("Введите координату Х пары A");
        const QString y = QStringLiteral("Введите координату Y пары A");
        const QString angle = QStringLiteral("Введите угол до положительного направления пары A от оси Х");
        d.expectQuestion(x, 2, QStringLiteral("0"), QStringLiteral("abc"))
            .expectError(14)
            .expectError(5)
            .expectQuestion(x, 2, QStringLiteral("0"), QStringLiteral("1.2.3"))
            .expectError(5)
            .expectQuestion(x, 2, QStringLiteral("0"), QStringLiteral("-"))
            .expectError(5)
            .expectQuestion(x, 2, QStringLiteral("0"), QString())
            .expectError(5)
            .expectQuestion(x, 2, QStringLiteral("0"), QStringLiteral("-2.5"))
            .expectQuestionClosed(y, 2, QStringLiteral("0")) // the close box brings back the last answer
            .expectQuestion(angle, 2, QStringLiteral("0"), QStringLiteral("30"));
        Stage2Context ctx{*s, d, QPoint(), nullptr, nullptr};
        QCOMPARE(FramePairCoordinates(ctx), qint16(10));
        VERIFY_SCRIPT(d);
        QCOMPARE(s->Paras[1].X, QStringLiteral("-2.5"));
        QCOMPARE(s->Paras[1].Y, QStringLiteral("-2.5"));
        QCOMPARE(s->Paras[1].XAngle, QStringLiteral("30"));
    }

    void slider_onAndOffGuide_data()
    {
        QTest::addColumn<QString>("type");       // the code of link 2
        QTest::addColumn<QString>("answer");     // to "does it lie on the guide"
        QTest::addColumn<QString>("revolute");
        QTest::addColumn<QString>("guide");
        QTest::addColumn<QString>("onGuide");
        QTest::addColumn<QString>("perpendicular");
        QTest::newRow("rp on the guide") << QStringLiteral("rp") << QStringLiteral("6") << QStringLiteral("B")
                                         << QStringLiteral("C") << QStringLiteral("yes") << QStringLiteral("/n");
        QTest::newRow("rp off the guide") << QStringLiteral("rp") << QStringLiteral("7") << QStringLiteral("B")
                                          << QStringLiteral("C") << QStringLiteral("no") << QStringLiteral("0.02");
        QTest::newRow("pr off the guide") << QStringLiteral("pr") << QStringLiteral("7") << QStringLiteral("C")
                                          << QStringLiteral("B") << QStringLiteral("no") << QStringLiteral("0.02");
        QTest::newRow("closed dialog counts as no") << QStringLiteral("rp") << QStringLiteral("close") << QStringLiteral("B")
                                                    << QStringLiteral("C") << QStringLiteral("no") << QStringLiteral("0.02");
    }
    void slider_onAndOffGuide()
    {
        QFETCH(QString, type);
        QFETCH(QString, answer);
        QFETCH(QString, revolute);
        QFETCH(QString, guide);
        QFETCH(QString, onGuide);
        QFETCH(QString, perpendicular);
        auto s = mechanism({{"A", "r", "0", "1"}, {"B", "r", "1", "2"}, {"C", "p", "2", "3"}, {"D", "p", "3", "0"}}, "0", "1");
        const int link2 = linkIndex(*s, QStringLiteral("2"));
        s->Zvenos[link2].ZType = type; // as the student's order of pairs would have given it
        s->Zvenos[linkIndex(*s, QStringLiteral("3"))].ZType = QStringLiteral("pp");
        s->Answer = QStringLiteral("xyz");
        ScriptedDialogs d(*s);
        d.expectQuestion(QStringLiteral("Введите расстояние между парами: A-B"), 2, QStringLiteral("0"), QStringLiteral("0.1"));
        const QString q = QStringLiteral("Лежит ли вращательная пара ") + revolute + QStringLiteral(" на направляющей пары ") + guide +
                          QLatin1Char('?');
        if (answer == QStringLiteral("close"))
            d.expectQuestionClosed(q, 1, QStringLiteral("0"));
        else
            d.expectQuestion(q, 1, QStringLiteral("0"), answer);
        if (onGuide == QStringLiteral("no"))
            d.expectQuestion(QStringLiteral("Введите длину перпендикуляра, опущеного с вращательной пары: ") + revolute +
                                 QStringLiteral(" на направляющую поступательной пары ") + guide,
                             2, QStringLiteral("0"), perpendicular);
        QStringList lines;
        Stage2Context ctx{*s, d, QPoint(), [&](const QString& l) { lines << l; }, nullptr};
        QCOMPARE(LinkDimensions(ctx), qint16(110));
        VERIFY_SCRIPT(d);
        QCOMPARE(s->Zvenos[link2].OnGuide, onGuide);
        QCOMPARE(s->Zvenos[link2].Perpendicular, perpendicular);
        QStringList expected{QStringLiteral("Расстояние между шаринирами A-B = 0.1 м")};
        if (onGuide == QStringLiteral("yes")) {
            expected << QStringLiteral("Вращательная пара ") + revolute + QStringLiteral(" лежит на направляющей пары ") + guide;
        } else {
            expected << QStringLiteral("Вращательная пара ") + revolute + QStringLiteral(" не лежит на направляющей пары ") + guide
                     << QStringLiteral("--------- Перпендикуляр от вращательной пары ") + revolute +
                            QStringLiteral(" до направляющей поступательной пары ") + guide + QStringLiteral(" = 0.02 м");
        }
        QCOMPARE(lines, expected);
    }

    void assembly_questionsFollowTheGroupType_data()
    {
        QTest::addColumn<QString>("gtype");
        QTest::addColumn<QString>("firstType"); // ZType of the first link of the group
        QTest::addColumn<bool>("firstOffset");
        QTest::addColumn<bool>("secondOffset");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("questions"); // after the header where the text has one
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("groupClockwise");
        QTest::addColumn<QString>("isSharp");
        const QString h = QStringLiteral("Группа: 1(B-C-D) Тип - ");
        const QString perp1 = QStringLiteral("Пара B, перпендикуляр проведенный с нее на напраляющую поступательной пары C и точка "
                                             "на направляющей поступательной пары обходятся ПО часовой стрелке?");
        const QString perp2 = QStringLiteral("Пара C, перпендикуляр проведенный с нее на напраляющую поступательной пары D и точка "
                                             "на направляющей поступательной пары обходятся ПО часовой стрелке?");
        QTest::newRow("type 1 yes") << QStringLiteral("1") << QStringLiteral("rr") << false << false << QStringList{QStringLiteral("6")}
                                    << QStringList{h + QStringLiteral("1\r\nПары B-C-D обходятся ПО часовой стрелке?")}
                                    << QStringList{QStringLiteral("Пары B-C-D обходятся по часовой стрелке")} << QStringLiteral("y")
                                    << QString();
        QTest::newRow("type 1 closed") << QStringLiteral("1") << QStringLiteral("rr") << false << false
                                       << QStringList{QStringLiteral("close")}
                                       << QStringList{h + QStringLiteral("1\r\nПары B-C-D обходятся ПО часовой стрелке?")}
                                       << QStringList{} << QString() << QString();
        QTest::newRow("type 2 rr first") << QStringLiteral("2") << QStringLiteral("rr") << false << false
                                         << QStringList{QStringLiteral("6")}
                                         << QStringList{h + QStringLiteral("2\r\nВектор BC составляет острый угол с положительным "
                                                                          "направлением поступательной пары D?")}
                                         << QStringList{QStringLiteral("Вектор BC составляет острый угол с положительным направлением "
                                                                       "поступательной пары D")}
                                         << QString() << QStringLiteral("y");
        QTest::newRow("type 2 rp first, offset") << QStringLiteral("2") << QStringLiteral("rp") << true << false
                                                 << QStringList{QStringLiteral("7"), QStringLiteral("6")}
                                                 << QStringList{h + QStringLiteral("2\r\nВектор CD составляет острый угол с "
                                                                                  "положительным направлением поступательной пары B?"),
                                                                perp1}
                                                 << QStringList{QStringLiteral("Вектор CD составляет тупой угол с положительным "
                                                                               "направлением поступательной пары B"),
                                                                QStringLiteral("Пары обходятся по часовой стрелке")}
                                                 << QString() << QStringLiteral("n");
        QTest::newRow("type 3 none offset") << QStringLiteral("3") << QStringLiteral("rp") << false << false << QStringList{}
                                            << QStringList{} << QStringList{} << QString() << QString();
        QTest::newRow("type 3 both offset") << QStringLiteral("3") << QStringLiteral("rp") << true << true
                                            << QStringList{QStringLiteral("7"), QStringLiteral("6"), QStringLiteral("6")}
                                            << QStringList{perp1, perp2,
                                                           h + QStringLiteral("3\r\nВектор BD составляет острый угол с "
                                                                              "положительным направлением пары C?")}
                                            << QStringList{QStringLiteral("Пары обходятся против часовой стрелки"),
                                                           QStringLiteral("Пары обходятся по часовой стрелке"),
                                                           QStringLiteral("Вектор BD составляет острый угол с положительным "
                                                                          "направлением пары C")}
                                            << QString() << QStringLiteral("y");
        QTest::newRow("unknown type") << QString() << QStringLiteral("rr") << true << true << QStringList{} << QStringList{}
                                      << QStringList{} << QString() << QString();
    }
    void assembly_questionsFollowTheGroupType()
    {
        QFETCH(QString, gtype);
        QFETCH(QString, firstType);
        QFETCH(bool, firstOffset);
        QFETCH(bool, secondOffset);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, questions);
        QFETCH(QStringList, lines);
        QFETCH(QString, groupClockwise);
        QFETCH(QString, isSharp);
        auto s = fourBar();
        s->Groups[1].GType = gtype;
        ZVENO& z1 = s->Zvenos[s->Groups[1].Zveno1Index];
        ZVENO& z2 = s->Zvenos[s->Groups[1].Zveno2Index];
        z1.ZType = firstType;
        z2.ZType = QStringLiteral("rp");
        if (firstOffset)
            z1.Perpendicular = QStringLiteral("0.01");
        if (secondOffset)
            z2.Perpendicular = QStringLiteral("0.02");
        s->Answer = QStringLiteral("nonsense");
        ScriptedDialogs d(*s);
        for (qsizetype i = 0; i < questions.size(); ++i) {
            if (answers[i] == QStringLiteral("close"))
                d.expectQuestionClosed(questions[i], 1, QStringLiteral("0"));
            else
                d.expectQuestion(questions[i], 1, QStringLiteral("0"), answers[i]);
        }
        QStringList got;
        Stage2Context ctx{*s, d, QPoint(), [&](const QString& l) { got << l; }, nullptr};
        QCOMPARE(GroupAssembly(ctx), qint16(120));
        VERIFY_SCRIPT(d);
        QCOMPARE(got, lines);
        QCOMPARE(s->Groups[1].Clockwise, groupClockwise);
        QCOMPARE(s->Groups[1].IsSharp, isSharp);
    }

    void basePair_prefersThePairOnTheFrame_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("other");
        // Link 1: A (on the frame) and B. Link 2: B and C, neither on the frame.
        // Link 4: E and F both on the frame: the second main pair wins.
        QTest::newRow("first pair on the frame") << QStringLiteral("1") << QStringLiteral("A") << QStringLiteral("B");
        QTest::newRow("no pair on the frame") << QStringLiteral("2") << QStringLiteral("B") << QStringLiteral("C");
        QTest::newRow("second pair on the frame") << QStringLiteral("3") << QStringLiteral("D") << QStringLiteral("C");
        QTest::newRow("both on the frame") << QStringLiteral("4") << QStringLiteral("F") << QStringLiteral("E");
    }
    void basePair_prefersThePairOnTheFrame()
    {
        QFETCH(QString, link);
        QFETCH(QString, base);
        QFETCH(QString, other);
        auto s = mechanism({{"A", "r", "0", "1"},
                            {"B", "r", "1", "2"},
                            {"C", "r", "2", "3"},
                            {"D", "r", "3", "0"},
                            {"E", "r", "0", "4"},
                            {"F", "r", "4", "0"}},
                           "0", "1");
        const BasePairs bo = BaseAndOtherPair(*s, linkIndex(*s, link));
        QCOMPARE(bo.base, base);
        QCOMPARE(bo.other, other);
    }

    void extraPoints_furtherPairsAndPointsOfInterest()
    {
        auto s = fourBar();
        s->ExtraPairsFlag = 1.0f;
        s->MorePoints = 6.0f;
        const int coupler = linkIndex(*s, QStringLiteral("2"));
        ZVENO& z = s->Zvenos[coupler];
        z.TwafzCount = 1;
        z.TwafzName[1] = QStringLiteral("E");
        z.DPCount = 3;
        z.DP[1] = {QStringLiteral("K"), {}, {}, {}, {}, QStringLiteral("o")};
        z.DP[2] = {QStringLiteral("F1"), {}, {}, {}, {}, QStringLiteral("f")};
        z.DP[3] = {QStringLiteral("M"), {}, {}, {}, {}, QStringLiteral("o")};
        ScriptedDialogs d(*s);
        d.expectQuestion(QStringLiteral("Введите расстояние от пары B до пары E"), 2, QStringLiteral("0"), QStringLiteral("0"))
            .expectError(21)
            .expectQuestion(QStringLiteral("Введите расстояние от пары B до пары E"), 2, QStringLiteral("0"), QStringLiteral("0.0"))
            .expectQuestion(QStringLiteral("Введите угол от вектора BC до вектора BE"), 2, QStringLiteral("0"), QStringLiteral("45"))
            .expectQuestion(QStringLiteral("Введите расстояние от пары B до точки K"), 2, QStringLiteral("0"), QStringLiteral("0"))
            .expectQuestion(QStringLiteral("Введите расстояние от пары B до точки M"), 2, QStringLiteral("0"), QStringLiteral("0.2"))
            .expectQuestion(QStringLiteral("Введите угол от вектора BC до вектора BM"), 2, QStringLiteral("0"), QStringLiteral("10"));
        QStringList got;
        int refreshes = 0;
        Stage2Context ctx{*s, d, QPoint(), [&](const QString& l) { got << l; }, [&] { ++refreshes; }};
        QCOMPARE(ExtraPointPositions(ctx), qint16(130));
        VERIFY_SCRIPT(d);
        QCOMPARE(got, (QStringList{QStringLiteral("Расстояние от пары B до пары E =0.0 м"),
                                   QStringLiteral("Угол от вектора BC до вектора BE =45 град"),
                                   QStringLiteral("Расстояние от пары B до точки K =0 м"),
                                   QStringLiteral("Расстояние от пары B до точки M =0.2 м"),
                                   QStringLiteral("Угол от вектора BC до вектора BM =10 град")}));
        QCOMPARE(z.TwafzLength[1], QStringLiteral("0.0"));
        QCOMPARE(z.TwafzAngle[1], QStringLiteral("45"));
        QCOMPARE(z.DP[1].Angle, QStringLiteral("0")); // at the base pair: no angle asked
        QCOMPARE(z.DP[2].Length, QString());          // force points wait for their own stage
        QCOMPARE(refreshes, 1);
    }

    void extraPoints_offsetLinkMeasuresFromThePerpendicular()
    {
        auto s = fourBar();
        s->MorePoints = 6.0f;
        ZVENO& z = s->Zvenos[linkIndex(*s, QStringLiteral("3"))];
        z.Perpendicular = QStringLiteral("0.01");
        z.DPCount = 1;
        z.DP[1] = {QStringLiteral("K"), {}, {}, {}, {}, QStringLiteral("o")};
        ScriptedDialogs d(*s);
        d.expectQuestion(QStringLiteral("Введите расстояние от пары D до точки K"), 2, QStringLiteral("0"), QStringLiteral("1"))
            .expectQuestion(QStringLiteral("Введите угол от перпендикуляра из пары D на направляющую пары C до вектора DK"), 2,
                            QStringLiteral("0"), QStringLiteral("90"));
        QStringList got;
        Stage2Context ctx{*s, d, QPoint(), [&](const QString& l) { got << l; }, nullptr};
        ExtraPointPositions(ctx);
        VERIFY_SCRIPT(d);
        QCOMPARE(got.last(), QStringLiteral("Угол от перпендикуляра из пары D на направляющую пары C до вектора DK =90 град"));
    }

    void forcePoints_fourQuestionsAndFourLines()
    {
        auto s = fourBar();
        ZVENO& z = s->Zvenos[linkIndex(*s, QStringLiteral("2"))];
        z.DPCount = 2;
        z.DP[1] = {QStringLiteral("K"), {}, {}, {}, {}, QStringLiteral("o")};
        z.DP[2] = {QStringLiteral("F"), {}, {}, {}, {}, QStringLiteral("f")};
        ScriptedDialogs d(*s);
        d.expectQuestion(QStringLiteral("Введите расстояние от пары B до точки приложения силы F"), 2, QStringLiteral("0"),
                         QStringLiteral("0.25"))
            .expectQuestion(QStringLiteral("Введите угол от вектора BC до вектора BF"), 2, QStringLiteral("0"), QStringLiteral("0"))
            .expectQuestion(QStringLiteral("Введите угол от положительного направления оси Х до вектора силы, приложенного в точке F"),
                            2, QStringLiteral("0"), QStringLiteral("270"))
            .expectQuestion(QStringLiteral("Введите величину силы, действующей на звено в точке F"), 2, QStringLiteral("0"),
                            QStringLiteral("100"));
        QStringList got;
        Stage2Context ctx{*s, d, QPoint(), [&](const QString& l) { got << l; }, nullptr};
        QCOMPARE(ForcePoints(ctx), qint16(150));
        VERIFY_SCRIPT(d);
        QCOMPARE(got, (QStringList{QStringLiteral("Расстояние от пары B до точки F =0.25 м"),
                                   QStringLiteral("Угол от вектора BC до вектора BF =0 град"),
                                   QStringLiteral("Угол от положительного направления оси Х до вектора силы, приложенного в точке F =270 град"),
                                   QStringLiteral("Величина силы, действующей на звено в точке F =100 Н")}));
        QCOMPARE(z.DP[2].Force, QStringLiteral("100"));
        QCOMPARE(z.DP[2].ForceAngle, QStringLiteral("270"));
        QCOMPARE(z.DP[1].Length, QString());
    }

    void save_cancelledDialogWritesNothingAndIsNotSaved()
    {
        auto s = fourBar();
        QTemporaryDir dir;
        s->DataFolder = dir.path();
        ScriptedDialogs d(*s);
        d.expectSaveFile(kKvertaFilter, FileChoice{}).expectError(17);
        QVERIFY(!SaveDescription(*s, d, nullptr));
        VERIFY_SCRIPT(d);
        QCOMPARE(s->OutputSaved, 0.0f);
        QCOMPARE(s->WizardState, qint16(200));
    }
};

QTEST_GUILESS_MAIN(Stage2Test)
#include "stage2_test.moc"
