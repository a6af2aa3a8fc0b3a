#include "fixtures.h"
#include "mechanismtree.h"

#include <QSet>
#include <QTest>

Q_DECLARE_METATYPE(TreeNode)

namespace {

TreeNode S(const char* key, const char* parent, const QString& text, bool expanded = false)
{
    return TreeNode{QLatin1String(key), QLatin1String(parent), text, true, expanded, false};
}

TreeNode V(const char* key, const char* parent, const QString& text)
{
    return TreeNode{QLatin1String(key), QLatin1String(parent), text, false, false, false};
}

QString str(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

Session noFramePairs()
{
    Session s;
    s.NewMechanism();
    fixtures::setPair(s, 1, QStringLiteral("B"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("r"));
    fixtures::setPair(s, 2, QStringLiteral("C"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("r"));
    fixtures::setLink(s, 1, QStringLiteral("0"), 1, 2, QStringLiteral("rr"));
    s.Zvenos[1].IsFrame = 1.0f;
    s.FrameIndex = 1;
    s.ForceAnalysis = 6.0f;
    return s;
}

Session equalPairNames()
{
    Session s;
    s.NewMechanism();
    fixtures::setPair(s, 1, QStringLiteral("A"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("r"),
                      QStringLiteral("1"), QStringLiteral("2"));
    fixtures::setPair(s, 2, QStringLiteral("A"), QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("r"),
                      QStringLiteral("3"), QStringLiteral("4"));
    fixtures::setLink(s, 1, QStringLiteral("0"), 1, 2, QStringLiteral("rr"));
    s.Zvenos[1].IsFrame = 1.0f;
    s.FrameIndex = 1;
    return s;
}

Session byName(const QString& name)
{
    if (name == QLatin1String("fourBar/forces"))
        return fixtures::fourBar(6.0f);
    if (name == QLatin1String("fourBar/noForces"))
        return fixtures::fourBar(7.0f);
    if (name == QLatin1String("richLinks"))
        return fixtures::richLinks();
    if (name == QLatin1String("groupsOfEachType"))
        return fixtures::groupsOfEachType();
    if (name == QLatin1String("loadedStyle"))
        return fixtures::loadedStyle();
    if (name == QLatin1String("noFramePairs"))
        return noFramePairs();
    return equalPairNames();
}

const TreeNode kPairsRoot = S("PARAS", "", str("Пары"), true);
const TreeNode kLinksRoot = S("ZVENOS", "", str("Звенья"), true);
const TreeNode kGroupsRoot = S("GROUPS", "", str("Группы"), true);

QList<TreeNode> fourBarPairs()
{
    return {kPairsRoot,
            S("P_1", "PARAS", str("A")),
            V("P_1_X", "P_1", str("Координата Х: 0")),
            V("P_1_Y", "P_1", str("Координата Y: 0")),
            S("P_4", "PARAS", str("D")),
            V("P_4_X", "P_4", str("Координата Х: 0.3")),
            V("P_4_Y", "P_4", str("Координата Y: -0.1")),
            V("P_4_XAngle", "P_4", str("Угол с осью Х: 0"))};
}

QList<TreeNode> fourBarGroups()
{
    return {kGroupsRoot, S("G_1", "GROUPS", str("Номер KVERTA: 1")),
            V("G_1_clockwise", "G_1", str("Вектор BC составляет острый угол с положительным направлением поступательной пары D"))};
}

} // namespace

class MechanismTreeTest : public QObject {
    Q_OBJECT
private slots:
    void tree_isBuiltNodeByNode_data();
    void tree_isBuiltNodeByNode();
    void sections_comeInOrderEachFromItsRoot();
    void basePair_prefersFirstPairOnFrame_data();
    void basePair_prefersFirstPairOnFrame();
    void nodeMarks_markStructuralNodesOnly();
    void largestMechanism_buildsWholeTree();
    void damagedCountsAndIndices_stayInsideArrays();
};

void MechanismTreeTest::tree_isBuiltNodeByNode_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QList<TreeNode>>("expected");

    QTest::newRow("four-bar with forces: frame and repeated links hidden, driving link has no external moment")
        << QStringLiteral("fourBar/forces")
        << (fourBarPairs()
            + QList<TreeNode>{
                kLinksRoot,
                S("Z_2", "ZVENOS", str("1")),
                V("Z_2_zlength", "Z_2", str("Длина звена: 0.1")),
                S("Z_2_CM", "Z_2", str("Центр масс: S1")),
                V("Z_2_CM_length", "Z_2_CM", str("Расстояние от A: 0.05")),
                V("Z_2_CM_angle", "Z_2_CM", str("Угол от вектора AB до вектора AS1: 0")),
                V("Z_2_mass", "Z_2", str("Масса звена: 1")),
                V("Z_2_moment", "Z_2", str("Момент звена: 0.01")),
                S("Z_4", "ZVENOS", str("2")),
                V("Z_4_zlength", "Z_4", str("Длина звена: 0.4")),
                S("Z_4_CM", "Z_4", str("Центр масс: S2")),
                V("Z_4_CM_length", "Z_4_CM", str("Расстояние от B: 0.2")),
                V("Z_4_CM_angle", "Z_4_CM", str("Угол от вектора BC до вектора BS2: 10")),
                V("Z_4_mass", "Z_4", str("Масса звена: 2")),
                V("Z_4_moment", "Z_4", str("Момент звена: 0.02")),
                V("Z_4_moment_vn", "Z_4", str("Внешний момент, действующий на звено: 0")),
                S("Z_6", "ZVENOS", str("3")),
                V("Z_6_clockwise", "Z_6", str("Направление обхода: По часовой стрелке")),
                V("Z_6_perpendicular", "Z_6", str("Длина перпендикуляра: 0.05")),
                S("Z_6_CM", "Z_6", str("Центр масс: S3")),
                V("Z_6_CM_length", "Z_6_CM", str("Расстояние от D: 0")),
                V("Z_6_CM_angle", "Z_6_CM", str("Угол от вектора DC до вектора DS3: 0")),
                V("Z_6_mass", "Z_6", str("Масса звена: 3")),
                V("Z_6_moment", "Z_6", str("Момент звена: 0.03")),
                V("Z_6_moment_vn", "Z_6", str("Внешний момент, действующий на звено: -5")),
            }
            + fourBarGroups());

    QTest::newRow("four-bar without forces: no centre of mass, mass or moments")
        << QStringLiteral("fourBar/noForces")
        << (fourBarPairs()
            + QList<TreeNode>{
                kLinksRoot,
                S("Z_2", "ZVENOS", str("1")),
                V("Z_2_zlength", "Z_2", str("Длина звена: 0.1")),
                S("Z_4", "ZVENOS", str("2")),
                V("Z_4_zlength", "Z_4", str("Длина звена: 0.4")),
                S("Z_6", "ZVENOS", str("3")),
                V("Z_6_clockwise", "Z_6", str("Направление обхода: По часовой стрелке")),
                V("Z_6_perpendicular", "Z_6", str("Длина перпендикуляра: 0.05")),
            }
            + fourBarGroups());

    QTest::newRow("additional pairs and extra points of kinds o, f and none")
        << QStringLiteral("richLinks")
        << QList<TreeNode>{
               kPairsRoot,
               S("P_1", "PARAS", str("A")),
               V("P_1_X", "P_1", str("Координата Х: ")),
               V("P_1_Y", "P_1", str("Координата Y: ")),
               S("P_4", "PARAS", str("D")),
               V("P_4_X", "P_4", str("Координата Х: ")),
               V("P_4_Y", "P_4", str("Координата Y: ")),
               V("P_4_XAngle", "P_4", str("Угол с осью Х: ")),
               S("P_6", "PARAS", str("P")),
               V("P_6_X", "P_6", str("Координата Х: ")),
               V("P_6_Y", "P_6", str("Координата Y: ")),
               S("P_7", "PARAS", str("Q")),
               V("P_7_X", "P_7", str("Координата Х: ")),
               V("P_7_Y", "P_7", str("Координата Y: ")),
               kLinksRoot,
               S("Z_2", "ZVENOS", str("1")),
               V("Z_2_zlength", "Z_2", str("Длина звена: 0.1")),
               S("Z_2_TWAFZ_1", "Z_2", str("Дополнительная пара: E")),
               V("Z_2_TWAFZ_length_1", "Z_2_TWAFZ_1", str("Расстояние до пары A: 0.07")),
               V("Z_2_TWAFZ_angle_1", "Z_2_TWAFZ_1", str("Угол от вектора AB до вектора AE : 30")),
               S("Z_2_DP", "Z_2", str("Дополнительные точки")),
               S("Z_2_DP_1", "Z_2_DP", str("Точка: K")),
               V("Z_2_DP_length_1", "Z_2_DP_1", str("Расстояние от A: 0.02")),
               V("Z_2_DP_angle_1", "Z_2_DP_1", str("Угол от вектора AB до вектора AK: 15")),
               S("Z_2_DP_2", "Z_2_DP", str("Точка: M")),
               V("Z_2_DP_length_2", "Z_2_DP_2", str("Расстояние от A: 0.03")),
               V("Z_2_DP_angle_2", "Z_2_DP_2", str("Угол от вектора AB до вектора AM: 45")),
               V("Z_2_DP_force_2", "Z_2_DP_2", str("Сила, действующая в точке M: 100")),
               V("Z_2_DP_force_angle_2", "Z_2_DP_2", str("Угол к оси Х силы, действующей в точке M: 90")),
               S("Z_2_DP_3", "Z_2_DP", str("Точка: X")),
               S("Z_3", "ZVENOS", str("3")),
               V("Z_3_clockwise", "Z_3", str("Направление обхода: Против часовой стрелки")),
               V("Z_3_perpendicular", "Z_3", str("Длина перпендикуляра: 0.05")),
               S("Z_3_TWAFZ_1", "Z_3", str("Дополнительная пара: G")),
               V("Z_3_TWAFZ_length_1", "Z_3_TWAFZ_1", str("Расстояние до пары D: 0.2")),
               V("Z_3_TWAFZ_angle_1", "Z_3_TWAFZ_1", str("Угол от вектора DC до вектора DG : 60")),
               S("Z_3_DP", "Z_3", str("Дополнительные точки")),
               S("Z_3_DP_1", "Z_3_DP", str("Точка: N")),
               V("Z_3_DP_length_1", "Z_3_DP_1", str("Расстояние от D: 0.4")),
               V("Z_3_DP_angle_1", "Z_3_DP_1", str("Угол от вектора DC до вектора DN: 5")),
               S("Z_4", "ZVENOS", str("5")),
               V("Z_4_zlength", "Z_4", str("Длина звена: 0.3")),
               S("Z_4_DP", "Z_4", str("Дополнительные точки")),
               S("Z_4_DP_1", "Z_4_DP", str("Точка: T")),
               V("Z_4_DP_length_1", "Z_4_DP_1", str("Расстояние от P: 0.1")),
               V("Z_4_DP_angle_1", "Z_4_DP_1", str("Угол от вектора PQ до вектора PT: 20")),
               V("Z_4_DP_force_1", "Z_4_DP_1", str("Сила, действующая в точке T: 50")),
               V("Z_4_DP_force_angle_1", "Z_4_DP_1", str("Угол к оси Х силы, действующей в точке T: 180")),
               kGroupsRoot,
           };

    QTest::newRow("groups of every type, unset flags leave the label bare")
        << QStringLiteral("groupsOfEachType")
        << QList<TreeNode>{
               kPairsRoot,
               S("P_1", "PARAS", str("A")),
               V("P_1_X", "P_1", str("Координата Х: ")),
               V("P_1_Y", "P_1", str("Координата Y: ")),
               S("P_4", "PARAS", str("D")),
               V("P_4_X", "P_4", str("Координата Х: ")),
               V("P_4_Y", "P_4", str("Координата Y: ")),
               S("P_5", "PARAS", str("E")),
               V("P_5_X", "P_5", str("Координата Х: ")),
               V("P_5_Y", "P_5", str("Координата Y: ")),
               V("P_5_XAngle", "P_5", str("Угол с осью Х: ")),
               S("P_6", "PARAS", str("F")),
               V("P_6_X", "P_6", str("Координата Х: ")),
               V("P_6_Y", "P_6", str("Координата Y: ")),
               kLinksRoot,
               S("Z_2", "ZVENOS", str("2")),
               V("Z_2_zlength", "Z_2", str("Длина звена: ")),
               S("Z_3", "ZVENOS", str("3")),
               V("Z_3_zlength", "Z_3", str("Длина звена: ")),
               S("Z_4", "ZVENOS", str("4")),
               V("Z_4_clockwise", "Z_4", str("Направление обхода: ")),
               V("Z_4_perpendicular", "Z_4", str("Длина перпендикуляра: 0.1")),
               S("Z_5", "ZVENOS", str("5")),
               V("Z_5_clockwise", "Z_5", str("Направление обхода: ")),
               V("Z_5_perpendicular", "Z_5", str("Длина перпендикуляра: 0.2")),
               kGroupsRoot,
               S("G_1", "GROUPS", str("Номер KVERTA: 1")),
               V("G_1_clockwise", "G_1", str("Направление обхода группы: B-C-D: ")),
               S("G_2", "GROUPS", str("Номер KVERTA: 2")),
               V("G_2_clockwise", "G_2", str("Вектор BC составляет тупой угол с положительным направлением поступательной пары F")),
               S("G_3", "GROUPS", str("Номер KVERTA: 3")),
               V("G_3_clockwise", "G_3", str("Вектор CE составляет острый угол с положительным направлением поступательной пары E")),
               V("G_3_is_sharp", "G_3", str("Вектор EE составляет острый угол с положительным направлением пары F")),
               S("G_4", "GROUPS", str("Номер KVERTA: 4")),
               V("G_4_is_sharp", "G_4", str("Вектор CF составляет  с положительным направлением пары E")),
               S("G_5", "GROUPS", str("Номер KVERTA: 5")),
           };

    QTest::newRow("loaded project: unset fields show /n, unresolved group links read as empty")
        << QStringLiteral("loadedStyle")
        << QList<TreeNode>{
               kPairsRoot,
               S("P_1", "PARAS", str("A")),
               V("P_1_X", "P_1", str("Координата Х: /n")),
               V("P_1_Y", "P_1", str("Координата Y: /n")),
               S("P_2", "PARAS", str("B")),
               V("P_2_X", "P_2", str("Координата Х: /n")),
               V("P_2_Y", "P_2", str("Координата Y: /n")),
               V("P_2_XAngle", "P_2", str("Угол с осью Х: /n")),
               kLinksRoot,
               S("Z_2", "ZVENOS", str("1")),
               V("Z_2_zlength", "Z_2", str("Длина звена: /n")),
               S("Z_2_CM", "Z_2", str("Центр масс: /n")),
               V("Z_2_CM_length", "Z_2_CM", str("Расстояние от A: /n")),
               V("Z_2_CM_angle", "Z_2_CM", str("Угол от вектора AB до вектора A/n: /n")),
               V("Z_2_mass", "Z_2", str("Масса звена: /n")),
               V("Z_2_moment", "Z_2", str("Момент звена: /n")),
               S("Z_2_DP", "Z_2", str("Дополнительные точки")),
               S("Z_2_DP_1", "Z_2_DP", str("Точка: /n")),
               kGroupsRoot,
               S("G_1", "GROUPS", str("Номер KVERTA: 1")),
               V("G_1_clockwise", "G_1", str("Направление обхода группы: --: ")),
           };

    QTest::newRow("no pair on the frame and none prismatic: bare roots")
        << QStringLiteral("noFramePairs") << QList<TreeNode>{kPairsRoot, kLinksRoot, kGroupsRoot};

    QTest::newRow("two pairs of one name keep distinct keys")
        << QStringLiteral("equalPairNames")
        << QList<TreeNode>{kPairsRoot,
                           S("P_1", "PARAS", str("A")),
                           V("P_1_X", "P_1", str("Координата Х: 1")),
                           V("P_1_Y", "P_1", str("Координата Y: 2")),
                           S("P_2", "PARAS", str("A")),
                           V("P_2_X", "P_2", str("Координата Х: 3")),
                           V("P_2_Y", "P_2", str("Координата Y: 4")),
                           kLinksRoot,
                           kGroupsRoot};
}

void MechanismTreeTest::tree_isBuiltNodeByNode()
{
    QFETCH(QString, fixture);
    QFETCH(QList<TreeNode>, expected);
    const Session session = byName(fixture);
    const QList<TreeNode> nodes = buildMechanismTree(session);
    for (qsizetype n = 0; n < qMin(nodes.size(), expected.size()); ++n) {
        const QByteArray where = QByteArray("node ") + QByteArray::number(n + 1) + ' ' + expected[n].key.toUtf8();
        auto say = [&](const char* what, const QString& got) {
            return QByteArray(where + ": " + what + " [" + got.toUtf8() + "]");
        };
        QVERIFY2(nodes[n].key == expected[n].key, say("key", nodes[n].key).constData());
        QVERIFY2(nodes[n].parentKey == expected[n].parentKey, say("parent", nodes[n].parentKey).constData());
        QVERIFY2(nodes[n].text == expected[n].text, say("text", nodes[n].text).constData());
        QVERIFY2(nodes[n].structural == expected[n].structural, say("kind", QString()).constData());
        QVERIFY2(nodes[n].expanded == expected[n].expanded, say("expanded", QString()).constData());
        QVERIFY2(!nodes[n].checked, say("checked", QString()).constData());
    }
    QCOMPARE(nodes.size(), expected.size());
}

void MechanismTreeTest::sections_comeInOrderEachFromItsRoot()
{
    const Session s = fixtures::fourBar(6.0f);
    const QList<TreeNode> pairs = Load_PARAS(s);
    const QList<TreeNode> links = Load_ZVENOS(s);
    const QList<TreeNode> groups = Load_GROUPS(s);
    QCOMPARE(pairs.first().key, QStringLiteral("PARAS"));
    QCOMPARE(links.first().key, QStringLiteral("ZVENOS"));
    QCOMPARE(groups.first().key, QStringLiteral("GROUPS"));
    QCOMPARE(buildMechanismTree(s), pairs + links + groups);
    // Every parent is already in the tree when its child is added.
    QSet<QString> seen;
    for (const TreeNode& node : buildMechanismTree(s)) {
        QVERIFY2(node.parentKey.isEmpty() || seen.contains(node.parentKey), qPrintable(node.key));
        QVERIFY2(!seen.contains(node.key), qPrintable(node.key));
        seen.insert(node.key);
    }
}

void MechanismTreeTest::basePair_prefersFirstPairOnFrame_data()
{
    QTest::addColumn<int>("link");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("other");
    QTest::newRow("first pair on the frame") << 2 << QStringLiteral("A") << QStringLiteral("B");
    QTest::newRow("second pair on the frame") << 3 << QStringLiteral("D") << QStringLiteral("C");
    QTest::newRow("both on the frame: the first") << 4 << QStringLiteral("P") << QStringLiteral("Q");
    QTest::newRow("neither on the frame: first and second") << 5 << QStringLiteral("B") << QStringLiteral("C");
}

void MechanismTreeTest::basePair_prefersFirstPairOnFrame()
{
    QFETCH(int, link);
    QFETCH(QString, base);
    QFETCH(QString, other);
    Session s = fixtures::richLinks();
    fixtures::setLink(s, 5, QStringLiteral("2"), 2, 3, QStringLiteral("rr"));
    QCOMPARE(BasePair(s, qint16(link)), base);
    QCOMPARE(OtherPair(s, qint16(link)), other);
}

void MechanismTreeTest::nodeMarks_markStructuralNodesOnly()
{
    const QList<TreeNode> nodes = buildMechanismTree(fixtures::richLinks());
    const QStringList marks = nodeMarks(nodes);
    QCOMPARE(marks.size(), nodes.size() + 1);
    QCOMPARE(marks[0], QString());
    QCOMPARE(marks[1], QStringLiteral("/n")); // "Пары"
    QCOMPARE(marks[3], QString());            // its first coordinate
    for (qsizetype n = 0; n < nodes.size(); ++n)
        QCOMPARE(marks[n + 1], nodes[n].structural ? QStringLiteral("/n") : QString());
}

void MechanismTreeTest::largestMechanism_buildsWholeTree()
{
    const Session s = fixtures::largest();
    const QList<TreeNode> nodes = buildMechanismTree(s);
    // pairs: root + 64 x (pair, X, Y, angle); links: root + 64 x (link, length, direction,
    // perpendicular, 32 x 3 additional pair nodes, 3 centre of mass nodes, mass, moment, external
    // moment, points root, 32 x 5 point nodes); groups: root + 64 x (group, two choices)
    const int pairs = 1 + 64 * 4;
    const int links = 1 + 64 * (1 + 3 + 32 * 3 + 3 + 3 + 1 + 32 * 5);
    const int groups = 1 + 64 * 3;
    QCOMPARE(nodes.size(), qsizetype(pairs + links + groups));
    QVERIFY(nodes.size() > 800);
    const QStringList marks = nodeMarks(nodes);
    QCOMPARE(marks.size(), nodes.size() + 1);
    QCOMPARE(nodes.last().key, QStringLiteral("G_64_is_sharp"));
    const qsizetype lastPoint = nodes.indexOf(S("Z_64_DP_32", "Z_64_DP", str("Точка: d")));
    QVERIFY(lastPoint > 800);
    QCOMPARE(marks[lastPoint + 1], QStringLiteral("/n"));
    QCOMPARE(nodes[lastPoint + 4].key, QStringLiteral("Z_64_DP_force_angle_32"));
    QSet<QString> keys;
    for (const TreeNode& node : nodes)
        keys.insert(node.key);
    QCOMPARE(keys.size(), nodes.size());
}

void MechanismTreeTest::damagedCountsAndIndices_stayInsideArrays()
{
    Session s = fixtures::fourBar(6.0f);
    s.ParaCount = 300;
    s.ZvenoCount = -5;
    s.GroupCount = 70;
    s.Groups[1].Zveno1Index = -1; // a removed group
    s.Groups[1].Zveno2Index = 400;
    s.Zvenos[2].TwafzCount = 90;
    s.FrameIndex = 99;
    const QList<TreeNode> nodes = buildMechanismTree(s);
    QCOMPARE(nodes.count(kLinksRoot), 1);
    QVERIFY(nodes.contains(S("G_64", "GROUPS", str("Номер KVERTA: "))));
    QVERIFY(!nodes.contains(S("G_65", "GROUPS", str("Номер KVERTA: "))));
    // The removed group's links read as empty records: no type row, an angle row with no names.
    const qsizetype group = nodes.indexOf(S("G_1", "GROUPS", str("Номер KVERTA: 1")));
    QVERIFY(group > 0);
    QCOMPARE(nodes[group + 1], V("G_1_is_sharp", "G_1", str("Вектор  составляет острый угол с положительным направлением пары ")));
}

QTEST_GUILESS_MAIN(MechanismTreeTest)
#include "mechanismtree_test.moc"
