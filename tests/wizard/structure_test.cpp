#include "mechanisms.h"

#include <QTest>

class StructureTest : public QObject {
    Q_OBJECT
private slots:
    void degreesOfFreedom_data();
    void degreesOfFreedom();
    void degreesOfFreedom_marksEveryCopyOnly();
    void analyseGroup_resultCodes_data();
    void analyseGroup_resultCodes();
    void analyseGroup_refusalChangesNothing();
    void analyseGroup_recordsTheGroup();
    void groupType_table_data();
    void groupType_table();
    void analyseGroup_cutsThreePairLinkToItsFramePair();
    void analyseGroup_cutWithoutFramePairLeavesTypeUnset();
    void removeGroup_freesLinksAndSlot();
    void hasFreeLink_onlyMasterRecordsCount();
    void capacity_groupsFull();
    void capacity_furtherPairs_data();
    void capacity_furtherPairs();
};

void StructureTest::degreesOfFreedom_data()
{
    QTest::addColumn<QStringList>("pairs");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<int>("w");
    QTest::newRow("four-bar") << fourBar() << QStringLiteral("0") << 1;
    QTest::newRow("six-bar with a slider") << sixBar() << QStringLiteral("0") << 1;
    QTest::newRow("five-bar, two degrees")
        << QStringList{QStringLiteral("r 0 1 A"), QStringLiteral("r 1 2 B"), QStringLiteral("r 2 3 C"),
                       QStringLiteral("r 3 4 D"), QStringLiteral("r 4 0 E")}
        << QStringLiteral("0") << 2;
    QTest::newRow("triangle, no motion")
        << QStringList{QStringLiteral("r 0 1 A"), QStringLiteral("r 1 2 B"), QStringLiteral("r 2 0 C")}
        << QStringLiteral("0") << 0;
    QTest::newRow("one crank") << QStringList{QStringLiteral("p 0 1 A")} << QStringLiteral("0") << 1;
    QTest::newRow("frame named by a moving link")
        << fourBar() << QStringLiteral("2") << 1; // any link can be the frame: n stays 3
}

void StructureTest::degreesOfFreedom()
{
    QFETCH(QStringList, pairs);
    QFETCH(QString, frame);
    QFETCH(int, w);
    Session s;
    buildMechanism(s, pairs, frame, {});
    QCOMPARE(int(s.W), w);
    QCOMPARE(int(s.WInitial), w);
}

void StructureTest::degreesOfFreedom_marksEveryCopyOnly()
{
    Session s;
    buildMechanism(s, fourBar(), QStringLiteral("0"), {});
    // Records: 0 1 | 1 2 | 2 3 | 3 0
    const QStringList marks = {QString(), QString(), QStringLiteral("c"), QString(),
                               QStringLiteral("c"), QString(), QStringLiteral("c"), QStringLiteral("c")};
    QCOMPARE(int(s.ZvenoCount), 8);
    for (int i = 1; i <= 8; ++i)
        QCOMPARE(s.Zvenos[i].Mark, marks.at(i - 1));
    // A second count starts afresh rather than keeping stale marks.
    s.Zvenos[2].Mark = QStringLiteral("c");
    CountDegreesOfFreedom(s);
    QCOMPARE(s.Zvenos[2].Mark, QString());
    QCOMPARE(int(s.W), 1);
}

void StructureTest::analyseGroup_resultCodes_data()
{
    QTest::addColumn<QStringList>("before"); // groups formed first, "a b" each
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("result");
    QTest::newRow("recorded") << QStringList() << QStringLiteral("2") << QStringLiteral("3") << 1;
    QTest::newRow("first unknown") << QStringList() << QStringLiteral("9") << QStringLiteral("3") << 0;
    QTest::newRow("second unknown") << QStringList() << QStringLiteral("2") << QStringLiteral("A") << 0;
    QTest::newRow("first is frame") << QStringList() << QStringLiteral("0") << QStringLiteral("3") << 100;
    QTest::newRow("first is driving") << QStringList() << QStringLiteral("1") << QStringLiteral("3") << 101;
    QTest::newRow("first grouped") << QStringList{QStringLiteral("2 3")} << QStringLiteral("3") << QStringLiteral("4")
                                   << 102;
    QTest::newRow("second is frame") << QStringList() << QStringLiteral("4") << QStringLiteral("0") << 200;
    QTest::newRow("second is driving") << QStringList() << QStringLiteral("4") << QStringLiteral("1") << 201;
    QTest::newRow("second grouped") << QStringList{QStringLiteral("2 3")} << QStringLiteral("4")
                                    << QStringLiteral("2") << 202;
    // The record met first in the array decides: the frame (record 1) before grouped link 3.
    QTest::newRow("grouped first, frame second") << QStringList{QStringLiteral("2 3")} << QStringLiteral("3")
                                                 << QStringLiteral("0") << 200;
    // Link 2 comes before link 5 in the array.
    QTest::newRow("second grouped found before unknown first")
        << QStringList{QStringLiteral("2 3")} << QStringLiteral("5") << QStringLiteral("2") << 202;
}

void StructureTest::analyseGroup_resultCodes()
{
    QFETCH(QStringList, before);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(int, result);
    Session s;
    buildMechanism(s, sixBar(), QStringLiteral("0"), {QStringLiteral("1")});
    for (const QString& g : before)
        QCOMPARE(int(AnalyseGroup(s, g.section(QLatin1Char(' '), 0, 0), g.section(QLatin1Char(' '), 1, 1))), 1);
    QCOMPARE(int(AnalyseGroup(s, first, second)), result);
}

void StructureTest::analyseGroup_refusalChangesNothing()
{
    Session s;
    buildMechanism(s, sixBar(), QStringLiteral("0"), {QStringLiteral("1")});
    const qint16 groups = s.GroupCount;
    QCOMPARE(int(AnalyseGroup(s, QStringLiteral("2"), QStringLiteral("1"))), 201);
    QCOMPARE(s.GroupCount, groups);
    for (int i = 1; i <= s.ZvenoCount; ++i)
        QCOMPARE(int(s.Zvenos[i].TwafzCount), -1);
    QCOMPARE(int(s.Zvenos[4].GroupNo), -1);
}

void StructureTest::analyseGroup_recordsTheGroup()
{
    Session s;
    buildMechanism(s, sixBar(), QStringLiteral("0"), {QStringLiteral("1")});
    QCOMPARE(int(AnalyseGroup(s, QStringLiteral("2"), QStringLiteral("3"))), 1);
    QCOMPARE(int(AnalyseGroup(s, QStringLiteral("4"), QStringLiteral("5"))), 1);
    QCOMPARE(int(s.GroupCount), 2);
    // Masters: 0(1) 1(2) 2(4) 3(6) 4(10) 5(12)
    QCOMPARE(s.Groups[1].Name, QStringLiteral("1"));
    QCOMPARE(int(s.Groups[1].Zveno1Index), 4);
    QCOMPARE(int(s.Groups[1].Zveno2Index), 6);
    QCOMPARE(s.Groups[2].Name, QStringLiteral("2"));
    QCOMPARE(int(s.Groups[2].Zveno1Index), 10);
    QCOMPARE(int(s.Groups[2].Zveno2Index), 12);
    // Link 2 has three pairs (B, C, E) and none with the frame: cut to one letter, so no type.
    QCOMPARE(s.Zvenos[4].ZType, QStringLiteral("r"));
    QCOMPARE(s.Groups[1].GType, QString());
    QCOMPARE(s.ExtraPairsFlag, 1.0f);
    QCOMPARE(int(s.Zvenos[4].TwafzCount), 1);
    QCOMPARE(s.Zvenos[4].TwafzName[1], QStringLiteral("C")); // B and E are its main pairs
    QCOMPARE(s.Zvenos[4].TwafzIndex[1], QStringLiteral("3"));
    // Links 4 (rr) and 5 (rp): type 2.
    QCOMPARE(s.Zvenos[12].ZType, QStringLiteral("rp"));
    QCOMPARE(s.Groups[2].GType, QStringLiteral("2"));
    QCOMPARE(int(s.Zvenos[10].GroupNo), 2);
    QCOMPARE(int(s.Zvenos[12].GroupNo), 2);
    QCOMPARE(int(s.Zvenos[12].TwafzCount), 0);
    QVERIFY(!HasFreeLink(s));
}

void StructureTest::groupType_table_data()
{
    QTest::addColumn<QString>("c1");
    QTest::addColumn<QString>("c2");
    QTest::addColumn<QString>("type");
    const char* rows[][3] = {{"rr", "rr", "1"}, {"rr", "rp", "2"}, {"rr", "pr", "2"}, {"pr", "rr", "2"},
                             {"rp", "rr", "2"}, {"rp", "rp", "3"}, {"pr", "pr", "3"}, {"rp", "pr", "3"},
                             {"pr", "rp", "3"}, {"pp", "rr", ""},  {"rr", "pp", ""},  {"r", "rr", ""},
                             {"rrr", "rr", ""}, {"", "", ""},      {"RR", "rr", ""}};
    for (const auto& r : rows)
        QTest::addRow("%s+%s", r[0], r[1]) << QString::fromLatin1(r[0]) << QString::fromLatin1(r[1])
                                           << QString::fromLatin1(r[2]);
}

void StructureTest::groupType_table()
{
    QFETCH(QString, c1);
    QFETCH(QString, c2);
    QFETCH(QString, type);
    QCOMPARE(groupType(c1, c2), type);
}

void StructureTest::analyseGroup_cutsThreePairLinkToItsFramePair()
{
    Session s;
    const QStringList pairs = {QStringLiteral("r 0 1 A"), QStringLiteral("r 1 2 B"), QStringLiteral("r 2 3 C"),
                               QStringLiteral("r 3 0 D"), QStringLiteral("p 2 0 E")};
    buildMechanism(s, pairs, QStringLiteral("0"), {QStringLiteral("1")});
    const qint16 link2 = 4; // records 0 1 1 2 2 3 3 0 2 0
    QCOMPARE(s.Zvenos[link2].ZType, QStringLiteral("rrp"));
    QCOMPARE(s.Zvenos[link2].Para1, QStringLiteral("B"));
    QCOMPARE(s.Zvenos[link2].Para2, QStringLiteral("E"));
    QCOMPARE(s.ExtraPairsFlag, 0.0f);
    // Make the link's last first-link pair not the frame pair, to see the cut pick the frame pair.
    s.Zvenos[link2].Para2 = QStringLiteral("C");
    s.Zvenos[link2].Para2Index = 3;
    QCOMPARE(int(AnalyseGroup(s, QStringLiteral("2"), QStringLiteral("3"))), 1);
    QCOMPARE(s.Zvenos[link2].ZType, QStringLiteral("rp"));
    QCOMPARE(s.Zvenos[link2].Para2, QStringLiteral("E"));
    QCOMPARE(int(s.Zvenos[link2].Para2Index), 5);
    QCOMPARE(s.ExtraPairsFlag, 1.0f);
    QCOMPARE(int(s.Zvenos[link2].TwafzCount), 1);
    QCOMPARE(s.Zvenos[link2].TwafzName[1], QStringLiteral("C"));
    QCOMPARE(s.Zvenos[link2].TwafzIndex[1], QStringLiteral("3"));
    QCOMPARE(s.Groups[1].GType, QStringLiteral("2")); // "rp" with "rr"
}

void StructureTest::analyseGroup_cutWithoutFramePairLeavesTypeUnset()
{
    Session s;
    buildMechanism(s, sixBar(), QStringLiteral("0"), {QStringLiteral("1")});
    s.Groups[1].GType = QStringLiteral("keep");
    QCOMPARE(int(AnalyseGroup(s, QStringLiteral("3"), QStringLiteral("2"))), 1);
    QCOMPARE(s.Groups[1].GType, QStringLiteral("keep"));
    QCOMPARE(int(s.Groups[1].Zveno1Index), 6);
    QCOMPARE(int(s.Groups[1].Zveno2Index), 4);
}

void StructureTest::removeGroup_freesLinksAndSlot()
{
    Session s;
    buildMechanism(s, sixBar(), QStringLiteral("0"), {QStringLiteral("1")});
    QCOMPARE(int(AnalyseGroup(s, QStringLiteral("2"), QStringLiteral("3"))), 1);
    RemoveGroup(s, QStringLiteral("2"), QStringLiteral("3"));
    QCOMPARE(int(s.GroupCount), 0);
    QCOMPARE(s.Groups[1].Name, QStringLiteral("-1"));
    QCOMPARE(int(s.Groups[1].Zveno1Index), -1);
    QCOMPARE(int(s.Groups[1].Zveno2Index), -1);
    for (int i = 1; i <= s.ZvenoCount; ++i)
        if (s.Zvenos[i].Name == QStringLiteral("2") || s.Zvenos[i].Name == QStringLiteral("3"))
            QCOMPARE(int(s.Zvenos[i].GroupNo), -1);
    QCOMPARE(int(s.Zvenos[2].GroupNo), 0); // the driving link keeps its place
    // The slot is used again.
    QCOMPARE(int(AnalyseGroup(s, QStringLiteral("2"), QStringLiteral("3"))), 1);
    QCOMPARE(s.Groups[1].Name, QStringLiteral("1"));
    // Names in the wrong order withdraw nothing.
    RemoveGroup(s, QStringLiteral("3"), QStringLiteral("2"));
    QCOMPARE(int(s.GroupCount), 1);
}

void StructureTest::hasFreeLink_onlyMasterRecordsCount()
{
    Session s;
    buildMechanism(s, fourBar(), QStringLiteral("0"), {QStringLiteral("1")});
    QVERIFY(HasFreeLink(s));
    for (int i = 1; i <= s.ZvenoCount; ++i)
        if (s.Zvenos[i].Mark.isEmpty())
            s.Zvenos[i].GroupNo = 1;
    QVERIFY(!HasFreeLink(s)); // the copies still read -1 but do not count
    QCOMPARE(int(s.Zvenos[3].GroupNo), -1);
}

void StructureTest::capacity_groupsFull()
{
    Session s;
    buildMechanism(s, fourBar(), QStringLiteral("0"), {QStringLiteral("1")});
    s.GroupCount = kMaxRecords;
    QCOMPARE(int(AnalyseGroup(s, QStringLiteral("2"), QStringLiteral("3"))), int(kGroupsFull));
    QCOMPARE(int(s.GroupCount), int(kMaxRecords));
    QCOMPARE(int(s.Zvenos[4].GroupNo), -1);
    QCOMPARE(int(s.Zvenos[4].TwafzCount), -1);
}

void StructureTest::capacity_furtherPairs_data()
{
    QTest::addColumn<int>("pairs");
    QTest::addColumn<int>("result");
    QTest::newRow("32 further pairs fit") << 33 << 1;
    QTest::newRow("33 further pairs refused") << 34 << int(kExtraPairsFull);
}

void StructureTest::capacity_furtherPairs()
{
    QFETCH(int, pairs);
    QFETCH(int, result);
    // Links 1 and 2 joined by many pairs; only such a hand-made model can get there.
    Session s;
    s.NewMechanism();
    s.ZvenoCount = 3;
    s.Zvenos[1].Name = QStringLiteral("0");
    s.Zvenos[2].Name = QStringLiteral("1");
    s.Zvenos[3].Name = QStringLiteral("2");
    SetFrame(s, QStringLiteral("0"));
    s.ParaCount = qint16(pairs);
    for (int k = 1; k <= pairs; ++k)
        s.Paras[k] = PARA{QStringLiteral("P%1").arg(k), QStringLiteral("1"), 0, QStringLiteral("2"), 0,
                          QStringLiteral("r"), {}, {}, {}};
    RebuildPairLinks(s);
    QCOMPARE(int(AnalyseGroup(s, QStringLiteral("1"), QStringLiteral("2"))), result);
    if (result == 1) {
        QCOMPARE(int(s.Zvenos[2].TwafzCount), 32);
        QCOMPARE(s.Zvenos[2].TwafzName[32], QStringLiteral("P%1").arg(pairs - 1));
        QCOMPARE(int(s.GroupCount), 1);
    } else {
        QCOMPARE(int(s.GroupCount), 0);
        QCOMPARE(s.ExtraPairsFlag, 0.0f);
        QCOMPARE(s.Zvenos[2].ZType.size(), pairs);
        QCOMPARE(int(s.Zvenos[2].TwafzCount), -1);
        QCOMPARE(int(s.Zvenos[2].GroupNo), -1);
        QCOMPARE(s.Zvenos[2].Para2, QStringLiteral("P%1").arg(pairs));
    }
}

QTEST_GUILESS_MAIN(StructureTest)
#include "structure_test.moc"
