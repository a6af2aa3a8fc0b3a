#pragma once

#include "diagram/diagrammodel.h"

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QPolygonF>
#include <QRectF>

class QPainter;

// Where each node and pair of a diagram goes in an area: one computation that the painter and the
// SVG writer both draw from, so the screen, the PNG, the print and the SVG agree.
struct DiagramGeometry {
    QList<QRectF> nodes; // by node index
    QList<QPolygonF> edges; // by edge index: a path of points; empty for a pair with a missing end
    QSizeF size; // the area the drawing needs (at least the given one)
};

// The model's grid cells as boxes, the pairs as paths between them; nodes never smaller than a
// readable minimum, so a large mechanism grows the drawing instead of shrinking the text.
DiagramGeometry layoutGeometry(const DiagramModel& model, const QRectF& area);
// The fill of a node: a fixed palette by colour index, grey for links in no group.
QColor nodeColour(const DiagramNode& node);
void paintDiagram(QPainter& painter, const DiagramModel& model, const QRectF& area);
QByteArray diagramSvg(const DiagramModel& model);
