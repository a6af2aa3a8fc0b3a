#include "diagram/diagrammodel.h"

#include "model/flags.h"
#include "model/recordaccess.h"
#include "model/session.h"

namespace {

bool isSetText(const QString& text)
{
    return !text.isEmpty() && text != kNotSet;
}

int addNode(DiagramModel& model, const QString& name)
{
    const int found = nodeIndex(model, name);
    if (found >= 0)
        return found;
    model.nodes.append(DiagramNode{});
    model.nodes.last().name = name;
    return int(model.nodes.size() - 1);
}

void addMarks(DiagramNode& node, const ZVENO& z)
{
    for (int j = 1; j <= subCount(z.DPCount); ++j)
        if (isSetText(z.DP[j].Name))
            node.marks.append({z.DP[j].Name, z.DP[j].Kind});
    if (isSetText(z.CM))
        node.marks.append({z.CM, QStringLiteral("cm")});
}

// The groups still standing, in the order they were named: a removed group keeps its slot with
// its link indices withdrawn.
void placeGroups(const Session& s, DiagramModel& model)
{
    int ordinal = 0;
    for (const qint16 g : standingGroups(s)) {
        const GROUP& group = s.Groups[g];
        ++ordinal;
        for (qint16 link : {group.Zveno1Index, group.Zveno2Index}) {
            const int n = nodeIndex(model, zvenoAt(s, link).Name);
            if (n >= 0 && model.nodes[n].group == 0 && !model.nodes[n].frame && !model.nodes[n].driving)
                model.nodes[n].group = model.nodes[n].colour = ordinal;
        }
    }
    model.layers.resize(2 + ordinal);
}

} // namespace

QList<qint16> standingGroups(const Session& s)
{
    QList<qint16> standing;
    for (int g = 1; g <= groupCount(s); ++g)
        if (validIndex(s.Groups[g].Zveno1Index, s.ZvenoCount) && validIndex(s.Groups[g].Zveno2Index, s.ZvenoCount))
            standing << qint16(g);
    return standing;
}

int nodeIndex(const DiagramModel& model, const QString& name)
{
    for (int i = 0; i < model.nodes.size(); ++i)
        if (model.nodes[i].name == name)
            return i;
    return -1;
}

DiagramModel buildDiagram(const Session& s)
{
    DiagramModel model;
    for (int i = 1; i <= zvenoCount(s); ++i) {
        const ZVENO& z = s.Zvenos[i];
        // A damaged count reaches past the described links into records that name none.
        if (!isSetText(z.Name))
            continue;
        DiagramNode& node = model.nodes[addNode(model, z.Name)];
        node.frame = node.frame || isFrameLink(z);
        node.driving = node.driving || isDrivingLink(z);
        addMarks(node, z);
    }
    for (int k = 1; k <= paraCount(s); ++k) {
        const PARA& p = s.Paras[k];
        DiagramEdge edge{p.Name, p.ParaType, nodeIndex(model, p.Zveno1), nodeIndex(model, p.Zveno2)};
        if (edge.from >= 0)
            ++model.nodes[edge.from].pairCount;
        if (edge.to >= 0 && edge.to != edge.from)
            ++model.nodes[edge.to].pairCount;
        model.edges.append(edge);
    }
    placeGroups(s, model);
    const int freeLayer = int(model.layers.size());
    for (int i = 0; i < model.nodes.size(); ++i) {
        DiagramNode& node = model.nodes[i];
        node.layer = node.frame ? 0 : node.driving ? 1 : node.group > 0 ? 1 + node.group : freeLayer;
        if (node.layer == freeLayer && model.layers.size() == freeLayer)
            model.layers.append(QList<int>{});
        node.position = int(model.layers[node.layer].size());
        model.layers[node.layer].append(i);
    }
    return model;
}
