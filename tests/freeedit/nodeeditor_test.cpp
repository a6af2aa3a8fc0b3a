#include "fixtures.h"
#include "mechanismtree.h"
#include "nodeeditor.h"
#include "scripteddialogs.h"

#include <QRegularExpression>
#include <QTest>

namespace {

QString str(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QStringList answers(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* t : texts)
        list << QString::fromUtf8(t);
    return list;
}

// Small changes to a fixture, named in the test tables.
void prepare(Session& s, const QString& what)
{
    for (const QString& step : what.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (step == QLatin1String("forces"))
            s.ForceAnalysis = 6.0f;
        else if (step == QLatin1String("noPoints"))
            s.MorePoints = 7.0f;
        else if (step == QLatin1String("noExtraPairs"))
            s.ExtraPairsFlag = 0.0f;
        else if (step == QLatin1String("pr"))
            s.Zvenos[3].ZType = QStringLiteral("pr");
        else
            QTest::qFail(qPrintable(QStringLiteral("unknown preparation ") + step), __FILE__, __LINE__);
    }
}

Session fixtureNamed(const QString& name)
{
    if (name == QLatin1String("groups"))
        return fixtures::groupsOfEachType();
    return fixtures::richLinks();
}

// A record field named like "P1.X", "Z4.Mass", "Z2.DP1.Length", "Z3.TW1.Angle".
QString fieldValue(const Session& s, const QString& name)
{
    static const QRegularExpression shape(QStringLiteral("^([PZ])(\\d+)\\.(?:(DP|TW)(\\d+)\\.)?(\\w+)$"));
    const auto m = shape.match(name);
    if (!m.hasMatch())
        return QStringLiteral("<bad field name>");
    const int i = m.captured(2).toInt();
    const int j = m.captured(4).toInt();
    const QString f = m.captured(5);
    if (m.captured(1) == QLatin1String("P")) {
        const PARA& p = s.Paras[i];
        return f == QLatin1String("X") ? p.X : f == QLatin1String("Y") ? p.Y : p.XAngle;
    }
    const ZVENO& z = s.Zvenos[i];
    if (m.captured(3) == QLatin1String("DP")) {
        const DOP_POINT& p = z.DP[j];
        if (f == QLatin1String("Length"))
            return p.Length;
        if (f == QLatin1String("Angle"))
            return p.Angle;
        if (f == QLatin1String("Force"))
            return p.Force;
        return p.ForceAngle;
    }
    if (m.captured(3) == QLatin1String("TW"))
        return f == QLatin1String("Length") ? z.TwafzLength[j] : z.TwafzAngle[j];
    const QHash<QString, QString> fields = {
        {QStringLiteral("ZLength"), z.ZLength},   {QStringLiteral("Perpendicular"), z.Perpendicular},
        {QStringLiteral("CMLength"), z.CMLength}, {QStringLiteral("CMAngle"), z.CMAngle},
        {QStringLiteral("Mass"), z.Mass},         {QStringLiteral("Moment"), z.Moment},
        {QStringLiteral("MomentVn"), z.MomentVn}, {QStringLiteral("Clockwise"), z.Clockwise},
    };
    return fields.value(f, QStringLiteral("<unknown field>"));
}

// The texts of every node but one, to show that an edit changed nothing else.
QStringList textsExcept(const QList<TreeNode>& nodes, const QString& key)
{
    QStringList texts;
    for (const TreeNode& node : nodes)
        if (node.key != key)
            texts << node.key + QLatin1Char('=') + node.text;
    return texts;
}

void verifyScript(const ScriptedDialogs& d)
{
    QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
}

// A type 3 group of two links with perpendiculars, first link "4" (rp E-F), second "5".
Session twoPrismaticLinks(const QString& secondType)
{
    Session s = fixtures::groupsOfEachType();
    s.Zvenos[5].ZType = secondType;
    s.GroupCount = 1;
    s.Groups[1] = GROUP{QStringLiteral("1"), 4, 5, QStringLiteral("3"), QString(), QStringLiteral("y")};
    return s;
}

const QString kDirectionQuestion = str(
    "Пара %1, перпендикуляр проведенный с нее на напраляющую поступательной пары %2 и точка на направляющей "
    "поступательной пары обходятся ПО часовой стрелке?");

} // namespace

class NodeEditorTest : public QObject {
    Q_OBJECT
private slots:
    void numericNode_asksItsQuestionAndRewritesText_data();
    void numericNode_asksItsQuestionAndRewritesText();
    void numberLoop_reportsError5UntilANumberComes();
    void closedQuestion_takesPreviousAnswerThroughTheSameChecks();
    void linkDirection_asksSecondLinkFirst_data();
    void linkDirection_asksSecondLinkFirst();
    void linkDirection_linkInNoGroup_asksNothing();
    void linkDirection_skipsRemovedGroups();
    void linkDirection_closedQuestion_keepsFieldAndRewritesText();
    void groupChoices_askEachStepInOrder_data();
    void groupChoices_askEachStepInOrder();
    void twoDigitIndices_editTheirOwnRecord_data();
    void twoDigitIndices_editTheirOwnRecord();
    void nodesWithoutValue_doNothing_data();
    void nodesWithoutValue_doNothing();
};

void NodeEditorTest::numericNode_asksItsQuestionAndRewritesText_data()
{
    QTest::addColumn<QString>("preparation");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");

    QTest::newRow("pair X") << "" << "P_1_X" << str("Введите координату Х пары A") << "12.5" << str("Координата Х: 12.5") << "P1.X";
    QTest::newRow("pair Y") << "" << "P_1_Y" << str("Введите координату Y пары A") << "-3" << str("Координата Y: -3") << "P1.Y";
    QTest::newRow("pair guide angle")
        << "" << "P_4_XAngle" << str("Введите угол до положительного направления пары D от оси Х") << "30"
        << str("Угол с осью Х: 30") << "P4.XAngle";
    QTest::newRow("link length") << "" << "Z_2_zlength" << str("Введите расстояние между парами: A-B") << "0.12"
                                 << str("Длина звена: 0.12") << "Z2.ZLength";
    QTest::newRow("perpendicular of an rp link")
        << "" << "Z_3_perpendicular"
        << str("Введите длину перпендикуляра, опущеного с вращательной пары: C на направляющую поступательной пары D")
        << "0.07" << str("Длина перпендикуляра: 0.07") << "Z3.Perpendicular";
    QTest::newRow("perpendicular of a pr link")
        << "pr" << "Z_3_perpendicular"
        << str("Введите длину перпендикуляра, опущеного с вращательной пары: D на направляющую поступательной пары C")
        << "0.08" << str("Длина перпендикуляра: 0.08") << "Z3.Perpendicular";
    QTest::newRow("centre of mass distance: question from the second frame pair, text from the first")
        << "forces" << "Z_4_CM_length" << str("Введите расстояние от пары Q до центра масс S5") << "0.2"
        << str("Расстояние от P: 0.2") << "Z4.CMLength";
    QTest::newRow("centre of mass angle: question and text from the second frame pair")
        << "forces" << "Z_4_CM_angle" << str("Введите угол от вектора QP до вектора QS5") << "10"
        << str("Угол от вектора QP до вектора QS5: 10") << "Z4.CMAngle";
    QTest::newRow("mass") << "forces" << "Z_4_mass" << str("Введите массу звена 5") << "2.5" << str("Масса звена: 2.5")
                          << "Z4.Mass";
    QTest::newRow("moment of inertia") << "forces" << "Z_4_moment" << str("Введите момент инерции звена 5") << "0.5"
                                       << str("Момент звена: 0.5") << "Z4.Moment";
    QTest::newRow("external moment")
        << "forces" << "Z_4_moment_vn" << str("Введите величину внешнего момента, действующего на звено 5") << "-7"
        << str("Внешний момент, действующий на звено: -7") << "Z4.MomentVn";
    QTest::newRow("point distance") << "" << "Z_2_DP_length_1" << str("Введите расстояние от пары A до точки K") << "0.05"
                                    << str("Расстояние от A: 0.05") << "Z2.DP1.Length";
    QTest::newRow("point distance on a link with both pairs on the frame")
        << "" << "Z_4_DP_length_1" << str("Введите расстояние от пары Q до точки T") << "0.2" << str("Расстояние от Q: 0.2")
        << "Z4.DP1.Length";
    QTest::newRow("point angle without perpendicular")
        << "" << "Z_2_DP_angle_1" << str("Введите угол от вектора AB до вектора AK") << "25"
        << str("Угол от вектора AB до вектора AK: 25") << "Z2.DP1.Angle";
    QTest::newRow("point angle without perpendicular, text names the pairs as the tree does")
        << "" << "Z_4_DP_angle_1" << str("Введите угол от вектора QP до вектора QT") << "25"
        << str("Угол от вектора PQ до вектора PT: 25") << "Z4.DP1.Angle";
    QTest::newRow("point angle from the perpendicular")
        << "" << "Z_3_DP_angle_1" << str("Введите угол от перпендикуляра из пары D на направляющую пары C до вектора DN")
        << "40" << str("Угол от перпендикуляра из пары D на направляющую пары C до вектора DN =40") << "Z3.DP1.Angle";
    QTest::newRow("force") << "" << "Z_2_DP_force_2" << str("Введите величину силы, действующей на звено в точке M")
                           << "150" << str("Сила, действующая в точке M: 150") << "Z2.DP2.Force";
    QTest::newRow("force angle")
        << "" << "Z_2_DP_force_angle_2"
        << str("Введите угол от положительного направления оси Х до вектора силы, приложенного в точке M") << "270"
        << str("Угол к оси Х силы, действующей в точке M: 270") << "Z2.DP2.ForceAngle";
    QTest::newRow("additional pair distance")
        << "" << "Z_2_TWAFZ_length_1" << str("Введите расстояние от пары A до пары E") << "0.08"
        << str("Расстояние до пары A: 0.08") << "Z2.TW1.Length";
    QTest::newRow("additional pair distance on an rp link")
        << "" << "Z_3_TWAFZ_length_1" << str("Введите расстояние от пары D до пары G") << "0.3"
        << str("Расстояние до пары D: 0.3") << "Z3.TW1.Length";
    QTest::newRow("additional pair angle keeps its blank before the colon")
        << "" << "Z_2_TWAFZ_angle_1" << str("Введите угол от вектора AB до вектора AE") << "35"
        << str("Угол от вектора AB до вектора AE : 35") << "Z2.TW1.Angle";
    QTest::newRow("additional pair angle from the perpendicular")
        << "" << "Z_3_TWAFZ_angle_1" << str("Введите угол от перпендикуляра из пары D на направляющую пары C до вектора DG")
        << "65" << str("Угол от перпендикуляра из пары D на направляющую пары C до вектора DG =65") << "Z3.TW1.Angle";
}

void NodeEditorTest::numericNode_asksItsQuestionAndRewritesText()
{
    QFETCH(QString, preparation);
    QFETCH(QString, key);
    QFETCH(QString, question);
    QFETCH(QString, answer);
    QFETCH(QString, text);
    QFETCH(QString, field);

    Session s = fixtures::richLinks();
    prepare(s, preparation);
    const QList<TreeNode> before = buildMechanismTree(s);
    QVERIFY2(std::any_of(before.begin(), before.end(), [&](const TreeNode& n) { return n.key == key && !n.structural; }),
             "the tree shows this value node");

    ScriptedDialogs d(s);
    d.expectQuestion(question, 2.0f, QStringLiteral("0"), answer);
    NodeEditor editor(s, d);
    QCOMPARE(editor.edit(key), std::optional<QString>(text));
    verifyScript(d);
    QCOMPARE(fieldValue(s, field), answer);
    QCOMPARE(s.Answer, answer);
    // Exactly one field changed: rebuilt, the tree differs in this node only.
    QCOMPARE(textsExcept(buildMechanismTree(s), key), textsExcept(before, key));
    QVERIFY(buildMechanismTree(s) != before);
}

void NodeEditorTest::numberLoop_reportsError5UntilANumberComes()
{
    Session s = fixtures::richLinks();
    prepare(s, QStringLiteral("forces"));
    const QString q = str("Введите массу звена 5");
    ScriptedDialogs d(s);
    d.expectQuestion(q, 2.0f, QStringLiteral("0"), QStringLiteral("abc")).expectError(14).expectError(5);
    d.expectQuestion(q, 2.0f, QStringLiteral("0"), QStringLiteral("1.2.3")).expectError(5);
    d.expectQuestion(q, 2.0f, QStringLiteral("0"), QString()).expectError(5);
    d.expectQuestion(q, 2.0f, QStringLiteral("0"), QStringLiteral(" ")).expectError(5);
    d.expectQuestion(q, 2.0f, QStringLiteral("0"), QStringLiteral("-")).expectError(5);
    d.expectQuestionClosed(q, 2.0f, QStringLiteral("0")).expectError(5); // the previous answer "-" again
    d.expectQuestion(q, 2.0f, QStringLiteral("0"), QStringLiteral("2.5"));
    NodeEditor editor(s, d);
    QCOMPARE(editor.edit(QStringLiteral("Z_4_mass")), std::optional<QString>(str("Масса звена: 2.5")));
    verifyScript(d);
    QCOMPARE(s.Zvenos[4].Mass, QStringLiteral("2.5"));
}

void NodeEditorTest::closedQuestion_takesPreviousAnswerThroughTheSameChecks()
{
    Session s = fixtures::richLinks();
    s.Answer = QStringLiteral("7"); // left by an earlier yes/no question
    ScriptedDialogs d(s);
    d.expectQuestionClosed(str("Введите координату Х пары A"), 2.0f, QStringLiteral("0"));
    NodeEditor editor(s, d);
    QCOMPARE(editor.edit(QStringLiteral("P_1_X")), std::optional<QString>(str("Координата Х: 7")));
    verifyScript(d);
    QCOMPARE(s.Paras[1].X, QStringLiteral("7"));
}

void NodeEditorTest::linkDirection_asksSecondLinkFirst_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("secondType");
    QTest::addColumn<QString>("secondQuestion");
    QTest::newRow("first link's node, rp second link") << "Z_4_clockwise" << "rp" << kDirectionQuestion.arg(QStringLiteral("C")).arg(QStringLiteral("E"));
    QTest::newRow("second link's node, rp second link") << "Z_5_clockwise" << "rp" << kDirectionQuestion.arg(QStringLiteral("C")).arg(QStringLiteral("E"));
    QTest::newRow("pr second link names its pairs the other way")
        << "Z_5_clockwise" << "pr" << kDirectionQuestion.arg(QStringLiteral("E")).arg(QStringLiteral("C"));
}

void NodeEditorTest::linkDirection_asksSecondLinkFirst()
{
    QFETCH(QString, key);
    QFETCH(QString, secondType);
    QFETCH(QString, secondQuestion);
    Session s = twoPrismaticLinks(secondType);
    ScriptedDialogs d(s);
    d.expectQuestion(secondQuestion, 1.0f, QStringLiteral("0"), QStringLiteral("6"));
    d.expectQuestion(kDirectionQuestion.arg(QStringLiteral("E")).arg(QStringLiteral("F")), 1.0f, QStringLiteral("0"), QStringLiteral("7"));
    NodeEditor editor(s, d);
    // The node shows the link asked last: the group's first link.
    QCOMPARE(editor.edit(key), std::optional<QString>(str("Направление обхода: Против часовой стрелки")));
    verifyScript(d);
    QCOMPARE(s.Zvenos[5].Clockwise, QStringLiteral("y"));
    QCOMPARE(s.Zvenos[4].Clockwise, QStringLiteral("n"));
    QCOMPARE(editor.EditGroup, QStringLiteral("1"));
    QCOMPARE(s.Groups[1].IsSharp, QStringLiteral("y"));
}

void NodeEditorTest::linkDirection_linkInNoGroup_asksNothing()
{
    Session s = fixtures::richLinks(); // no groups at all
    ScriptedDialogs d(s);
    NodeEditor editor(s, d);
    QCOMPARE(editor.edit(QStringLiteral("Z_3_clockwise")), std::nullopt);
    QVERIFY(d.asked().isEmpty());
    QCOMPARE(s.Zvenos[3].Clockwise, QStringLiteral("n"));
}

void NodeEditorTest::linkDirection_skipsRemovedGroups()
{
    Session s = twoPrismaticLinks(QStringLiteral("rp"));
    s.GroupCount = 2;
    s.Groups[2] = s.Groups[1];
    s.Groups[1] = GROUP{QStringLiteral("-1"), -1, -1, QStringLiteral("3"), QString(), QString()};
    ScriptedDialogs d(s);
    d.expectQuestion(kDirectionQuestion.arg(QStringLiteral("C")).arg(QStringLiteral("E")), 1.0f, QStringLiteral("0"),
                     QStringLiteral("7"));
    d.expectQuestion(kDirectionQuestion.arg(QStringLiteral("E")).arg(QStringLiteral("F")), 1.0f, QStringLiteral("0"),
                     QStringLiteral("6"));
    NodeEditor editor(s, d);
    QCOMPARE(editor.edit(QStringLiteral("Z_4_clockwise")), std::optional<QString>(str("Направление обхода: По часовой стрелке")));
    verifyScript(d);
    QCOMPARE(editor.EditGroup, QStringLiteral("2"));
    QCOMPARE(s.Zvenos[5].Clockwise, QStringLiteral("n"));
    QCOMPARE(s.Zvenos[4].Clockwise, QStringLiteral("y"));
}

void NodeEditorTest::linkDirection_closedQuestion_keepsFieldAndRewritesText()
{
    Session s = fixtures::groupsOfEachType();
    s.Zvenos[4].Clockwise = QStringLiteral("y");
    s.Answer = QStringLiteral("12");
    ScriptedDialogs d(s);
    // Group 2 is the first to hold link "4"; its first link is "rr" and is not asked about.
    d.expectQuestionClosed(kDirectionQuestion.arg(QStringLiteral("E")).arg(QStringLiteral("F")), 1.0f, QStringLiteral("0"));
    NodeEditor editor(s, d);
    QCOMPARE(editor.edit(QStringLiteral("Z_4_clockwise")), std::optional<QString>(str("Направление обхода: По часовой стрелке")));
    verifyScript(d);
    QCOMPARE(editor.EditGroup, QStringLiteral("2"));
    QCOMPARE(s.Zvenos[4].Clockwise, QStringLiteral("y"));
}

void NodeEditorTest::groupChoices_askEachStepInOrder_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<QStringList>("answers"); // "close" closes the dialog
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("clockwise");
    QTest::addColumn<QString>("isSharp");

    const QString h1 = str("Группа: 1(B-C-D) Тип - 1\r\n");
    const QString h2 = str("Группа: 2(B-C-F) Тип - 2\r\n");
    const QString h3 = str("Группа: 3(E-F-E) Тип - 2\r\n");
    const QString h4 = str("Группа: 4(C-E-F) Тип - 3\r\n");
    QTest::newRow("type 1 direction, yes")
        << "G_1_clockwise" << QStringList{h1 + str("Пары B-C-D обходятся ПО часовой стрелке?")} << answers({"6"})
        << str("Направление обхода группы: B-C-D: По часовой стрелке") << "y" << "/n";
    QTest::newRow("type 1 direction, no")
        << "G_1_clockwise" << QStringList{h1 + str("Пары B-C-D обходятся ПО часовой стрелке?")} << answers({"7"})
        << str("Направление обхода группы: B-C-D: Против часовой стрелки") << "n" << "/n";
    QTest::newRow("type 2 over an rr link")
        << "G_2_clockwise"
        << QStringList{h2 + str("Вектор BC составляет острый угол с положительным направлением поступательной пары F?")}
        << answers({"6"}) << str("Вектор BC составляет острый угол с положительным направлением поступательной пары F")
        << "" << "y";
    QTest::newRow("type 2 over an rp link with perpendiculars: the last answer is kept")
        << "G_3_clockwise"
        << QStringList{h3 + str("Вектор CE составляет острый угол с положительным направлением поступательной пары E?"),
                       h3 + str("Вектор EE составляет острый угол с положительным направлением пары F?")}
        << answers({"7", "6"}) << str("Вектор EE составляет острый угол с положительным направлением пары F") << ""
        << "y";
    QTest::newRow("type 2 from its angle node asks both steps too")
        << "G_3_is_sharp"
        << QStringList{h3 + str("Вектор CE составляет острый угол с положительным направлением поступательной пары E?"),
                       h3 + str("Вектор EE составляет острый угол с положительным направлением пары F?")}
        << answers({"6", "7"}) << str("Вектор EE составляет тупой угол с положительным направлением пары F") << ""
        << "n";
    QTest::newRow("type 3 with perpendiculars")
        << "G_4_is_sharp" << QStringList{h4 + str("Вектор CF составляет острый угол с положительным направлением пары E?")}
        << answers({"7"}) << str("Вектор CF составляет тупой угол с положительным направлением пары E") << "" << "n";
    QTest::newRow("closed question keeps the unset choice")
        << "G_4_is_sharp" << QStringList{h4 + str("Вектор CF составляет острый угол с положительным направлением пары E?")}
        << answers({"close"}) << str("Вектор CF составляет  с положительным направлением пары E") << "" << "/n";
}

void NodeEditorTest::groupChoices_askEachStepInOrder()
{
    QFETCH(QString, key);
    QFETCH(QStringList, questions);
    QFETCH(QStringList, answers);
    QFETCH(QString, text);
    QFETCH(QString, clockwise);
    QFETCH(QString, isSharp);

    Session s = fixtures::groupsOfEachType();
    s.Answer = QStringLiteral("x");
    ScriptedDialogs d(s);
    for (qsizetype i = 0; i < questions.size(); ++i) {
        if (answers[i] == QLatin1String("close"))
            d.expectQuestionClosed(questions[i], 1.0f, QStringLiteral("0"));
        else
            d.expectQuestion(questions[i], 1.0f, QStringLiteral("0"), answers[i]);
    }
    NodeEditor editor(s, d);
    const int g = key.section(QLatin1Char('_'), 1, 1).toInt();
    const GROUP other = s.Groups[g == 1 ? 2 : 1];
    QCOMPARE(editor.edit(key), std::optional<QString>(text));
    verifyScript(d);
    QCOMPARE(editor.EditGroup, QString::number(g));
    QCOMPARE(s.Groups[g].Clockwise, clockwise);
    QCOMPARE(s.Groups[g].IsSharp, isSharp);
    const GROUP& untouched = s.Groups[g == 1 ? 2 : 1];
    QCOMPARE(untouched.Clockwise, other.Clockwise);
    QCOMPARE(untouched.IsSharp, other.IsSharp);
}

void NodeEditorTest::twoDigitIndices_editTheirOwnRecord_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("text");
    QTest::newRow("point 12 of link 3")
        << "Z_3_DP_length_12" << str("Введите расстояние от пары D до точки W") << str("Расстояние от D: 9");
    QTest::newRow("link 12") << "Z_12_zlength" << str("Введите расстояние между парами: A-B") << str("Длина звена: 9");
    QTest::newRow("group 12")
        << "G_12_is_sharp"
        << str("Группа: 12(C-E-F) Тип - 3\r\nВектор CF составляет острый угол с положительным направлением пары E?")
        << str("Вектор CF составляет острый угол с положительным направлением пары E");
    QTest::newRow("group 1")
        << "G_1_is_sharp"
        << str("Группа: 1(C-E-F) Тип - 3\r\nВектор CF составляет острый угол с положительным направлением пары E?")
        << str("Вектор CF составляет острый угол с положительным направлением пары E");
}

void NodeEditorTest::twoDigitIndices_editTheirOwnRecord()
{
    QFETCH(QString, key);
    QFETCH(QString, question);
    QFETCH(QString, text);

    Session s = fixtures::richLinks();
    // Link 3 with twelve points, link 12 a copy of link 2, groups 1 and 12 alike but for the name.
    s.Zvenos[3].DPCount = 12;
    for (int j = 2; j <= 12; ++j)
        s.Zvenos[3].DP[j] = DOP_POINT{j == 12 ? QStringLiteral("W") : QStringLiteral("V"), QStringLiteral("0"),
                                      QStringLiteral("0"), QString(), QString(), QStringLiteral("o")};
    s.Zvenos[12] = s.Zvenos[2];
    s.ZvenoCount = 12;
    const Session groups = fixtures::groupsOfEachType();
    s.Zvenos[5] = groups.Zvenos[5];
    s.Zvenos[6] = groups.Zvenos[4];
    s.GroupCount = 12;
    for (int g = 1; g <= 12; ++g)
        s.Groups[g] = GROUP{QString::number(g), 5, 6, QStringLiteral("3"), QString(), kNotSet};
    const Session before = s;

    const bool yesNo = key.startsWith(QLatin1Char('G'));
    ScriptedDialogs d(s);
    d.expectQuestion(question, yesNo ? 1.0f : 2.0f, QStringLiteral("0"), yesNo ? QStringLiteral("6") : QStringLiteral("9"));
    NodeEditor editor(s, d);
    QCOMPARE(editor.edit(key), std::optional<QString>(text));
    verifyScript(d);

    const bool pointKey = key == QLatin1String("Z_3_DP_length_12");
    const bool groupKey = yesNo;
    const int group = key == QLatin1String("G_12_is_sharp") ? 12 : 1;
    for (int j = 1; j <= 12; ++j)
        QCOMPARE(s.Zvenos[3].DP[j].Length, pointKey && j == 12 ? QStringLiteral("9") : before.Zvenos[3].DP[j].Length);
    QCOMPARE(s.Zvenos[12].ZLength, key == QLatin1String("Z_12_zlength") ? QStringLiteral("9") : before.Zvenos[12].ZLength);
    QCOMPARE(s.Zvenos[1].ZLength, before.Zvenos[1].ZLength);
    QCOMPARE(s.Zvenos[2].ZLength, before.Zvenos[2].ZLength);
    for (int g = 1; g <= 12; ++g)
        QCOMPARE(s.Groups[g].IsSharp, groupKey && g == group ? QStringLiteral("y") : kNotSet);
    if (pointKey)
        QCOMPARE(editor.EditSub, qint16(12));
}

void NodeEditorTest::nodesWithoutValue_doNothing_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("preparation");
    QTest::addColumn<QString>("key");
    const char* structural[] = {"PARAS", "P_1", "ZVENOS", "Z_2", "Z_2_TWAFZ_1", "Z_2_DP", "Z_2_DP_1", "GROUPS"};
    for (const char* key : structural)
        QTest::newRow(key) << "rich" << "" << key;
    QTest::newRow("centre of mass node") << "rich" << "forces" << "Z_4_CM";
    QTest::newRow("length of a link that is not rr") << "rich" << "" << "Z_3_zlength";
    QTest::newRow("perpendicular of an rr link") << "rich" << "" << "Z_2_perpendicular";
    QTest::newRow("centre of mass without force analysis") << "rich" << "" << "Z_4_CM_length";
    QTest::newRow("mass without force analysis") << "rich" << "" << "Z_4_mass";
    QTest::newRow("external moment without force analysis") << "rich" << "" << "Z_4_moment_vn";
    QTest::newRow("point without further points") << "rich" << "noPoints" << "Z_2_DP_length_1";
    QTest::newRow("additional pair without additional pairs") << "rich" << "noExtraPairs" << "Z_2_TWAFZ_angle_1";
    QTest::newRow("link direction of a link in no group") << "rich" << "" << "Z_2_clockwise";
    QTest::newRow("link beyond the array") << "rich" << "forces" << "Z_99_mass";
    QTest::newRow("point beyond the array") << "rich" << "" << "Z_2_DP_length_33";
    QTest::newRow("pair zero") << "rich" << "" << "P_0_X";
    QTest::newRow("unknown family") << "rich" << "" << "Q_1_X";
    QTest::newRow("empty key") << "rich" << "" << "";
    QTest::newRow("group node") << "groups" << "" << "G_1";
    QTest::newRow("angle of a type 1 group") << "groups" << "" << "G_1_is_sharp";
    QTest::newRow("type 3 group without perpendiculars") << "groups" << "" << "G_5_is_sharp";
    QTest::newRow("type 3 group without perpendiculars, direction key") << "groups" << "" << "G_5_clockwise";
    QTest::newRow("direction of a link whose group holds no prismatic link") << "groups" << "" << "Z_2_clockwise";
}

void NodeEditorTest::nodesWithoutValue_doNothing()
{
    QFETCH(QString, fixture);
    QFETCH(QString, preparation);
    QFETCH(QString, key);
    Session s = fixtureNamed(fixture);
    prepare(s, preparation);
    const QList<TreeNode> before = buildMechanismTree(s);
    ScriptedDialogs d(s);
    NodeEditor editor(s, d);
    QCOMPARE(editor.edit(key), std::nullopt);
    QVERIFY2(d.asked().isEmpty(), qPrintable(d.asked().join(QLatin1Char('\n'))));
    verifyScript(d);
    QCOMPARE(buildMechanismTree(s), before);
}

QTEST_GUILESS_MAIN(NodeEditorTest)
#include "nodeeditor_test.moc"
