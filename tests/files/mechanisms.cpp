#include "mechanisms.h"

namespace testmech {

namespace {

void para(Session& s, const QString& name, const QString& type, const QString& z1, const QString& z2,
          const QString& x = QString(), const QString& y = QString(), const QString& xAngle = QString())
{
    PARA& p = s.Paras[s.addPara()];
    p.Name = name;
    p.ParaType = type;
    p.Zveno1 = z1;
    p.Zveno2 = z2;
    p.X = x;
    p.Y = y;
    p.XAngle = xAngle;
}

ZVENO& zveno(Session& s, const QString& name, const QString& mark = QString())
{
    ZVENO& z = s.Zvenos[s.addZveno()];
    z.Name = name;
    z.Mark = mark;
    return z;
}

void mass(ZVENO& z, const QString& cm, const QString& cmLength, const QString& mass, const QString& moment,
          const QString& momentVn)
{
    z.CM = cm;
    z.CMLength = cmLength;
    z.CMAngle = QStringLiteral("0");
    z.Mass = mass;
    z.Moment = moment;
    z.MomentVn = momentVn;
}

DOP_POINT& point(ZVENO& z, const QString& name, const QString& kind, const QString& length, const QString& angle)
{
    DOP_POINT& p = z.DP[++z.DPCount];
    p.Name = name;
    p.Kind = kind;
    p.Length = length;
    p.Angle = angle;
    return p;
}

void twafz(ZVENO& z, const QString& name, const QString& index, const QString& length, const QString& angle)
{
    z.TwafzCount = z.TwafzCount < 0 ? 1 : z.TwafzCount + 1;
    z.TwafzName[z.TwafzCount] = name;
    z.TwafzIndex[z.TwafzCount] = index;
    z.TwafzLength[z.TwafzCount] = length;
    z.TwafzAngle[z.TwafzCount] = angle;
}

void group(Session& s, qint16 z1, qint16 z2, const QString& type, const QString& clockwise, const QString& sharp)
{
    const qint16 g = s.addGroup();
    GROUP& r = s.Groups[g];
    r.Name = QString::number(g);
    r.Zveno1Index = z1;
    r.Zveno2Index = z2;
    r.GType = type;
    r.Clockwise = clockwise;
    r.IsSharp = sharp;
    s.Zvenos[z1].GroupNo = g;
    s.Zvenos[z2].GroupNo = g;
}

} // namespace

void crankSlider(Session& s)
{
    s.NewMechanism();
    s.GroupCount = 0;
    para(s, QStringLiteral("A"), QStringLiteral("r"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("0"),
         QStringLiteral("0"));
    para(s, QStringLiteral("B"), QStringLiteral("r"), QStringLiteral("1"), QStringLiteral("2"));
    para(s, QStringLiteral("C"), QStringLiteral("r"), QStringLiteral("2"), QStringLiteral("3"));
    para(s, QStringLiteral("D1"), QStringLiteral("p"), QStringLiteral("3"), QStringLiteral("0"), QStringLiteral("0"),
         QStringLiteral("0.05"), QStringLiteral("30"));

    ZVENO& frame = zveno(s, QStringLiteral("0"));
    frame.IsFrame = 1.0f;
    frame.GroupNo = 0;
    ZVENO& crank = zveno(s, QStringLiteral("1"));
    crank.IsDriving = 1.0f;
    crank.GroupNo = 0;
    crank.ZType = QStringLiteral("rr");
    crank.ZLength = QStringLiteral("0.1");
    mass(crank, QStringLiteral("S1"), QStringLiteral("0.05"), QStringLiteral("2"), QStringLiteral("0.01"),
         QStringLiteral("0"));
    zveno(s, QStringLiteral("1"), QStringLiteral("c"));
    ZVENO& rod = zveno(s, QStringLiteral("2"));
    rod.ZType = QStringLiteral("rr");
    rod.ZLength = QStringLiteral("0.3");
    mass(rod, QStringLiteral("S2"), QStringLiteral("0.15"), QStringLiteral("3"), QStringLiteral("0.02"),
         QStringLiteral("0"));
    zveno(s, QStringLiteral("2"), QStringLiteral("c"));
    ZVENO& slider = zveno(s, QStringLiteral("3"));
    slider.ZType = QStringLiteral("rp");
    slider.Clockwise = QStringLiteral("y"); // on its guide: never written
    mass(slider, QStringLiteral("S3"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("0"),
         QStringLiteral("-5"));
    zveno(s, QStringLiteral("3"), QStringLiteral("c"));
    zveno(s, QStringLiteral("0"), QStringLiteral("c"));
    s.FrameIndex = 1;
    for (int i = 1; i <= s.ZvenoCount; ++i)
        s.Zvenos[i].TwafzCount = 0;

    group(s, 4, 6, QStringLiteral("2"), QStringLiteral("n"), QStringLiteral("y"));
    s.ForceAnalysis = 7.0f;
    s.MorePoints = 7.0f;
    s.ExtraPairsFlag = 0.0f;
}

void addPoints(Session& s)
{
    DOP_POINT& f = point(s.Zvenos[2], QStringLiteral("F1"), QStringLiteral("f"), QStringLiteral("0.08"),
                         QStringLiteral("0"));
    f.Force = QStringLiteral("100");
    f.ForceAngle = QStringLiteral("90");
    point(s.Zvenos[4], QStringLiteral("K"), QStringLiteral("o"), QStringLiteral("0.1"), QStringLiteral("15"));
    point(s.Zvenos[5], QStringLiteral("L"), QStringLiteral("o"), QStringLiteral("0.2"), QStringLiteral("-15"));
    s.Zvenos[1].CM = QStringLiteral("S0");
    DOP_POINT& p0 = point(s.Zvenos[1], QStringLiteral("P0"), QStringLiteral("f"), QStringLiteral("1"),
                          QStringLiteral("1"));
    p0.Force = QStringLiteral("1");
    p0.ForceAngle = QStringLiteral("1");
}

void sixLinks(Session& s)
{
    s.NewMechanism();
    s.GroupCount = 0;
    const QString zero = QStringLiteral("0");
    para(s, QStringLiteral("A"), QStringLiteral("r"), zero, QStringLiteral("1"), zero, zero);
    para(s, QStringLiteral("B"), QStringLiteral("r"), QStringLiteral("1"), QStringLiteral("2"));
    para(s, QStringLiteral("C"), QStringLiteral("r"), QStringLiteral("2"), QStringLiteral("3"));
    para(s, QStringLiteral("D"), QStringLiteral("r"), QStringLiteral("3"), zero, QStringLiteral("0.4"), zero);
    para(s, QStringLiteral("E"), QStringLiteral("r"), QStringLiteral("3"), QStringLiteral("4"));
    para(s, QStringLiteral("F"), QStringLiteral("p"), QStringLiteral("4"), QStringLiteral("5"));
    para(s, QStringLiteral("G"), QStringLiteral("r"), QStringLiteral("5"), zero, QStringLiteral("0.2"),
         QStringLiteral("-0.3"));

    ZVENO& frame = zveno(s, zero);
    frame.IsFrame = 1.0f;
    twafz(frame, QStringLiteral("G"), QStringLiteral("7"), QStringLiteral("0.36"), QStringLiteral("-56.3"));
    ZVENO& crank = zveno(s, QStringLiteral("1"));
    crank.IsDriving = 1.0f;
    crank.ZType = QStringLiteral("rr");
    crank.ZLength = QStringLiteral("0.05");
    ZVENO& l2 = zveno(s, QStringLiteral("2"));
    l2.ZType = QStringLiteral("rr");
    l2.ZLength = QStringLiteral("0.2");
    ZVENO& l3 = zveno(s, QStringLiteral("3"));
    l3.ZType = QStringLiteral("rr");
    l3.ZLength = QStringLiteral("0.25");
    twafz(l3, QStringLiteral("E"), QStringLiteral("5"), QStringLiteral("0.1"), QStringLiteral("45"));
    point(l3, QStringLiteral("M"), QStringLiteral("o"), QStringLiteral("0.05"), QStringLiteral("90"));
    ZVENO& l4 = zveno(s, QStringLiteral("4"));
    l4.ZType = QStringLiteral("rp");
    l4.Perpendicular = QStringLiteral("0.02");
    l4.Clockwise = QStringLiteral("y");
    ZVENO& l5 = zveno(s, QStringLiteral("5"));
    l5.ZType = QStringLiteral("pr");
    l5.Perpendicular = QStringLiteral("0.01");
    l5.Clockwise = QStringLiteral("n");
    ZVENO& again = zveno(s, QStringLiteral("3"), QStringLiteral("c"));
    twafz(again, QStringLiteral("X"), QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("9"));
    s.FrameIndex = 1;
    for (int i = 1; i <= s.ZvenoCount; ++i)
        if (s.Zvenos[i].TwafzCount < 0)
            s.Zvenos[i].TwafzCount = 0;

    group(s, 3, 4, QStringLiteral("1"), QStringLiteral("y"), QString());
    group(s, 5, 6, QStringLiteral("3"), QStringLiteral("n"), QStringLiteral("n"));
    s.ForceAnalysis = 7.0f;
    s.MorePoints = 6.0f;
    s.ExtraPairsFlag = 1.0f;
}

} // namespace testmech
