#include "files/kvcompiler.h"

#include "model/answers.h"
#include "model/session.h"

#include <algorithm>

namespace {

const QString kSpaceLine = QStringLiteral(" ");
const QString kYes = QStringLiteral("y");
const QString kNo = QStringLiteral("n");
const QString kRepeatedMark = QStringLiteral("c");

class Compiler {
public:
    explicit Compiler(const Session& s)
        : m_s(s)
    {
    }

    KvListing run();

private:
    void line(const QString& text) { m_out.lines.append(text); }
    void names(const QString& name) { m_out.lines.append(NameLines(name)); }
    void num(const QString& value) { m_out.lines.append(ToKvNumber(value)); }
    void progress(int percent) { m_out.marks.append({m_out.lines.size(), percent}); }

    int paraCount() const { return std::clamp<int>(m_s.ParaCount, 0, kMaxRecords); }
    int zvenoCount() const { return std::clamp<int>(m_s.ZvenoCount, 0, kMaxRecords); }
    int groupCount() const { return std::clamp<int>(m_s.GroupCount, 0, kMaxRecords); }
    static int subCount(qint16 count) { return std::clamp<int>(count, 0, kMaxSubRecords); }

    // A link by an index read from the records; an index outside the array reads as an empty link.
    const ZVENO& zvenoAt(int index) const
    {
        static const ZVENO empty;
        return index >= 0 && index < kSlots ? m_s.Zvenos[index] : empty;
    }

    static bool repeated(const ZVENO& z) { return z.Mark == kRepeatedMark; }
    static bool frame(const ZVENO& z) { return z.IsFrame == 1.0f; }
    // The links that carry data of their own: neither a repeated record nor the frame.
    template <typename Fn>
    void forMovingLinks(Fn fn) const
    {
        for (int i = 1; i <= zvenoCount(); ++i) {
            const ZVENO& z = m_s.Zvenos[i];
            if (!repeated(z) && !frame(z))
                fn(z);
        }
    }
    template <typename Fn>
    void forPoints(const ZVENO& z, const QString& kind, Fn fn) const
    {
        for (int j = 1; j <= subCount(z.DPCount); ++j)
            if (z.DP[j].Kind == kind)
                fn(z.DP[j]);
    }

    void pairs();
    void frameAndDrivingLink();
    void pointsToFind();
    void groups();
    void framePairs();
    void linkSizes();
    void assembly();
    void positionsOnLinks();
    void massesAndForcePoints();
    void forces();

    const Session& m_s;
    KvListing m_out;
};

void Compiler::pairs()
{
    line(QStringLiteral("_Начало_описания_пар"));
    for (int i = 1; i <= paraCount(); ++i) {
        const PARA& p = m_s.Paras[i];
        line(p.ParaType);
        names(p.Zveno1);
        names(p.Zveno2);
        names(p.Name);
    }
    progress(10);
    line(kSpaceLine);
    line(QStringLiteral("_Конец_описания_пар"));
    line(kYes);
    progress(12);
}

void Compiler::frameAndDrivingLink()
{
    line(QStringLiteral("_Ввод_стойки"));
    names(zvenoAt(m_s.FrameIndex).Name);
    progress(16);
    line(QStringLiteral("_Ввод_начального_звена"));
    for (int i = 1; i <= zvenoCount(); ++i)
        if (m_s.Zvenos[i].IsDriving == 1.0f)
            names(m_s.Zvenos[i].Name);
}

void Compiler::pointsToFind()
{
    line(QStringLiteral("_Ввод_дополнительных_точек"));
    progress(25);
    if (m_s.ForceAnalysis == 7.0f) {
        line(kNo);
    } else {
        line(kYes);
        forMovingLinks([this](const ZVENO& z) { names(z.CM); });
        line(kYes);
        forMovingLinks([this](const ZVENO& z) {
            forPoints(z, QStringLiteral("f"), [&](const DOP_POINT& p) {
                names(z.Name);
                names(p.Name);
            });
        });
        line(kSpaceLine);
        line(kYes);
    }
    progress(45);
    if (m_s.MorePoints == 7.0f) {
        line(kNo);
    } else {
        line(kYes);
        for (int i = 1; i <= zvenoCount(); ++i) {
            const ZVENO& z = m_s.Zvenos[i];
            forPoints(z, QStringLiteral("o"), [&](const DOP_POINT& p) {
                names(z.Name);
                names(p.Name);
            });
        }
        line(kSpaceLine);
    }
    line(QStringLiteral("_Конец_ввода_пар,_звеньев_и_точек"));
    progress(60);
}

void Compiler::groups()
{
    line(QStringLiteral("_Начало_разбивки_механизма_на_группы"));
    for (int i = 1; i <= groupCount(); ++i) {
        const GROUP& g = m_s.Groups[i];
        names(zvenoAt(g.Zveno1Index).Name);
        names(zvenoAt(g.Zveno2Index).Name);
    }
    line(kYes);
    line(QStringLiteral("_Конец_описания_структуры_механизма"));
    progress(64);
}

void Compiler::framePairs()
{
    line(QStringLiteral("_Начало_задания_размеров_механизма"));
    line(QStringLiteral("_Положение_шарниров_стойки"));
    const QString frameName = zvenoAt(m_s.FrameIndex).Name;
    for (int i = 1; i <= paraCount(); ++i) {
        const PARA& p = m_s.Paras[i];
        if (p.Zveno1 != frameName && p.Zveno2 != frameName)
            continue;
        line(QStringLiteral("_Пара_") + p.Name);
        num(p.X);
        num(p.Y);
        if (p.ParaType == QStringLiteral("p") && !p.XAngle.isEmpty())
            num(p.XAngle);
    }
    progress(70);
}

void Compiler::linkSizes()
{
    line(QStringLiteral("_Задание_размеров_звеньев"));
    forMovingLinks([this](const ZVENO& z) {
        line(QStringLiteral("_Звено_") + z.Name);
        if (z.ZType == QStringLiteral("rr")) {
            num(z.ZLength);
        } else if (z.Perpendicular == kNotSet) {
            line(kYes);
        } else {
            line(kNo);
            num(z.Perpendicular);
        }
    });
    progress(80);
}

void Compiler::assembly()
{
    line(QStringLiteral("_Выбор_сборки"));
    for (int i = 1; i <= groupCount(); ++i) {
        const GROUP& g = m_s.Groups[i];
        if (g.GType == QStringLiteral("1")) {
            line(g.Clockwise);
        } else if (g.GType == QStringLiteral("2") || g.GType == QStringLiteral("3")) {
            for (const ZVENO* z : {&zvenoAt(g.Zveno1Index), &zvenoAt(g.Zveno2Index)})
                if (z->Perpendicular != kNotSet)
                    line(z->Clockwise);
            line(g.IsSharp);
        }
    }
    progress(82);
}

void Compiler::positionsOnLinks()
{
    const QString onLinks = QStringLiteral("_Положение_точек_на_звеньях");
    const QString plainPoints = QStringLiteral("_Положение_просто_точек");
    if (m_s.ExtraPairsFlag == 1.0f) {
        line(onLinks);
        line(plainPoints);
        for (int i = 1; i <= zvenoCount(); ++i) {
            const ZVENO& z = m_s.Zvenos[i];
            if (repeated(z))
                continue;
            for (int j = 1; j <= subCount(z.TwafzCount); ++j) {
                line(QStringLiteral("_Пара_") + z.TwafzName[j]);
                num(z.TwafzLength[j]);
                num(z.TwafzAngle[j]);
            }
        }
    }
    progress(86);
    if (m_s.MorePoints == 6.0f) {
        if (m_s.ExtraPairsFlag == 0.0f) {
            line(onLinks);
            line(plainPoints);
        }
        for (int i = 1; i <= zvenoCount(); ++i) {
            forPoints(m_s.Zvenos[i], QStringLiteral("o"), [this](const DOP_POINT& p) {
                line(QStringLiteral("_Точка_") + p.Name);
                num(p.Length);
                num(p.Angle);
            });
        }
    }
    progress(94);
}

void Compiler::massesAndForcePoints()
{
    if (m_s.ForceAnalysis == 6.0f) {
        line(QStringLiteral("_Положение_центров_масс"));
        forMovingLinks([this](const ZVENO& z) {
            num(z.CMLength);
            num(z.CMAngle);
        });
        line(QStringLiteral("_Положение_точек_приложения_сил"));
        forMovingLinks([this](const ZVENO& z) {
            forPoints(z, QStringLiteral("f"), [this](const DOP_POINT& p) {
                num(p.Length);
                num(p.Angle);
            });
        });
    }
    // The keyword is the analysis program's own spelling.
    line(QStringLiteral("_Конец_здания_размеров"));
    progress(97);
}

void Compiler::forces()
{
    if (m_s.ForceAnalysis != 6.0f)
        return;
    line(QStringLiteral("_Ввод_сил_и_масс"));
    line(QStringLiteral("_Массы"));
    forMovingLinks([this](const ZVENO& z) {
        num(z.Mass);
        num(z.Moment);
    });
    line(kYes);
    line(QStringLiteral("_Силы"));
    forMovingLinks([this](const ZVENO& z) {
        forPoints(z, QStringLiteral("f"), [this](const DOP_POINT& p) {
            num(p.Force);
            num(p.ForceAngle);
        });
    });
    line(QStringLiteral("_Моменты"));
    forMovingLinks([this](const ZVENO& z) {
        if (z.IsDriving != 1.0f)
            num(z.MomentVn);
    });
    line(QStringLiteral("_Конец_задания_сил"));
}

KvListing Compiler::run()
{
    pairs();
    frameAndDrivingLink();
    pointsToFind();
    groups();
    framePairs();
    linkSizes();
    assembly();
    positionsOnLinks();
    massesAndForcePoints();
    forces();
    progress(100);
    line(kYes);
    return std::move(m_out);
}

} // namespace

QStringList NameLines(const QString& name)
{
    if (name.size() >= 2)
        return {name.left(1), name.right(1)};
    return {name.left(1), QString(), QString()};
}

KvListing compileKv(const Session& session)
{
    return Compiler(session).run();
}
