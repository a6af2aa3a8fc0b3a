#include "files/kvcompiler.h"

#include "model/answers.h"
#include "model/flags.h"
#include "model/recordaccess.h"
#include "model/session.h"

namespace {

const QString kSpaceLine = QStringLiteral(" ");
const QString kYesLine = QStringLiteral("y");
const QString kNoLine = QStringLiteral("n");

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

    int paraCount() const { return ::paraCount(m_s); }
    int zvenoCount() const { return ::zvenoCount(m_s); }
    int groupCount() const { return ::groupCount(m_s); }
    // A link by an index read from the records; an index outside the array reads as an empty link.
    const ZVENO& zvenoAt(qint16 index) const { return ::zvenoAt(m_s, index); }

    // The links that carry data of their own: neither a repeated record nor the frame.
    template <typename Fn>
    void forMovingLinks(Fn fn) const
    {
        for (int i = 1; i <= zvenoCount(); ++i) {
            const ZVENO& z = m_s.Zvenos[i];
            if (!isCopyLink(z) && !isFrameLink(z))
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
    // Two numbers of every point where a force acts, link by link.
    void forcePointNumbers(QString DOP_POINT::*first, QString DOP_POINT::*second)
    {
        forMovingLinks([&](const ZVENO& z) {
            forPoints(z, QStringLiteral("f"), [&](const DOP_POINT& p) {
                num(p.*first);
                num(p.*second);
            });
        });
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
    line(kYesLine);
    progress(12);
}

void Compiler::frameAndDrivingLink()
{
    line(QStringLiteral("_Ввод_стойки"));
    names(zvenoAt(m_s.FrameIndex).Name);
    progress(16);
    line(QStringLiteral("_Ввод_начального_звена"));
    for (int i = 1; i <= zvenoCount(); ++i)
        if (isDrivingLink(m_s.Zvenos[i]))
            names(m_s.Zvenos[i].Name);
}

void Compiler::pointsToFind()
{
    line(QStringLiteral("_Ввод_дополнительных_точек"));
    progress(25);
    if (isNo(m_s.ForceAnalysis)) {
        line(kNoLine);
    } else {
        line(kYesLine);
        forMovingLinks([this](const ZVENO& z) { names(z.CM); });
        line(kYesLine);
        forMovingLinks([this](const ZVENO& z) {
            forPoints(z, QStringLiteral("f"), [&](const DOP_POINT& p) {
                names(z.Name);
                names(p.Name);
            });
        });
        line(kSpaceLine);
        line(kYesLine);
    }
    progress(45);
    if (isNo(m_s.MorePoints)) {
        line(kNoLine);
    } else {
        line(kYesLine);
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
    line(kYesLine);
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
        if (isRevoluteLink(z)) {
            num(z.ZLength);
        } else if (z.Perpendicular == kNotSet) {
            line(kYesLine);
        } else {
            line(kNoLine);
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
    if (hasExtraPairs(m_s)) {
        line(onLinks);
        line(plainPoints);
        for (int i = 1; i <= zvenoCount(); ++i) {
            const ZVENO& z = m_s.Zvenos[i];
            if (isCopyLink(z))
                continue;
            for (int j = 1; j <= subCount(z.TwafzCount); ++j) {
                line(QStringLiteral("_Пара_") + z.TwafzName[j]);
                num(z.TwafzLength[j]);
                num(z.TwafzAngle[j]);
            }
        }
    }
    progress(86);
    if (morePoints(m_s)) {
        if (m_s.ExtraPairsFlag == kUnset) {
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
    if (forceAnalysis(m_s)) {
        line(QStringLiteral("_Положение_центров_масс"));
        forMovingLinks([this](const ZVENO& z) {
            num(z.CMLength);
            num(z.CMAngle);
        });
        line(QStringLiteral("_Положение_точек_приложения_сил"));
        forcePointNumbers(&DOP_POINT::Length, &DOP_POINT::Angle);
    }
    // The keyword is the analysis program's own spelling.
    line(QStringLiteral("_Конец_здания_размеров"));
    progress(97);
}

void Compiler::forces()
{
    if (!forceAnalysis(m_s))
        return;
    line(QStringLiteral("_Ввод_сил_и_масс"));
    line(QStringLiteral("_Массы"));
    forMovingLinks([this](const ZVENO& z) {
        num(z.Mass);
        num(z.Moment);
    });
    line(kYesLine);
    line(QStringLiteral("_Силы"));
    forcePointNumbers(&DOP_POINT::Force, &DOP_POINT::ForceAngle);
    line(QStringLiteral("_Моменты"));
    forMovingLinks([this](const ZVENO& z) {
        if (!isDrivingLink(z))
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
    line(kYesLine);
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
