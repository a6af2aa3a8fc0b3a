#include "tests/freeedit/testdata.h"

#include <QFile>

using namespace Qt::Literals::StringLiterals;

QList<Section> dataSections(const QString& file)
{
    QFile f(QStringLiteral(TESTDATA "/") + file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", qPrintable(f.fileName()));
    QList<Section> sections;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n')) {
        if (line.startsWith(u"== "_s))
            sections.append({line.mid(3), {}});
        else if (!line.isEmpty() && !line.startsWith(u'#') && !sections.isEmpty())
            sections.last().lines.append(line);
    }
    return sections;
}

namespace {

// One line of a mechanism; data/mechanisms.txt describes the forms.
void apply(Session& s, const QString& line)
{
    const QStringList w = line.split(u' ', Qt::SkipEmptyParts);
    const auto t = [&](int n) { return w.value(n) == u"_"_s ? QString() : w.value(n); };
    const auto i = [&](int n) { return qint16(w.value(n).toInt()); };
    const QString c = w.value(0);
    if (c == u"use"_s) {
        for (const Section& section : dataSections(u"mechanisms.txt"_s))
            for (const QString& own : section.title == w.value(1) ? section.lines : QStringList())
                apply(s, own);
    } else if (c == u"repeat"_s) {
        const int count = i(1), inner = qMax(i(2), qint16(1));
        for (int n = 1; n <= count; ++n)
            for (int j = 1; j <= inner; ++j)
                apply(s, line.section(u' ', i(2) ? 3 : 2).replace(u"%1"_s, QString::number(n))
                             .replace(u"%2"_s, QString::number(n % count + 1)).replace(u"%3"_s, QString::number(j)));
    } else if (c == u"reset"_s) {
        s.ResetMechanism();
    } else if (c == u"F"_s) {
        s.ForceAnalysis = t(1).toFloat(), s.MorePoints = t(2).toFloat(), s.ExtraPairsFlag = t(3).toFloat();
        s.FrameIndex = i(4);
    } else if (c == u"P"_s) {
        PARA& p = s.Paras[i(1)];
        p.Name = t(2), p.Zveno1 = t(3), p.Zveno2 = t(4), p.ParaType = t(5);
        if (w.size() > 6)
            p.X = t(6), p.Y = t(7), p.XAngle = t(8);
        s.ParaCount = qMax(s.ParaCount, i(1));
    } else if (c == u"Z"_s) {
        ZVENO& z = s.Zvenos[i(1)];
        z.Name = t(2), z.ZType = t(5);
        if (t(3) != QString())
            z.Para1Index = i(3), z.Para1 = s.Paras[i(3)].Name, z.Para2Index = i(4), z.Para2 = s.Paras[i(4)].Name;
        static const std::pair<const char*, QString ZVENO::*> texts[] = {
            {"ZLength", &ZVENO::ZLength}, {"OnGuide", &ZVENO::OnGuide},   {"Clockwise", &ZVENO::Clockwise},
            {"Perpendicular", &ZVENO::Perpendicular}, {"CM", &ZVENO::CM}, {"CMLength", &ZVENO::CMLength},
            {"CMAngle", &ZVENO::CMAngle}, {"Mass", &ZVENO::Mass},         {"Moment", &ZVENO::Moment},
            {"MomentVn", &ZVENO::MomentVn}, {"Mark", &ZVENO::Mark}};
        for (const QString& field : w.mid(6)) {
            const QString name = field.section(u'=', 0, 0), value = field.section(u'=', 1);
            for (const auto& [text, member] : texts)
                if (name == QLatin1String(text))
                    z.*member = value;
            if (name == u"IsFrame"_s || name == u"IsDriving"_s)
                (name == u"IsFrame"_s ? z.IsFrame : z.IsDriving) = value.toFloat();
        }
        s.ZvenoCount = qMax(s.ZvenoCount, i(1));
    } else if (c == u"T"_s) {
        ZVENO& z = s.Zvenos[i(1)];
        z.TwafzName[i(2)] = t(3), z.TwafzIndex[i(2)] = t(4), z.TwafzLength[i(2)] = t(5), z.TwafzAngle[i(2)] = t(6);
        z.TwafzCount = qMax(z.TwafzCount, i(2));
    } else if (c == u"D"_s) {
        s.Zvenos[i(1)].DP[i(2)] = DOP_POINT{t(3), t(4), t(5), t(6), t(7), t(8)};
        s.Zvenos[i(1)].DPCount = qMax(s.Zvenos[i(1)].DPCount, i(2));
    } else if (c == u"G"_s) {
        s.Groups[i(1)] = GROUP{t(2), i(3), i(4), t(5), t(6), t(7)};
        s.GroupCount = qMax(s.GroupCount, i(1));
    } else {
        qFatal("unknown mechanism line: %s", qPrintable(line));
    }
}

} // namespace

Session mechanism(const QString& description)
{
    Session s;
    s.NewMechanism();
    for (const QString& line : QString(u"use "_s + description).split(u';'))
        apply(s, line);
    return s;
}

QStringList treeLines(const QList<TreeNode>& nodes)
{
    QStringList lines, path; // path: the keys from a root down to the last node
    for (const TreeNode& n : nodes) {
        const qsizetype level = path.indexOf(n.parentKey) + 1;
        path = path.mid(0, level) << n.key;
        const QLatin1Char mark(n.checked ? '?' : "=?*+"[n.structural * 2 + n.expanded]);
        lines << QString(2 * level, u' ') + n.key + u' ' + mark + n.text;
    }
    return lines;
}

QStringList changedLines(const QStringList& before, const QStringList& after)
{
    QStringList changed; // a line that only one of them has shows as a change too
    for (qsizetype n = 0; n < qMax(before.size(), after.size()); ++n)
        if (after.value(n, u"(none)"_s) != before.value(n, u"(none)"_s))
            changed << after.value(n, u"(none)"_s).trimmed();
    return changed;
}
