#include "mechanisms.h"

#include <QTest>

namespace {

// The group number and further-pair count of every link record, to see that a refusal writes nothing.
QList<int> linkState(const Session& s)
{
    QList<int> state{s.GroupCount};
    for (int i = 1; i <= s.ZvenoCount; ++i)
        state << s.Zvenos[i].GroupNo << s.Zvenos[i].TwafzCount;
    return state;
}

const QString k1 = QStringLiteral("1"), k2 = QStringLiteral("2"), k3 = QStringLiteral("3");

} // namespace

class StructureTest : public QObject {
    Q_OBJECT
private slots:
    void degreesOfFreedom_andCopyMarks_data();
    void degreesOfFreedom_andCopyMarks();
    void analyseGroup_resultCodes_data();
    void analyseGroup_resultCodes();
    void analyseGroup_recordsBothGroups();
    void analyseGroup_cutsThreePairLinkToItsFramePair();
    void groupType_table_data();
    void groupType_table();
    void removeGroup_andHasFreeLink();
    void capacity_furtherPairs_data();
    void capacity_furtherPairs();
};

void StructureTest::degreesOfFreedom_andCopyMarks_data()
{
    QTest::addColumn<QString>("pairs");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<int>("w");
    QTest::newRow("four-bar") << kFourBar << QStringLiteral("0") << 1;
    QTest::newRow("six-bar with a slider") << kSixBar << QStringLiteral("0") << 1;
    QTest::newRow("five-bar, two degrees") << kFiveBar << QStringLiteral("0") << 2;
    QTest::newRow("triangle, no motion") << kTriangle << QStringLiteral("0") << 0;
    QTest::newRow("one crank") << kCrank << QStringLiteral("0") << 1;
    QTest::newRow("frame named by a moving link") << kFourBar << k2 << 1; // n stays 3
}

void StructureTest::degreesOfFreedom_andCopyMarks()
{
    QFETCH(QString, pairs);
    QFETCH(QString, frame);
    QFETCH(int, w);
    Session s;
    buildMechanism(s, pairs, frame);
    s.Zvenos[1].Mark = QStringLiteral("c"); // a second count starts afresh
    CountDegreesOfFreedom(s);
    QCOMPARE(int(s.W), w);
    QCOMPARE(int(s.WInitial), w);
    QStringList seen;
    for (int i = 1; i <= s.ZvenoCount; ++i) {
        QCOMPARE(s.Zvenos[i].Mark, seen.contains(s.Zvenos[i].Name) ? QStringLiteral("c") : QString());
        seen << s.Zvenos[i].Name;
    }
}

void StructureTest::analyseGroup_resultCodes_data()
{
    QTest::addColumn<QString>("before"); // a group formed first, or "full"
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("result");
    const struct {
        const char *name, *before, *first, *second;
        int result;
    } rows[] = {{"recorded", "", "2", "3", 1},
                {"first unknown", "", "9", "3", 0},
                {"second unknown", "", "2", "A", 0},
                {"first is frame", "", "0", "3", 100},
                {"first is driving", "", "1", "3", 101},
                {"first grouped", "2 3", "3", "4", 102},
                {"second is frame", "", "4", "0", 200},
                {"second is driving", "", "4", "1", 201},
                {"second grouped", "2 3", "4", "2", 202},
                // The record met first in the array decides: the frame (record 1) before link 3.
                {"grouped first, frame second", "2 3", "3", "0", 200},
                {"second grouped found before unknown first", "2 3", "5", "2", 202},
                {"no group slot left", "full", "2", "3", kGroupsFull}};
    for (const auto& r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.before) << QString::fromLatin1(r.first)
                              << QString::fromLatin1(r.second) << r.result;
}

void StructureTest::analyseGroup_resultCodes()
{
    QFETCH(QString, before);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(int, result);
    Session s;
    buildMechanism(s, kSixBar, QStringLiteral("0"), {k1});
    if (before == QStringLiteral("full"))
        s.GroupCount = kMaxRecords;
    else if (!before.isEmpty())
        QCOMPARE(int(AnalyseGroup(s, before.left(1), before.right(1))), 1);
    const QList<int> was = linkState(s);
    QCOMPARE(int(AnalyseGroup(s, first, second)), result);
    if (result != 1)
        QCOMPARE(linkState(s), was);
}

void StructureTest::analyseGroup_recordsBothGroups()
{
    Session s;
    buildMechanism(s, kSixBar, QStringLiteral("0"), {k1});
    QCOMPARE(int(AnalyseGroup(s, k2, k3)), 1);
    QCOMPARE(int(AnalyseGroup(s, QStringLiteral("4"), QStringLiteral("5"))), 1);
    // Masters: 0(1) 1(2) 2(4) 3(6) 4(10) 5(12)
    QCOMPARE(int(s.GroupCount), 2);
    QCOMPARE(s.Groups[1].Name + s.Groups[2].Name, QStringLiteral("12"));
    QCOMPARE((QList<int>{s.Groups[1].Zveno1Index, s.Groups[1].Zveno2Index, s.Groups[2].Zveno1Index,
                         s.Groups[2].Zveno2Index, s.Zvenos[10].GroupNo, s.Zvenos[12].GroupNo}),
             (QList<int>{4, 6, 10, 12, 2, 2}));
    // Link 2 has three pairs and none with the frame: cut to one letter, so its group has no type.
    QCOMPARE(s.Zvenos[4].ZType, QStringLiteral("r"));
    QCOMPARE(s.Groups[1].GType, QString());
    QCOMPARE(s.ExtraPairsFlag, 1.0f);
    QCOMPARE(int(s.Zvenos[4].TwafzCount), 1);
    QCOMPARE(s.Zvenos[4].TwafzName[1] + s.Zvenos[4].TwafzIndex[1], QStringLiteral("C3")); // B, E are its main pairs
    QCOMPARE(s.Zvenos[12].ZType, QStringLiteral("rp")); // links 4 (rr) and 5 (rp): type 2
    QCOMPARE(s.Groups[2].GType, k2);
    QCOMPARE(int(s.Zvenos[12].TwafzCount), 0);
    // The links named the other way round: the cut finds no frame pair and the type stays unset.
    buildMechanism(s, kSixBar, QStringLiteral("0"), {k1});
    s.Groups[1].GType = QStringLiteral("keep");
    QCOMPARE(int(AnalyseGroup(s, k3, k2)), 1);
    QCOMPARE(s.Groups[1].GType, QStringLiteral("keep"));
    QCOMPARE(int(s.Groups[1].Zveno1Index), 6);
}

void StructureTest::analyseGroup_cutsThreePairLinkToItsFramePair()
{
    Session s;
    buildMechanism(s, kFourBar + QStringLiteral(" p 2 0 E"), QStringLiteral("0"), {k1});
    ZVENO& link2 = s.Zvenos[4]; // records 0 1 1 2 2 3 3 0 2 0
    QCOMPARE(link2.ZType + link2.Para1 + link2.Para2, QStringLiteral("rrpBE"));
    QCOMPARE(s.ExtraPairsFlag, 0.0f);
    // The link's last first-link pair made not the frame pair, to see the cut pick the frame pair.
    link2.Para2 = QStringLiteral("C");
    link2.Para2Index = 3;
    QCOMPARE(int(AnalyseGroup(s, k2, k3)), 1);
    QCOMPARE(link2.ZType + link2.Para2 + QString::number(link2.Para2Index), QStringLiteral("rpE5"));
    QCOMPARE(s.ExtraPairsFlag, 1.0f);
    QCOMPARE(int(link2.TwafzCount), 1);
    QCOMPARE(link2.TwafzName[1] + link2.TwafzIndex[1], QStringLiteral("C3"));
    QCOMPARE(s.Groups[1].GType, k2); // "rp" with "rr"
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

void StructureTest::removeGroup_andHasFreeLink()
{
    Session s;
    buildMechanism(s, kFourBar, QStringLiteral("0"), {k1});
    QVERIFY(HasFreeLink(s));
    QCOMPARE(int(AnalyseGroup(s, k2, k3)), 1);
    QVERIFY(!HasFreeLink(s)); // the copies of 2 and 3 still read -1 but do not count
    QCOMPARE(int(s.Zvenos[5].GroupNo), -1);
    RemoveGroup(s, k3, k2); // names in the wrong order withdraw nothing
    QCOMPARE(int(s.GroupCount), 1);
    RemoveGroup(s, k2, k3);
    QCOMPARE(int(s.GroupCount), 0);
    QCOMPARE(s.Groups[1].Name, QStringLiteral("-1"));
    QCOMPARE((QList<int>{s.Groups[1].Zveno1Index, s.Groups[1].Zveno2Index, s.Zvenos[4].GroupNo, s.Zvenos[6].GroupNo,
                         s.Zvenos[2].GroupNo}),
             (QList<int>{-1, -1, -1, -1, 0})); // the driving link keeps its place
    QVERIFY(HasFreeLink(s));
    QCOMPARE(int(AnalyseGroup(s, k2, k3)), 1); // the slot is used again
    QCOMPARE(s.Groups[1].Name, k1);
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
    for (int i = 1; i <= 3; ++i)
        s.Zvenos[i].Name = QString::number(i - 1);
    SetFrame(s, QStringLiteral("0"));
    s.ParaCount = qint16(pairs);
    for (int k = 1; k <= pairs; ++k)
        s.Paras[k] = PARA{QStringLiteral("P%1").arg(k), k1, 0, k2, 0, QStringLiteral("r"), {}, {}, {}};
    RebuildPairLinks(s);
    const QList<int> was = linkState(s);
    QCOMPARE(int(AnalyseGroup(s, k1, k2)), result);
    QCOMPARE(s.ExtraPairsFlag, result == 1 ? 1.0f : 0.0f);
    if (result == 1) {
        QCOMPARE(int(s.Zvenos[2].TwafzCount), 32);
        QCOMPARE(s.Zvenos[2].TwafzName[32], QStringLiteral("P%1").arg(pairs - 1));
    } else {
        QCOMPARE(linkState(s), was);
        QCOMPARE(s.Zvenos[2].ZType.size(), pairs);
        QCOMPARE(s.Zvenos[2].Para2, QStringLiteral("P%1").arg(pairs));
    }
}

QTEST_GUILESS_MAIN(StructureTest)
#include "structure_test.moc"
