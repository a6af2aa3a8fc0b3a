#pragma once

#include <QList>
#include <QString>

class Session;

// The structure as the student has described it so far, as a graph with a fixed layered layout:
// plain data that a painter, an exporter or a test reads alike.

// A point of interest ("o"), a force point ("f") or a centre of mass ("cm") held by a link.
struct DiagramMark {
    QString name;
    QString kind;
};

// One link name: every record of the name (the copies marked "c" too) folds into it.
struct DiagramNode {
    QString name;
    bool frame = false;
    bool driving = false;
    int group = 0;     // the group's place in the order it was named, from 1; 0 in no group
    int colour = 0;    // the group's colour index; 0 for a link in no group (grey)
    int layer = 0;
    int position = 0;  // place within its layer, from 0
    int column = 0;    // the cell of the drawing's grid, from 0
    int row = 0;
    int pairCount = 0; // pair records that touch the link
    QList<DiagramMark> marks;
};

// One pair record: its ends as node indices (-1 for a link name no record carries).
struct DiagramEdge {
    QString name;
    QString type;
    int from = -1;
    int to = -1;
};

// Layer 0 the frame, layer 1 the driving links, then one layer per group in the order the
// groups were named, and the links in no group last (that layer only when there are some).
// The drawing's grid reads the layers as columns left to right; a layer taller than the sheet
// allows goes on in the next column, back upwards, so that a chain of links stays side by side,
// and many columns wrap into bands one under the other, so that the sheet stays about 4:3.
struct DiagramModel {
    QList<DiagramNode> nodes;
    QList<DiagramEdge> edges;
    QList<QList<int>> layers; // node indices, by first appearance
};

DiagramModel buildDiagram(const Session& session);

// The node of a link name, or -1.
int nodeIndex(const DiagramModel& model, const QString& name);

// The slots of the groups still standing, in the order they were named: a removed group keeps its
// slot with its link indices withdrawn.
QList<qint16> standingGroups(const Session& session);
