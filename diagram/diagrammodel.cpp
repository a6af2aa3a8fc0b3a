#include "diagram/diagrammodel.h"

#include "model/flags.h"
#include "model/recordaccess.h"
#include "model/session.h"

#include <algorithm>
#include <cmath>

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

// The painter's least cell is about 2.2 times wider than high; a 4:3 sheet of them holds some
// 0.6 columns per row.
constexpr double kCellAspect = 152.0 / 68.0;
constexpr double kSheetAspect = 4.0 / 3.0;
// Up to this many columns stay in one band whatever their height: the order of analysis is
// easiest to read left to right.
constexpr int kOneBandColumns = 6;

struct GridColumn {
    QList<int> nodes; // top to bottom
    int rows = 0;     // the rows it takes, empty ones above an upward run included
};

QList<GridColumn> gridColumns(const DiagramModel& model, int maxRows)
{
    QList<GridColumn> columns;
    for (const QList<int>& layer : model.layers)
        for (int start = 0, run = 0; start < layer.size(); start += maxRows, ++run) {
            GridColumn column;
            column.nodes = layer.mid(start, maxRows);
            column.rows = int(column.nodes.size());
            if (run % 2 == 1) {
                // Upwards from the bottom row, beside the end of the run before.
                std::reverse(column.nodes.begin(), column.nodes.end());
                column.nodes = QList<int>(maxRows - column.rows, -1) + column.nodes;
                column.rows = maxRows;
            }
            columns << column;
        }
    return columns;
}

// The rows of the columns cut into bands of a given width.
int bandedRows(const QList<GridColumn>& columns, int width)
{
    int rows = 0;
    for (int start = 0; start < columns.size(); start += width) {
        int band = 0;
        for (int c = start; c < std::min(int(columns.size()), start + width); ++c)
            band = std::max(band, columns[c].rows);
        rows += band;
    }
    return rows;
}

void placeCells(DiagramModel& model)
{
    const int n = int(model.nodes.size());
    const int maxRows = std::max(4, int(std::ceil(std::sqrt(n * kCellAspect / kSheetAspect))));
    const QList<GridColumn> columns = gridColumns(model, maxRows);
    const int count = int(columns.size());
    int width = std::max(1, count);
    if (count > kOneBandColumns) {
        // The band width whose sheet comes nearest 4:3; the fewer bands on a tie.
        double best = 1e9;
        for (int bands = 1; bands <= count; ++bands) {
            const int w = (count + bands - 1) / bands;
            const double aspect = w * kCellAspect / bandedRows(columns, w);
            const double off = std::abs(std::log(aspect / kSheetAspect));
            if (off < best - 1e-9) {
                best = off;
                width = w;
            }
        }
    }
    int top = 0;
    for (int start = 0; start < count; start += width) {
        int band = 0;
        for (int c = start; c < std::min(count, start + width); ++c) {
            for (int r = 0; r < columns[c].nodes.size(); ++r)
                if (const int node = columns[c].nodes[r]; node >= 0) {
                    model.nodes[node].column = c - start;
                    model.nodes[node].row = top + r;
                }
            band = std::max(band, columns[c].rows);
        }
        top += band;
    }
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
    placeCells(model);
    return model;
}
