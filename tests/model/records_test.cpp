#include "model/session.h"

#include <QTest>

#include <memory>

namespace {

QList<const QString*> linkTexts(const ZVENO& z)
{
    QList<const QString*> t = {&z.Name, &z.Para1, &z.Para2, &z.ZType, &z.ZLength, &z.OnGuide, &z.Clockwise,
                               &z.Spare1, &z.Perpendicular, &z.CM, &z.CMLength, &z.CMAngle, &z.Spare2, &z.Spare3,
                               &z.Spare4, &z.Mark, &z.Mass, &z.Moment, &z.MomentVn};
    return t;
}

QList<const QString*> subTexts(const ZVENO& z, int j)
{
    const DOP_POINT& p = z.DP[j];
    return {&z.TwafzName[j], &z.TwafzIndex[j], &z.TwafzLength[j], &z.TwafzAngle[j], &p.Name, &p.Length,
            &p.Angle,        &p.ForceAngle,    &p.Force,          &p.Kind};
}

QList<const QString*> pairTexts(const PARA& p)
{
    return {&p.Name, &p.Zveno1, &p.Zveno2, &p.ParaType, &p.X, &p.Y, &p.XAngle};
}

QList<const QString*> groupTexts(const GROUP& g)
{
    return {&g.Name, &g.GType, &g.Clockwise, &g.IsSharp};
}

// A session with something in every corner, so that the reset routines have work to do.
std::unique_ptr<Session> dirtySession()
{
    auto s = std::make_unique<Session>();
    s->ParaCount = 5;
    s->ZvenoCount = 7;
    s->GroupCount = 3;
    s->W = 1;
    s->FrameIndex = 2;
    s->WizardState = 81;
    s->ExtraPairsFlag = 1.0f;
    for (int i = 0; i < kSlots; ++i) {
        s->Paras[i].Name = QStringLiteral("x");
        s->Paras[i].Zveno1Index = 9;
        s->Zvenos[i].Name = QStringLiteral("x");
        s->Zvenos[i].IsFrame = 1.0f;
        s->Zvenos[i].TwafzName[0] = QStringLiteral("x");
        s->Zvenos[i].TwafzName[5] = QStringLiteral("x");
        s->Zvenos[i].DP[32].Kind = QStringLiteral("f");
        s->Zvenos[i].DPCount = 4;
        s->Zvenos[i].GroupNo = 7;
        s->Groups[i].IsSharp = QStringLiteral("y");
        s->Groups[i].Zveno2Index = 3;
    }
    return s;
}

} // namespace

class RecordsTest : public QObject {
    Q_OBJECT
private slots:
    void resetMechanism_marksEveryFieldUnset()
    {
        auto s = dirtySession();
        s->ResetMechanism();
        QCOMPARE(s->ParaCount, qint16(0));
        QCOMPARE(s->ZvenoCount, qint16(0));
        // Left alone on purpose: the wizard and the loader set these themselves.
        QCOMPARE(s->GroupCount, qint16(3));
        QCOMPARE(s->W, qint16(1));
        QCOMPARE(s->FrameIndex, qint16(2));
        QCOMPARE(s->WizardState, qint16(81));
        QCOMPARE(s->ExtraPairsFlag, 1.0f);

        for (int i = 0; i < kSlots; ++i) {
            const QString expected = i == 0 ? QString() : QStringLiteral("/n");
            const qint16 index = i == 0 ? 0 : -2;
            const ZVENO& z = s->Zvenos[i];
            for (const QString* t : linkTexts(z))
                QCOMPARE(*t, expected);
            for (int j = 0; j < kSubSlots; ++j)
                for (const QString* t : subTexts(z, j))
                    QCOMPARE(*t, (i == 0 || j == 0) ? QString() : QStringLiteral("/n"));
            QCOMPARE(z.TwafzCount, qint16(0));
            QCOMPARE(z.DPCount, qint16(0));
            QCOMPARE(z.GroupNo, qint16(0));
            QCOMPARE(z.IsFrame, 0.0f);
            QCOMPARE(z.IsDriving, 0.0f);
            QCOMPARE(z.Para1Index, index);
            QCOMPARE(z.Para2Index, index);
            for (const QString* t : pairTexts(s->Paras[i]))
                QCOMPARE(*t, expected);
            QCOMPARE(s->Paras[i].Zveno1Index, index);
            QCOMPARE(s->Paras[i].Zveno2Index, index);
            for (const QString* t : groupTexts(s->Groups[i]))
                QCOMPARE(*t, expected);
            QCOMPARE(s->Groups[i].Zveno1Index, index);
            QCOMPARE(s->Groups[i].Zveno2Index, index);
        }
    }

    void newMechanism_leavesTextsEmptyAndLinksUngrouped()
    {
        auto s = dirtySession();
        s->NewMechanism();
        QCOMPARE(s->ParaCount, qint16(0));
        QCOMPARE(s->ZvenoCount, qint16(0));
        QCOMPARE(s->GroupCount, qint16(3));
        for (int i = 0; i < kSlots; ++i) {
            const ZVENO& z = s->Zvenos[i];
            for (const QString* t : linkTexts(z))
                QCOMPARE(*t, (i > 0 && t == &z.Perpendicular) ? QStringLiteral("/n") : QString());
            for (int j = 0; j < kSubSlots; ++j)
                for (const QString* t : subTexts(z, j))
                    QCOMPARE(*t, QString());
            QCOMPARE(z.GroupNo, qint16(i == 0 ? 0 : -1));
            QCOMPARE(z.TwafzCount, qint16(i == 0 ? 0 : -1));
            QCOMPARE(z.DPCount, qint16(0));
            QCOMPARE(z.IsFrame, 0.0f);
            QCOMPARE(z.Para1Index, qint16(0));
            for (const QString* t : pairTexts(s->Paras[i]))
                QCOMPARE(*t, QString());
            QCOMPARE(s->Paras[i].Zveno1Index, qint16(0));
            for (const QString* t : groupTexts(s->Groups[i]))
                QCOMPARE(*t, QString());
            QCOMPARE(s->Groups[i].Zveno2Index, qint16(0));
        }
    }

    void adders_refuseBeyondCapacity_data()
    {
        QTest::addColumn<int>("kind"); // 0 pair, 1 link, 2 group, 3 additional pair, 4 point
        QTest::addColumn<int>("limit");
        QTest::newRow("pairs") << 0 << 64;
        QTest::newRow("links") << 1 << 64;
        QTest::newRow("groups") << 2 << 64;
        QTest::newRow("additional pairs") << 3 << 32;
        QTest::newRow("points") << 4 << 32;
    }
    void adders_refuseBeyondCapacity()
    {
        QFETCH(int, kind);
        QFETCH(int, limit);
        auto s = std::make_unique<Session>();
        s->NewMechanism();
        s->ZvenoCount = 1; // the link that carries additional pairs and points
        const auto add = [&]() -> qint16 {
            switch (kind) {
            case 0: return s->addPara();
            case 1: return s->addZveno();
            case 2: return s->addGroup();
            case 3: return s->addTwafz(1);
            default: return s->addPoint(1);
            }
        };
        const auto count = [&]() -> qint16 {
            switch (kind) {
            case 0: return s->ParaCount;
            case 1: return s->ZvenoCount;
            case 2: return s->GroupCount;
            case 3: return s->Zvenos[1].TwafzCount;
            default: return s->Zvenos[1].DPCount;
            }
        };
        const int first = kind == 1 ? 2 : 1;
        for (int expected = first; expected <= limit; ++expected)
            QCOMPARE(add(), qint16(expected));
        QCOMPARE(add(), qint16(0));
        QCOMPARE(add(), qint16(0));
        QCOMPARE(count(), qint16(limit));
    }

    void subAdders_refuseInvalidLinks()
    {
        Session s;
        QCOMPARE(s.addTwafz(0), qint16(0));
        QCOMPARE(s.addTwafz(65), qint16(0));
        QCOMPARE(s.addPoint(-2), qint16(0));
        QCOMPARE(s.addPoint(65), qint16(0));
    }
};

QTEST_GUILESS_MAIN(RecordsTest)
#include "records_test.moc"
