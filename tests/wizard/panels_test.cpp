#include "panels.h"
#include "session.h"

#include <QTest>

namespace {

// Pairs A(0,1) and B(1,2): link records 0, 1, 1 (a copy), 2.
void twoPairs(Session& s)
{
    s.NewMechanism();
    s.ParaCount = 2;
    s.Paras[1] = PARA{QStringLiteral("A"), QStringLiteral("0"), 1, QStringLiteral("1"), 2, QStringLiteral("r"),
                      QStringLiteral("0"), QStringLiteral("0.5"), {}};
    s.Paras[2] = PARA{QStringLiteral("B"), QStringLiteral("1"), 3, QStringLiteral("2"), 4, QStringLiteral("p"), {}, {}, {}};
    s.ZvenoCount = 4;
    const char* names[] = {"0", "1", "1", "2"};
    for (int i = 1; i <= 4; ++i)
        s.Zvenos[i].Name = QString::fromLatin1(names[i - 1]);
    s.Zvenos[1].IsFrame = 1.0f;
    s.Zvenos[1].GroupNo = 0;
    s.Zvenos[3].Mark = QStringLiteral("c");
    s.Zvenos[2].IsDriving = 1.0f;
    s.Zvenos[2].CM = QStringLiteral("S1");
    s.Zvenos[2].Para1 = QStringLiteral("A");
    s.Zvenos[2].Para2 = QStringLiteral("B");
    s.Zvenos[2].ZType = QStringLiteral("rp");
    s.Zvenos[2].GroupNo = 0;
}

} // namespace

class PanelsTest : public QObject {
    Q_OBJECT
private slots:
    void emptyModel_givesEmptyPanels();
    void pairs_tenLinesEach();
    void links_copyLeftOutAndFlagsAsIntegers();
    void links_pointsIndentedBetweenTypeAndRule();
    void pairs_badIndexShowsNoName();
};

void PanelsTest::emptyModel_givesEmptyPanels()
{
    Session s;
    s.NewMechanism();
    QVERIFY(Show_PARAS(s).isEmpty());
    QVERIFY(Show_ZVENOS(s).isEmpty());
}

void PanelsTest::pairs_tenLinesEach()
{
    Session s;
    twoPairs(s);
    const QStringList expected = {
        QStringLiteral("==================="), QStringLiteral("Пара: тип - r"), QStringLiteral("Пара: звено1 - 0"),
        QStringLiteral("Пара: звено2 - 1"),    QStringLiteral("Пара: звено1 - 0"), QStringLiteral("Пара: звено2 - 1"),
        QStringLiteral("Пара: имя - A"),       QStringLiteral("Пара: X = 0"),      QStringLiteral("Пара: Y = 0.5"),
        QStringLiteral("==================="), QStringLiteral("==================="), QStringLiteral("Пара: тип - p"),
        QStringLiteral("Пара: звено1 - 1"),    QStringLiteral("Пара: звено2 - 2"), QStringLiteral("Пара: звено1 - 1"),
        QStringLiteral("Пара: звено2 - 2"),    QStringLiteral("Пара: имя - B"),    QStringLiteral("Пара: X = "),
        QStringLiteral("Пара: Y = "),          QStringLiteral("==================="),
    };
    QCOMPARE(Show_PARAS(s), expected);
}

void PanelsTest::links_copyLeftOutAndFlagsAsIntegers()
{
    Session s;
    twoPairs(s);
    const QStringList lines = Show_ZVENOS(s);
    QCOMPARE(lines.size(), 3 * 10);
    QCOMPARE(lines.mid(10, 10),
             (QStringList{QStringLiteral("==================="), QStringLiteral("Звено: имя - 1"),
                          QStringLiteral("Звено: стойка - 0"), QStringLiteral("Звено: начальное - 1"),
                          QStringLiteral("Звено: центр масс - S1"), QStringLiteral("Звено: группа - 0"),
                          QStringLiteral("Звено: пара 1 - A"), QStringLiteral("Звено: пара 2 - B"),
                          QStringLiteral("Звено: тип - rp"), QStringLiteral("===================")}));
    QCOMPARE(lines.at(2), QStringLiteral("Звено: стойка - 1"));
    QCOMPARE(lines.at(20 + 1), QStringLiteral("Звено: имя - 2"));
    QCOMPARE(lines.at(20 + 5), QStringLiteral("Звено: группа - -1"));
    QCOMPARE(lines.count(QStringLiteral("Звено: имя - 1")), 1);
}

void PanelsTest::links_pointsIndentedBetweenTypeAndRule()
{
    Session s;
    twoPairs(s);
    s.Zvenos[4].DPCount = 2;
    s.Zvenos[4].DP[1].Name = QStringLiteral("F");
    s.Zvenos[4].DP[1].Kind = QStringLiteral("f");
    s.Zvenos[4].DP[2].Name = QStringLiteral("K");
    s.Zvenos[4].DP[2].Kind = QStringLiteral("o");
    const QStringList lines = Show_ZVENOS(s);
    QCOMPARE(lines.size(), 3 * 10 + 4);
    QCOMPARE(lines.mid(20 + 8, 6),
             (QStringList{QStringLiteral("Звено: тип - "), QStringLiteral("\tДоп точка: имя F"),
                          QStringLiteral("\tДоп точка: тип f"), QStringLiteral("\tДоп точка: имя K"),
                          QStringLiteral("\tДоп точка: тип o"), QStringLiteral("===================")}));
}

void PanelsTest::pairs_badIndexShowsNoName()
{
    Session s;
    s.ResetMechanism();
    s.ParaCount = 1;
    const QStringList lines = Show_PARAS(s);
    QCOMPARE(lines.at(4), QStringLiteral("Пара: звено1 - "));
    QCOMPARE(lines.at(5), QStringLiteral("Пара: звено2 - "));
    QCOMPARE(lines.at(1), QStringLiteral("Пара: тип - /n"));
}

QTEST_GUILESS_MAIN(PanelsTest)
#include "panels_test.moc"
