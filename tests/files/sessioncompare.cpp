#include "sessioncompare.h"

#include "session.h"

#include <bit>

namespace {

class Diff {
public:
    template <typename T>
    void operator()(const QString& name, const T& a, const T& b)
    {
        if (!(a == b))
            m_out << QStringLiteral("%1: expected '%2', got '%3'").arg(name, text(a), text(b));
    }
    // Flags compare bit for bit: a file may hold any pattern, a NaN included, and must give it back.
    void operator()(const QString& name, float a, float b)
    {
        if (std::bit_cast<quint32>(a) != std::bit_cast<quint32>(b))
            m_out << QStringLiteral("%1: expected '%2', got '%3'").arg(name, text(a), text(b));
    }
    QStringList take() { return m_out; }

private:
    static QString text(const QString& v) { return v; }
    static QString text(qint16 v) { return QString::number(v); }
    static QString text(float v) { return QString::number(v); }
    QStringList m_out;
};

} // namespace

QStringList projectDifferences(const Session& e, const Session& a)
{
    Diff d;
    d(QStringLiteral("FrameIndex"), e.FrameIndex, a.FrameIndex);
    d(QStringLiteral("ForceAnalysis"), e.ForceAnalysis, a.ForceAnalysis);
    d(QStringLiteral("MorePoints"), e.MorePoints, a.MorePoints);
    d(QStringLiteral("ZvenoCount"), e.ZvenoCount, a.ZvenoCount);
    d(QStringLiteral("ParaCount"), e.ParaCount, a.ParaCount);
    d(QStringLiteral("GroupCount"), e.GroupCount, a.GroupCount);
    for (int i = 1; i <= qMin(e.ZvenoCount, a.ZvenoCount); ++i) {
        const ZVENO& x = e.Zvenos[i];
        const ZVENO& y = a.Zvenos[i];
        const auto f = [&](const char* field) { return QStringLiteral("Zvenos[%1].%2").arg(i).arg(QLatin1String(field)); };
        d(f("Name"), x.Name, y.Name);
        d(f("IsFrame"), x.IsFrame, y.IsFrame);
        d(f("IsDriving"), x.IsDriving, y.IsDriving);
        d(f("Para1"), x.Para1, y.Para1);
        d(f("Para1Index"), x.Para1Index, y.Para1Index);
        d(f("Para2"), x.Para2, y.Para2);
        d(f("Para2Index"), x.Para2Index, y.Para2Index);
        d(f("ZType"), x.ZType, y.ZType);
        d(f("ZLength"), x.ZLength, y.ZLength);
        d(f("OnGuide"), x.OnGuide, y.OnGuide);
        d(f("Clockwise"), x.Clockwise, y.Clockwise);
        d(f("Spare1"), x.Spare1, y.Spare1);
        d(f("Perpendicular"), x.Perpendicular, y.Perpendicular);
        d(f("TwafzCount"), x.TwafzCount, y.TwafzCount);
        for (int j = 1; j <= qMin(x.TwafzCount, y.TwafzCount); ++j) {
            d(f("TwafzName") + QString::number(j), x.TwafzName[j], y.TwafzName[j]);
            d(f("TwafzIndex") + QString::number(j), x.TwafzIndex[j], y.TwafzIndex[j]);
            d(f("TwafzLength") + QString::number(j), x.TwafzLength[j], y.TwafzLength[j]);
            d(f("TwafzAngle") + QString::number(j), x.TwafzAngle[j], y.TwafzAngle[j]);
        }
        d(f("CM"), x.CM, y.CM);
        d(f("CMLength"), x.CMLength, y.CMLength);
        d(f("CMAngle"), x.CMAngle, y.CMAngle);
        d(f("Spare2"), x.Spare2, y.Spare2);
        d(f("Spare3"), x.Spare3, y.Spare3);
        d(f("Spare4"), x.Spare4, y.Spare4);
        d(f("DPCount"), x.DPCount, y.DPCount);
        for (int j = 1; j <= qMin(x.DPCount, y.DPCount); ++j) {
            const QString p = f("DP") + QString::number(j);
            d(p + QStringLiteral(".Name"), x.DP[j].Name, y.DP[j].Name);
            d(p + QStringLiteral(".Length"), x.DP[j].Length, y.DP[j].Length);
            d(p + QStringLiteral(".Angle"), x.DP[j].Angle, y.DP[j].Angle);
            d(p + QStringLiteral(".ForceAngle"), x.DP[j].ForceAngle, y.DP[j].ForceAngle);
            d(p + QStringLiteral(".Force"), x.DP[j].Force, y.DP[j].Force);
            d(p + QStringLiteral(".Kind"), x.DP[j].Kind, y.DP[j].Kind);
        }
        d(f("Mark"), x.Mark, y.Mark);
        d(f("GroupNo"), x.GroupNo, y.GroupNo);
        d(f("Mass"), x.Mass, y.Mass);
        d(f("Moment"), x.Moment, y.Moment);
        d(f("MomentVn"), x.MomentVn, y.MomentVn);
    }
    for (int i = 1; i <= qMin(e.ParaCount, a.ParaCount); ++i) {
        const PARA& x = e.Paras[i];
        const PARA& y = a.Paras[i];
        const auto f = [&](const char* field) { return QStringLiteral("Paras[%1].%2").arg(i).arg(QLatin1String(field)); };
        d(f("Name"), x.Name, y.Name);
        d(f("Zveno1"), x.Zveno1, y.Zveno1);
        d(f("Zveno1Index"), x.Zveno1Index, y.Zveno1Index);
        d(f("Zveno2"), x.Zveno2, y.Zveno2);
        d(f("Zveno2Index"), x.Zveno2Index, y.Zveno2Index);
        d(f("ParaType"), x.ParaType, y.ParaType);
        d(f("X"), x.X, y.X);
        d(f("Y"), x.Y, y.Y);
        d(f("XAngle"), x.XAngle, y.XAngle);
    }
    for (int i = 1; i <= qMin(e.GroupCount, a.GroupCount); ++i) {
        const GROUP& x = e.Groups[i];
        const GROUP& y = a.Groups[i];
        const auto f = [&](const char* field) { return QStringLiteral("Groups[%1].%2").arg(i).arg(QLatin1String(field)); };
        d(f("Name"), x.Name, y.Name);
        d(f("Zveno1Index"), x.Zveno1Index, y.Zveno1Index);
        d(f("Zveno2Index"), x.Zveno2Index, y.Zveno2Index);
        d(f("GType"), x.GType, y.GType);
        d(f("Clockwise"), x.Clockwise, y.Clockwise);
        d(f("IsSharp"), x.IsSharp, y.IsSharp);
    }
    return d.take();
}
