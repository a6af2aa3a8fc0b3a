#include "advisor/advisor.h"

#include "diagram/diagrammodel.h"
#include "model/answers.h"
#include "model/flags.h"
#include "model/questiontexts.h"
#include "model/recordaccess.h"
#include "model/session.h"

#include <algorithm>
#include <utility>

namespace {

// W = 3n - 2p with n and p counted as the structure analysis counts them: every link name whose
// first record is not the frame, and every pair record.
QString mobilityLine(const Session& s, int* w)
{
    const int n = movingLinkCount(s);
    const int p = s.ParaCount;
    *w = 3 * n - 2 * p;
    const QString pairs = p < 0 ? QStringLiteral("(%1)").arg(p) : QString::number(p);
    return QStringLiteral("n = %1, p = %2: W = 3·%1 − 2·%3 = %4").arg(n).arg(p).arg(pairs).arg(*w);
}

// The nodes reachable from the frame through the pairs.
QList<bool> reachedFromFrame(const DiagramModel& d)
{
    QList<bool> reached(d.nodes.size(), false);
    QList<int> todo;
    for (int f : d.layers.value(0)) {
        reached[f] = true;
        todo << f;
    }
    while (!todo.isEmpty()) {
        const int at = todo.takeLast();
        for (const DiagramEdge& e : d.edges) {
            const int next = e.from == at ? e.to : e.to == at ? e.from : -1;
            if (next >= 0 && !reached[next]) {
                reached[next] = true;
                todo << next;
            }
        }
    }
    return reached;
}

// With W other than 1: the moving links that have fewer than two pairs or hang free of the frame.
void mobilityCauses(const DiagramModel& d, QStringList& lines)
{
    const bool hasFrame = !d.layers.value(0).isEmpty();
    const QList<bool> reached = reachedFromFrame(d);
    for (int i = 0; i < d.nodes.size(); ++i) {
        const DiagramNode& node = d.nodes[i];
        if (node.frame)
            continue;
        if (node.pairCount < 2 && !node.driving)
            lines << QStringLiteral("Звено %1: пар %2, а звену группы нужно две").arg(node.name).arg(node.pairCount);
        if (hasFrame && !reached[i])
            lines << QStringLiteral("Звено %1 не связано со стойкой ни через одну пару").arg(node.name);
    }
    // Two pairs between the same two links leave the pair of them rigid.
    for (int k = 0; k < d.edges.size(); ++k)
        for (int j = 0; j < k; ++j) {
            const DiagramEdge& a = d.edges[j];
            const DiagramEdge& b = d.edges[k];
            if (a.from >= 0 && a.to >= 0 && ((a.from == b.from && a.to == b.to) || (a.from == b.to && a.to == b.from)))
                lines << QStringLiteral("Пары %1 и %2 соединяют одни и те же звенья %3 и %4")
                             .arg(a.name, b.name, d.nodes[a.from].name, d.nodes[a.to].name);
        }
}

// A prismatic pair written from the frame side, and a prismatic link whose guide question would
// name no pair: said at the pair, while undo can still take it back.
void pairOrder(const Session& s, const DiagramModel& d, QStringList& lines)
{
    for (const DiagramEdge& e : d.edges)
        if (e.from >= 0 && e.from == e.to)
            lines << QStringLiteral("Пара %1 соединяет звено %2 само с собой").arg(e.name, d.nodes[e.from].name);
    for (const DiagramEdge& e : d.edges)
        if (e.type == QStringLiteral("p") && e.from >= 0 && d.nodes[e.from].frame)
            lines << QStringLiteral("Пара %1: поступательная пара начата со стойки; введите сначала ползун, затем стойку")
                         .arg(e.name);
    for (int i = 1; i <= zvenoCount(s); ++i) {
        const ZVENO& z = s.Zvenos[i];
        // The pair names are known once the driving link is chosen and every link has learnt them.
        if (isCopyLink(z) || isFrameLink(z) || !isPrismaticLink(z))
            continue;
        const GuidePairs rg = revoluteAndGuide(z);
        if (rg.revolute.isEmpty() || rg.guide.isEmpty() || rg.revolute == kNotSet || rg.guide == kNotSet)
            lines << QStringLiteral("Звено %1: в вопросе о направляющей не будет имени пары — проверьте порядок его пар")
                         .arg(z.Name);
    }
}

QChar pairLetter(const QString& type)
{
    return type == QStringLiteral("p") ? QChar(u'П') : QChar(u'В');
}

// The dyad's kind in the course's notation from its outer, inner and outer pair; a mirrored
// order is the same kind.
QString dyadKind(const QString& letters)
{
    static const QStringList kinds = {QStringLiteral("ВВВ"), QStringLiteral("ВВП"), QStringLiteral("ВПВ"),
                                      QStringLiteral("ПВП"), QStringLiteral("ВПП")};
    QString mirrored = letters;
    std::reverse(mirrored.begin(), mirrored.end());
    for (int k = 0; k < kinds.size(); ++k)
        if (kinds[k] == letters || kinds[k] == mirrored)
            return QStringLiteral("диада %1-го вида (%2)").arg(k + 1).arg(kinds[k]);
    return QStringLiteral("вид диады не определён (%1)").arg(letters);
}

// The first pair of a node other than the given one, or -1.
int outerPair(const DiagramModel& d, int node, int inner)
{
    for (int k = 0; k < d.edges.size(); ++k)
        if (k != inner && (d.edges[k].from == node || d.edges[k].to == node))
            return k;
    return -1;
}

// Whether the other end of a pair is the frame, a driving link or a link of an earlier group.
QString hangsOn(const DiagramModel& d, int pair, int node, int group)
{
    const DiagramEdge& e = d.edges[pair];
    const int other = e.from == node ? e.to : e.from;
    if (other < 0)
        return QStringLiteral("пара %1 ведёт к звену без записи").arg(e.name);
    const DiagramNode& o = d.nodes[other];
    if (o.frame || o.driving || (o.group > 0 && o.group < group))
        return QString();
    return QStringLiteral("пара %1 присоединяет её к звену %2, которое ещё не в группе: назовите сначала группу звена %2")
        .arg(e.name, o.name);
}

void groupLines(const Session& s, const DiagramModel& d, QStringList& lines)
{
    int ordinal = 0;
    for (const qint16 g : standingGroups(s)) {
        const GROUP& group = s.Groups[g];
        ++ordinal;
        const int a = nodeIndex(d, zvenoAt(s, group.Zveno1Index).Name);
        const int b = nodeIndex(d, zvenoAt(s, group.Zveno2Index).Name);
        if (a < 0 || b < 0)
            continue;
        QStringList parts;
        int inner = -1;
        for (int k = 0; k < d.edges.size() && inner < 0; ++k)
            if ((d.edges[k].from == a && d.edges[k].to == b) || (d.edges[k].from == b && d.edges[k].to == a))
                inner = k;
        if (inner < 0)
            parts << QStringLiteral("у звеньев %1 и %2 нет общей пары").arg(d.nodes[a].name, d.nodes[b].name);
        for (int n : {a, b}) {
            const DiagramNode& link = d.nodes[n];
            if (link.pairCount > 2)
                parts << QStringLiteral("у звена %1 пар %2: в группе останутся первая пара и пара со стойкой, "
                                        "остальные станут дополнительными")
                             .arg(link.name)
                             .arg(link.pairCount);
            else if (link.pairCount < 2)
                parts << QStringLiteral("у звена %1 пар %2, а нужно две").arg(link.name).arg(link.pairCount);
        }
        const int outerA = outerPair(d, a, inner);
        const int outerB = outerPair(d, b, inner);
        for (const auto& [pair, node] : {std::pair{outerA, a}, std::pair{outerB, b}})
            if (pair >= 0)
                if (const QString hang = hangsOn(d, pair, node, ordinal); !hang.isEmpty())
                    parts << hang;
        if (inner >= 0 && outerA >= 0 && outerB >= 0) {
            const QString letters = QString(pairLetter(d.edges[outerA].type)) + pairLetter(d.edges[inner].type) +
                                    pairLetter(d.edges[outerB].type);
            parts << dyadKind(letters);
        }
        parts << (group.GType.isEmpty() ? QStringLiteral("тип в программе не определён")
                                        : QStringLiteral("в программе тип ") + group.GType);
        lines << QStringLiteral("Группа %1 (%2, %3): ").arg(group.Name, d.nodes[a].name, d.nodes[b].name) +
                     parts.join(QStringLiteral("; "));
    }
}

// What to type instead of a number the checks refuse.
QString numberHint(const QString& t)
{
    if (t.isEmpty() || isNumberText(t))
        return QString();
    QString fixed = t.trimmed();
    fixed.replace(QLatin1Char(','), QLatin1Char('.'));
    if (fixed.startsWith(QLatin1Char('+')))
        fixed.remove(0, 1);
    if (fixed != t && isNumberText(fixed)) {
        if (t.contains(QLatin1Char(',')))
            return QStringLiteral("Дробную часть отделяйте точкой: %1").arg(fixed);
        return QStringLiteral("Введите число без пробелов и знака «+»: %1").arg(fixed);
    }
    return QStringLiteral("Число вводится цифрами, с точкой и, если нужно, минусом впереди: например 0.25 или -30");
}

// The pair type is one Latin letter; these are the look-alikes and the same keys in the Russian
// layout.
QString pairTypeHint(const QString& t)
{
    const QString lower = t.toLower();
    if (lower == QStringLiteral("р") || lower == QStringLiteral("з"))
        return QStringLiteral("Буква набрана по-русски: для поступательной пары введите латинскую p");
    if (lower == QStringLiteral("к"))
        return QStringLiteral("Буква набрана по-русски: для вращательной пары введите латинскую r");
    if (lower == QStringLiteral("с") || lower == QStringLiteral("c"))
        return QStringLiteral("Тип пары — латинская r (вращательная) или p (поступательная)");
    return QString();
}

} // namespace

QList<StructureFinding> structureFindings(const Session& s)
{
    const DiagramModel d = buildDiagram(s);
    QList<StructureFinding> findings;
    QStringList lines;
    const auto take = [&](StructureFinding::Kind kind) {
        for (const QString& line : std::as_const(lines))
            findings.append({kind, line});
        lines.clear();
    };
    int w = 0;
    lines << mobilityLine(s, &w);
    take(StructureFinding::Mobility);
    if (w != 1)
        mobilityCauses(d, lines);
    take(StructureFinding::Cause);
    pairOrder(s, d, lines);
    take(StructureFinding::PairOrder);
    groupLines(s, d, lines);
    take(StructureFinding::Group);
    return findings;
}

QStringList adviseStructure(const Session& s)
{
    QStringList lines;
    for (const StructureFinding& f : structureFindings(s))
        lines << f.text;
    return lines;
}

QString adviseAnswer(const Session&, qint16 state, const QString& typedText)
{
    return state == 11 ? pairTypeHint(typedText) : QString();
}

QString adviceLine(const Session& s, qint16 state, const QString& typedText)
{
    if (const QString hint = adviseAnswer(s, state, typedText); !hint.isEmpty())
        return hint;
    const QList<StructureFinding> findings = structureFindings(s);
    // The first of a kind or the last: the first pair-order line names the pair itself, the last
    // group line the group just named.
    const auto pick = [&](StructureFinding::Kind kind, bool last) {
        QString found;
        for (const StructureFinding& f : findings)
            if (f.kind == kind && (found.isEmpty() || last))
                found = f.text;
        return found;
    };
    if (const QString order = pick(StructureFinding::PairOrder, false); !order.isEmpty())
        return order;
    if (const QString group = pick(StructureFinding::Group, true); !group.isEmpty())
        return group;
    // While pairs are still being entered the count says nothing yet; from the frame on it does.
    const bool enteringPairs = state >= 11 && state <= 14;
    return enteringPairs ? QString() : pick(StructureFinding::Mobility, false);
}

// The unit of each number question, as the protocol line after it writes the value; the prefix of
// a question is its text before its first name.
QString questionUnit(const QString& question)
{
    const QString name(QChar(0x1));
    const auto prefix = [&](const QString& text) { return text.left(text.indexOf(name)); };
    const QString m = QStringLiteral("м");
    const QString deg = QStringLiteral("град");
    const std::pair<QString, QString> units[] = {
        {prefix(pairXQuestion(name)), m},
        {prefix(pairYQuestion(name)), m},
        {prefix(pairAngleQuestion(name)), deg},
        {prefix(linkLengthQuestion(name, name)), m},
        {prefix(perpendicularQuestion(name, name)), m},
        {prefix(distanceToCentreQuestion(name, name)), m}, // and to a point, a pair, a force's point
        {prefix(vectorAngleQuestion(name, name, name)), deg},
        {prefix(perpendicularAngleQuestion(name, name, name)), deg},
        {prefix(forceAngleQuestion(name)), deg},
        {prefix(forceQuestion(name)), QStringLiteral("Н")},
        {prefix(massQuestion(name)), QStringLiteral("кг")},
        {prefix(momentQuestion(name)), QStringLiteral("кг*м2")},
        {prefix(externalMomentQuestion(name)), QStringLiteral("Н*м")},
    };
    for (const auto& [start, unit] : units)
        if (question.startsWith(start))
            return unit;
    return QString();
}

QString adviseQuestion(const QString& question, const QString& typedText)
{
    const QString unit = questionUnit(question);
    if (unit.isEmpty())
        return QString();
    const QString hint = numberHint(typedText);
    return hint.isEmpty() ? QStringLiteral("Единица измерения: ") + unit : hint;
}
