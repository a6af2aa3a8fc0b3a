#include "tests/wizard/mechanisms.h"
#include "wizard/panels.h"
#include "tests/support/testtable.h"

#include <QTest>

class PanelsTest : public QObject {
    Q_OBJECT
private slots:
    void panels_everyLineOfPairsAndLinks();
    void panels_emptyModelAndIndicesPointingNowhere();
};

void PanelsTest::panels_everyLineOfPairsAndLinks()
{
    Session s;
    buildMechanism(s, QStringLiteral("r 0 1 A p 1 2 B"), QStringLiteral("0"), {QStringLiteral("1")});
    s.Paras[1].X = QStringLiteral("0");
    s.Paras[1].Y = QStringLiteral("0.5");
    s.Zvenos[2].CM = QStringLiteral("S1");
    QCOMPARE(AddPoint(s, QStringLiteral("2"), QStringLiteral("F"), QStringLiteral("f")), 1);
    QCOMPARE(AddPoint(s, QStringLiteral("2"), QStringLiteral("K"), QStringLiteral("o")), 1);
    QStringList expected;
    for (const QStringList& row : dataRows("panels.txt"))
        expected << row.join(QStringLiteral(" | "));
    const qsizetype links = expected.indexOf(QStringLiteral("links"));
    QCOMPARE(Show_PARAS(s), expected.mid(0, links));
    QCOMPARE(Show_ZVENOS(s), expected.mid(links + 1));
}

void PanelsTest::panels_emptyModelAndIndicesPointingNowhere()
{
    Session s;
    s.NewMechanism();
    QVERIFY(Show_PARAS(s).isEmpty() && Show_ZVENOS(s).isEmpty());
    s.ResetMechanism(); // texts "/n" and link indices -2, which name no link
    s.ParaCount = 1;
    const QStringList lines = {QStringLiteral("Пара: звено2 - /n"), QStringLiteral("Пара: звено1 - "),
                               QStringLiteral("Пара: звено2 - ")};
    QCOMPARE(Show_PARAS(s).mid(3, 3), lines);
}

QTEST_GUILESS_MAIN(PanelsTest)
#include "panels_test.moc"
