#include "fixtures.h"

namespace fixtures {

void setPair(Session& s, int i, const QString& name, const QString& link1, const QString& link2, const QString& type,
             const QString& x, const QString& y, const QString& angle)
{
    PARA& p = s.Paras[i];
    p.Name = name;
    p.Zveno1 = link1;
    p.Zveno2 = link2;
    p.ParaType = type;
    p.X = x;
    p.Y = y;
    p.XAngle = angle;
    s.ParaCount = qMax<qint16>(s.ParaCount, qint16(i));
}

void setLink(Session& s, int i, const QString& name, int para1, int para2, const QString& zType)
{
    ZVENO& z = s.Zvenos[i];
    z.Name = name;
    z.Para1Index = qint16(para1);
    z.Para1 = s.Paras[para1].Name;
    z.Para2Index = qint16(para2);
    z.Para2 = s.Paras[para2].Name;
    z.ZType = zType;
    s.ZvenoCount = qMax<qint16>(s.ZvenoCount, qint16(i));
}

namespace {

void setMasses(ZVENO& z, const QString& cm, const QString& cmLength, const QString& cmAngle, const QString& mass,
               const QString& moment, const QString& momentVn)
{
    z.CM = cm;
    z.CMLength = cmLength;
    z.CMAngle = cmAngle;
    z.Mass = mass;
    z.Moment = moment;
    z.MomentVn = momentVn;
}

} // namespace

Session fourBar(float forceAnalysis)
{
    Session s;
    s.NewMechanism();
    setPair(s, 1, QStringLiteral("A"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("r"), QStringLiteral("0"),
            QStringLiteral("0"));
    setPair(s, 2, QStringLiteral("B"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("r"));
    setPair(s, 3, QStringLiteral("C"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("r"));
    setPair(s, 4, QStringLiteral("D"), QStringLiteral("3"), QStringLiteral("0"), QStringLiteral("p"), QStringLiteral("0.3"),
            QStringLiteral("-0.1"), QStringLiteral("0"));

    setLink(s, 1, QStringLiteral("0"), 4, 1, QStringLiteral("rp"));
    s.Zvenos[1].IsFrame = 1.0f;
    setLink(s, 2, QStringLiteral("1"), 1, 2, QStringLiteral("rr"));
    s.Zvenos[2].IsDriving = 1.0f;
    s.Zvenos[2].ZLength = QStringLiteral("0.1");
    setMasses(s.Zvenos[2], QStringLiteral("S1"), QStringLiteral("0.05"), QStringLiteral("0"), QStringLiteral("1"),
              QStringLiteral("0.01"), QString());
    setLink(s, 3, QStringLiteral("1"), 1, 2, QStringLiteral("rr"));
    s.Zvenos[3].Mark = QStringLiteral("c");
    setLink(s, 4, QStringLiteral("2"), 2, 3, QStringLiteral("rr"));
    s.Zvenos[4].ZLength = QStringLiteral("0.4");
    setMasses(s.Zvenos[4], QStringLiteral("S2"), QStringLiteral("0.2"), QStringLiteral("10"), QStringLiteral("2"),
              QStringLiteral("0.02"), QStringLiteral("0"));
    setLink(s, 5, QStringLiteral("2"), 2, 3, QStringLiteral("rr"));
    s.Zvenos[5].Mark = QStringLiteral("c");
    setLink(s, 6, QStringLiteral("3"), 3, 4, QStringLiteral("rp"));
    s.Zvenos[6].OnGuide = QStringLiteral("no");
    s.Zvenos[6].Clockwise = QStringLiteral("y");
    s.Zvenos[6].Perpendicular = QStringLiteral("0.05");
    setMasses(s.Zvenos[6], QStringLiteral("S3"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("3"),
              QStringLiteral("0.03"), QStringLiteral("-5"));
    setLink(s, 7, QStringLiteral("3"), 3, 4, QStringLiteral("rp"));
    s.Zvenos[7].Mark = QStringLiteral("c");
    setLink(s, 8, QStringLiteral("0"), 4, 1, QStringLiteral("rp"));
    s.Zvenos[8].Mark = QStringLiteral("c");
    s.FrameIndex = 1;

    s.GroupCount = 1;
    s.Groups[1] = GROUP{QStringLiteral("1"), 4, 6, QStringLiteral("2"), QString(), QStringLiteral("y")};
    s.ForceAnalysis = forceAnalysis;
    s.MorePoints = 7.0f;
    return s;
}

Session richLinks()
{
    Session s;
    s.NewMechanism();
    setPair(s, 1, QStringLiteral("A"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("r"));
    setPair(s, 2, QStringLiteral("B"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("r"));
    setPair(s, 3, QStringLiteral("C"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("r"));
    setPair(s, 4, QStringLiteral("D"), QStringLiteral("3"), QStringLiteral("0"), QStringLiteral("p"));
    setPair(s, 5, QStringLiteral("E"), QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("r"));
    setPair(s, 6, QStringLiteral("P"), QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("r"));
    setPair(s, 7, QStringLiteral("Q"), QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("r"));
    setPair(s, 8, QStringLiteral("G"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("r"));

    setLink(s, 1, QStringLiteral("0"), 4, 1, QStringLiteral("rp"));
    s.Zvenos[1].IsFrame = 1.0f;
    s.FrameIndex = 1;

    setLink(s, 2, QStringLiteral("1"), 1, 2, QStringLiteral("rr"));
    ZVENO& one = s.Zvenos[2];
    one.ZLength = QStringLiteral("0.1");
    one.TwafzCount = 1;
    one.TwafzName[1] = QStringLiteral("E");
    one.TwafzIndex[1] = QStringLiteral("5");
    one.TwafzLength[1] = QStringLiteral("0.07");
    one.TwafzAngle[1] = QStringLiteral("30");
    one.DPCount = 3;
    one.DP[1] = DOP_POINT{QStringLiteral("K"), QStringLiteral("0.02"), QStringLiteral("15"), QString(), QString(), QStringLiteral("o")};
    one.DP[2] = DOP_POINT{QStringLiteral("M"), QStringLiteral("0.03"), QStringLiteral("45"), QStringLiteral("90"),
                          QStringLiteral("100"), QStringLiteral("f")};
    one.DP[3] = DOP_POINT{QStringLiteral("X"), QStringLiteral("1"), QStringLiteral("2"), QString(), QString(), QString()};

    setLink(s, 3, QStringLiteral("3"), 3, 4, QStringLiteral("rp"));
    ZVENO& three = s.Zvenos[3];
    three.OnGuide = QStringLiteral("no");
    three.Clockwise = QStringLiteral("n");
    three.Perpendicular = QStringLiteral("0.05");
    three.TwafzCount = 1;
    three.TwafzName[1] = QStringLiteral("G");
    three.TwafzLength[1] = QStringLiteral("0.2");
    three.TwafzAngle[1] = QStringLiteral("60");
    three.DPCount = 1;
    three.DP[1] = DOP_POINT{QStringLiteral("N"), QStringLiteral("0.4"), QStringLiteral("5"), QString(), QString(), QStringLiteral("o")};

    setLink(s, 4, QStringLiteral("5"), 6, 7, QStringLiteral("rr"));
    ZVENO& five = s.Zvenos[4];
    five.ZLength = QStringLiteral("0.3");
    five.CM = QStringLiteral("S5");
    five.CMLength = QStringLiteral("0.15");
    five.CMAngle = QStringLiteral("0");
    five.Mass = QStringLiteral("4");
    five.Moment = QStringLiteral("0.4");
    five.MomentVn = QStringLiteral("1");
    five.DPCount = 1;
    five.DP[1] = DOP_POINT{QStringLiteral("T"), QStringLiteral("0.1"), QStringLiteral("20"), QStringLiteral("180"),
                           QStringLiteral("50"), QStringLiteral("f")};
    five.TwafzCount = -1; // never worked out: no additional pairs

    s.ForceAnalysis = 7.0f;
    s.MorePoints = 6.0f;
    s.ExtraPairsFlag = 1.0f;
    return s;
}

Session groupsOfEachType()
{
    Session s;
    s.NewMechanism();
    setPair(s, 1, QStringLiteral("A"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("r"));
    setPair(s, 2, QStringLiteral("B"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("r"));
    setPair(s, 3, QStringLiteral("C"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("r"));
    setPair(s, 4, QStringLiteral("D"), QStringLiteral("3"), QStringLiteral("0"), QStringLiteral("r"));
    setPair(s, 5, QStringLiteral("E"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("p"));
    setPair(s, 6, QStringLiteral("F"), QStringLiteral("4"), QStringLiteral("0"), QStringLiteral("r"));
    setLink(s, 1, QStringLiteral("0"), 4, 1, QStringLiteral("rr"));
    s.Zvenos[1].IsFrame = 1.0f;
    s.FrameIndex = 1;
    setLink(s, 2, QStringLiteral("2"), 2, 3, QStringLiteral("rr"));
    setLink(s, 3, QStringLiteral("3"), 3, 4, QStringLiteral("rr"));
    setLink(s, 4, QStringLiteral("4"), 5, 6, QStringLiteral("rp"));
    s.Zvenos[4].Perpendicular = QStringLiteral("0.1");
    s.Zvenos[4].OnGuide = QStringLiteral("no");
    setLink(s, 5, QStringLiteral("5"), 3, 5, QStringLiteral("rp"));
    s.Zvenos[5].Perpendicular = QStringLiteral("0.2");
    s.Zvenos[5].OnGuide = QStringLiteral("no");

    s.GroupCount = 5;
    // type 1: direction never set
    s.Groups[1] = GROUP{QStringLiteral("1"), 2, 3, QStringLiteral("1"), kNotSet, kNotSet};
    // type 2 over an rr first link, obtuse
    s.Groups[2] = GROUP{QStringLiteral("2"), 2, 4, QStringLiteral("2"), QString(), QStringLiteral("n")};
    // type 2 over an rp first link with both perpendiculars
    s.Groups[3] = GROUP{QStringLiteral("3"), 4, 5, QStringLiteral("2"), QString(), QStringLiteral("y")};
    // type 3 with both perpendiculars, angle never chosen
    s.Groups[4] = GROUP{QStringLiteral("4"), 5, 4, QStringLiteral("3"), QString(), kNotSet};
    // type 3 without perpendiculars
    s.Groups[5] = GROUP{QStringLiteral("5"), 2, 3, QStringLiteral("3"), QString(), QStringLiteral("y")};
    s.ForceAnalysis = 7.0f;
    s.MorePoints = 7.0f;
    return s;
}

Session loadedStyle()
{
    Session s;
    s.ResetMechanism();
    s.ParaCount = 2;
    s.Paras[1].Name = QStringLiteral("A");
    s.Paras[1].Zveno1 = QStringLiteral("0");
    s.Paras[1].Zveno2 = QStringLiteral("1");
    s.Paras[1].ParaType = QStringLiteral("r");
    s.Paras[2].Name = QStringLiteral("B");
    s.Paras[2].Zveno1 = QStringLiteral("1");
    s.Paras[2].Zveno2 = QStringLiteral("0");
    s.Paras[2].ParaType = QStringLiteral("p");
    s.ZvenoCount = 2;
    s.Zvenos[1].Name = QStringLiteral("0");
    s.Zvenos[1].IsFrame = 1.0f;
    s.Zvenos[2].Name = QStringLiteral("1");
    s.Zvenos[2].IsDriving = 1.0f;
    s.Zvenos[2].Para1 = QStringLiteral("A");
    s.Zvenos[2].Para1Index = 1;
    s.Zvenos[2].Para2 = QStringLiteral("B");
    s.Zvenos[2].Para2Index = 2;
    s.Zvenos[2].ZType = QStringLiteral("rr");
    s.Zvenos[2].DPCount = 1;
    s.FrameIndex = 1;
    // A group the file names but whose links were never resolved.
    s.GroupCount = 1;
    s.Groups[1].Name = QStringLiteral("1");
    s.Groups[1].GType = QStringLiteral("1");
    s.ForceAnalysis = 6.0f;
    s.MorePoints = 6.0f;
    return s;
}

Session largest()
{
    Session s;
    s.NewMechanism();
    for (int i = 1; i <= kMaxRecords; ++i) {
        const QString n = QString::number(i);
        setPair(s, i, QStringLiteral("P") + n, QStringLiteral("0"), n, QStringLiteral("p"), n, n, n);
    }
    for (int i = 1; i <= kMaxRecords; ++i) {
        setLink(s, i, QString::number(i), i, i % kMaxRecords + 1, QStringLiteral("rr"));
        ZVENO& z = s.Zvenos[i];
        z.OnGuide = QStringLiteral("no");
        z.Perpendicular = QStringLiteral("1");
        z.TwafzCount = kMaxSubRecords;
        z.DPCount = kMaxSubRecords;
        for (int j = 1; j <= kMaxSubRecords; ++j) {
            z.TwafzName[j] = QStringLiteral("t");
            z.DP[j] = DOP_POINT{QStringLiteral("d"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                QStringLiteral("4"), QStringLiteral("f")};
        }
        s.Groups[i] = GROUP{QString::number(i), qint16(i), qint16(i % kMaxRecords + 1), QStringLiteral("2"),
                            QStringLiteral("y"), QStringLiteral("y")};
    }
    s.GroupCount = kMaxRecords;
    s.FrameIndex = 0; // no frame: every link shows
    s.ForceAnalysis = 6.0f;
    s.MorePoints = 6.0f;
    s.ExtraPairsFlag = 1.0f;
    return s;
}

} // namespace fixtures
