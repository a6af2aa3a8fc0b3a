#include "tests/wizard/mechanisms.h"
#include "tests/support/testtable.h"

#include <QTest>

namespace {

// The group count and each link record's group and further-pair count: what a refusal must leave.
QList<int> linkState(const Session& s)
{
    QList<int> state{s.GroupCount};
    for (int i = 1; i <= s.ZvenoCount; ++i)
        state << s.Zvenos[i].GroupNo << s.Zvenos[i].TwafzCount;
    return state;
}

const QString k0 = QStringLiteral("0"), k1 = QStringLiteral("1"), k2 = QStringLiteral("2"), k3 = QStringLiteral("3");

} // namespace

class StructureTest : public QObject {
    Q_OBJECT
private slots:
    void degreesOfFreedom_andCopyMarks_data();
    void degreesOfFreedom_andCopyMarks();
    void analyseGroup_resultCodes_data();
    void analyseGroup_resultCodes();
    void analyseGroup_cutsLinksOfThreePairs();
    void groupType_table();
    void removeGroup_andHasFreeLink();
    void capacity_furtherPairs();
};

void StructureTest::degreesOfFreedom_andCopyMarks_data()
{
    QTest::addColumn<QString>("pairs");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<int>("w");
    QTest::newRow("four-bar") << kFourBar << k0 << 1;
    QTest::newRow("six-bar with a slider") << kSixBar << k0 << 1;
    QTest::newRow("five-bar, two degrees") << kFiveBar << k0 << 2;
    QTest::newRow("triangle, no motion") << kTriangle << k0 << 0;
    QTest::newRow("one crank") << kCrank << k0 << 1;
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
    QTest::addColumn<QStringList>("row");
    for (const QStringList& row : dataRows("groups.txt"))
        QTest::addRow("%s: %s %s", qPrintable(row.at(0)), qPrintable(row.at(1)), qPrintable(row.at(2))) << row;
}

void StructureTest::analyseGroup_resultCodes()
{
    QFETCH(QStringList, row);
    Session s;
    buildMechanism(s, kSixBar, k0, {k1});
    if (row.at(0) == QStringLiteral("full"))
        s.GroupCount = kMaxRecords;
    else if (!row.at(0).isEmpty())
        QCOMPARE(int(AnalyseGroup(s, row.at(0).left(1), row.at(0).right(1))), 1);
    const QList<int> before = linkState(s);
    QCOMPARE(QString::number(AnalyseGroup(s, row.at(1), row.at(2))), row.at(3));
    if (row.at(3) != k1)
        QCOMPARE(linkState(s), before);
}

void StructureTest::analyseGroup_cutsLinksOfThreePairs()
{
    // Six-bar: link 2 has B, C and E, none with the frame, so it is cut to one letter, C is kept
    // as its further pair, and the group gets no type.
    Session s;
    buildMechanism(s, kSixBar, k0, {k1});
    QCOMPARE(int(AnalyseGroup(s, k2, k3)), 1);
    QCOMPARE(QStringList({s.Zvenos[4].ZType, s.Zvenos[4].TwafzName[1], s.Zvenos[4].TwafzIndex[1], s.Groups[1].GType}),
             QStringList({QStringLiteral("r"), QStringLiteral("C"), k3, QString()}));
    QCOMPARE(int(s.Zvenos[4].TwafzCount), 1);
    QCOMPARE(s.ExtraPairsFlag, 1.0f);
    // A link of three pairs, one with the frame: the cut keeps that one even when it is not last.
    buildMechanism(s, kFourBar + QStringLiteral(" p 2 0 E"), k0, {k1});
    ZVENO& link2 = s.Zvenos[4]; // records 0 1 1 2 2 3 3 0 2 0
    QCOMPARE(link2.ZType + link2.Para1 + link2.Para2, QStringLiteral("rrpBE"));
    QCOMPARE(s.ExtraPairsFlag, 0.0f);
    link2.Para2 = QStringLiteral("C");
    link2.Para2Index = 3;
    QCOMPARE(int(AnalyseGroup(s, k2, k3)), 1);
    QCOMPARE(link2.ZType + link2.Para2 + QString::number(link2.Para2Index), QStringLiteral("rpE5"));
    QCOMPARE(link2.TwafzName[1] + link2.TwafzIndex[1] + QString::number(link2.TwafzCount), QStringLiteral("C31"));
    QCOMPARE(s.Groups[1].GType, k2); // "rp" with "rr"
}

void StructureTest::groupType_table()
{
    for (const QStringList& row : dataRows("grouptypes.txt"))
        QVERIFY2(groupType(row.at(0), row.at(1)) == row.value(2), qPrintable(row.join(QLatin1Char(' '))));
}

void StructureTest::removeGroup_andHasFreeLink()
{
    Session s;
    buildMechanism(s, kFourBar, k0, {k1});
    QVERIFY(HasFreeLink(s));
    QCOMPARE(int(AnalyseGroup(s, k2, k3)), 1);
    QVERIFY(!HasFreeLink(s)); // the copies of 2 and 3 still read -1 but do not count
    QCOMPARE(int(s.Zvenos[5].GroupNo), -1);
    RemoveGroup(s, k3, k2); // names in the wrong order withdraw nothing
    QCOMPARE(int(s.GroupCount), 1);
    RemoveGroup(s, k2, k3);
    QCOMPARE(s.Groups[1].Name, QStringLiteral("-1"));
    QCOMPARE((QList<int>{s.GroupCount, s.Groups[1].Zveno1Index, s.Groups[1].Zveno2Index, s.Zvenos[4].GroupNo,
                         s.Zvenos[6].GroupNo, s.Zvenos[2].GroupNo}),
             (QList<int>{0, -1, -1, -1, -1, 0})); // the driving link keeps its place
    QVERIFY(HasFreeLink(s));
    QCOMPARE(int(AnalyseGroup(s, k2, k3)), 1); // the slot is used again
    QCOMPARE(s.Groups[1].Name, k1);
}

void StructureTest::capacity_furtherPairs()
{
    // Links 1 and 2 joined by 33 pairs (32 further ones fit) or 34; only a hand-made model gets there.
    for (int pairs : {33, 34}) {
        Session s;
        buildMechanism(s, QStringLiteral("r 0 1 A r 1 2 B"), k0);
        s.ParaCount = qint16(pairs);
        for (int k = 1; k <= pairs; ++k)
            s.Paras[k] = PARA{QStringLiteral("P%1").arg(k), k1, 0, k2, 0, QStringLiteral("r"), {}, {}, {}};
        RebuildPairLinks(s);
        const QList<int> before = linkState(s);
        QCOMPARE(int(AnalyseGroup(s, k1, k2)), pairs == 33 ? 1 : int(kExtraPairsFull));
        if (pairs == 33) {
            QCOMPARE(QStringList({s.Zvenos[2].TwafzName[32], QString::number(s.Zvenos[2].TwafzCount)}),
                     QStringList({QStringLiteral("P32"), QStringLiteral("32")}));
            QCOMPARE(s.ExtraPairsFlag, 1.0f);
        } else {
            QCOMPARE(linkState(s), before);
            QCOMPARE(s.ExtraPairsFlag, 0.0f);
            QCOMPARE(s.Zvenos[2].ZType + s.Zvenos[2].Para2, QString(34, QLatin1Char('r')) + QStringLiteral("P34"));
        }
    }
}

QTEST_GUILESS_MAIN(StructureTest)
#include "structure_test.moc"
