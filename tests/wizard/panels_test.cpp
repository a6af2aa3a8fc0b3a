#include "panels.h"
#include "session.h"
#include "wizarddata.h"

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
    s.NewMechanism();
    s.ParaCount = 2;
    s.Paras[1] = PARA{QStringLiteral("A"), QStringLiteral("0"), 1, QStringLiteral("1"), 2, QStringLiteral("r"),
                      QStringLiteral("0"), QStringLiteral("0.5"), {}};
    s.Paras[2] = PARA{QStringLiteral("B"), QStringLiteral("1"), 3, QStringLiteral("2"), 4, QStringLiteral("p"), {}, {}, {}};
    s.ZvenoCount = 4;
    for (int i = 1; i <= 4; ++i)
        s.Zvenos[i].Name = QString::number(i / 2);
    s.Zvenos[3].Mark = QStringLiteral("c");
    s.Zvenos[1].IsFrame = s.Zvenos[2].IsDriving = 1.0f;
    s.Zvenos[1].GroupNo = s.Zvenos[2].GroupNo = 0;
    s.Zvenos[2].CM = QStringLiteral("S1");
    s.Zvenos[2].Para1 = QStringLiteral("A");
    s.Zvenos[2].Para2 = QStringLiteral("B");
    s.Zvenos[2].ZType = QStringLiteral("rp");
    s.Zvenos[4].DPCount = 2;
    s.Zvenos[4].DP[1] = DOP_POINT{QStringLiteral("F"), {}, {}, {}, {}, QStringLiteral("f")};
    s.Zvenos[4].DP[2] = DOP_POINT{QStringLiteral("K"), {}, {}, {}, {}, QStringLiteral("o")};
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
    QVERIFY(Show_PARAS(s).isEmpty());
    QVERIFY(Show_ZVENOS(s).isEmpty());
    s.ResetMechanism(); // link indices -2
    s.ParaCount = 1;
    const QStringList lines = Show_PARAS(s);
    QCOMPARE(lines.mid(1, 5), (QStringList{QStringLiteral("Пара: тип - /n"), QStringLiteral("Пара: звено1 - /n"),
                                           QStringLiteral("Пара: звено2 - /n"), QStringLiteral("Пара: звено1 - "),
                                           QStringLiteral("Пара: звено2 - ")}));
}

QTEST_GUILESS_MAIN(PanelsTest)
#include "panels_test.moc"
