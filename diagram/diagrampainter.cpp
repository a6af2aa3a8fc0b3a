#include "diagram/diagrampainter.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr qreal kMinNodeWidth = 76;
constexpr qreal kMinNodeHeight = 34;
constexpr qreal kMargin = 16;

const QColor kPalette[]
    = {QColor(0x8d, 0xb6, 0xe8), QColor(0xf2, 0xb7, 0x7a), QColor(0x9f, 0xd8, 0x8f), QColor(0xe8, 0x9b, 0xb4),
       QColor(0xc6, 0xa8, 0xe8), QColor(0xe8, 0xdb, 0x7d), QColor(0x8f, 0xd8, 0xd2), QColor(0xd8, 0xb0, 0x8f)};

bool prismatic(const DiagramEdge& edge)
{
    return edge.type == QStringLiteral("p");
}

// The small shapes of one node and one pair, described once and drawn by either back end.
struct Shapes {
    virtual ~Shapes() = default;
    virtual void box(const QRectF& r, const QColor& fill, bool bold) = 0;
    virtual void line(const QLineF& l, const QColor& colour, qreal width) = 0;
    virtual void circle(const QPointF& centre, qreal radius, const QColor& fill) = 0;
    virtual void rect(const QRectF& r, const QColor& fill) = 0;
    virtual void text(const QRectF& r, const QString& text, qreal size) = 0;
};

void drawAll(Shapes& s, const DiagramModel& model, const DiagramGeometry& g)
{
    QList<std::pair<QRectF, QString>> names; // drawn last, over the boxes they may touch
    for (int i = 0; i < model.edges.size(); ++i) {
        const QPolygonF path = g.edges.value(i);
        if (path.size() < 2)
            continue;
        for (int k = 1; k < path.size(); ++k)
            s.line(QLineF(path[k - 1], path[k]), QColor(0x40, 0x40, 0x40), 1.5);
        // The type's mark on the middle segment, the pair's name beside it: under a line that
        // runs across, to the right of one that runs down.
        const int k = int(path.size()) / 2;
        const QLineF middle(path[k - 1], path[k]);
        const QPointF mid = middle.center();
        const bool across = std::abs(middle.dx()) > std::abs(middle.dy());
        names.append({across ? QRectF(mid.x() - 20, mid.y() + 5, 40, 14) : QRectF(mid.x() + 8, mid.y() - 7, 24, 14),
                      model.edges[i].name});
        if (prismatic(model.edges[i]))
            s.rect(QRectF(mid.x() - 8, mid.y() - 5, 16, 10), QColor(0xff, 0xff, 0xff));
        else
            s.circle(mid, 5, QColor(0xff, 0xff, 0xff));
    }
    for (int i = 0; i < model.nodes.size(); ++i) {
        const DiagramNode& n = model.nodes[i];
        const QRectF r = g.nodes[i];
        if (n.frame) {
            // Ground hatching under the frame's box.
            const qreal y = r.bottom() + 3;
            s.line(QLineF(r.left(), y, r.right(), y), Qt::black, 1.5);
            for (qreal x = r.left() + 4; x <= r.right(); x += 8)
                s.line(QLineF(x, y, x - 6, y + 6), Qt::black, 1);
        }
        s.box(r, nodeColour(n), n.driving || n.frame);
        if (n.driving) {
            // An arrow down onto the top left corner, clear of the pairs at the sides and the
            // middle: the link the motion is given to.
            const QPointF tip(r.left() + 12, r.top());
            s.line(QLineF(tip - QPointF(0, 14), tip), QColor(0xb0, 0x20, 0x20), 2);
            s.line(QLineF(tip, tip + QPointF(-5, -6)), QColor(0xb0, 0x20, 0x20), 2);
            s.line(QLineF(tip, tip + QPointF(5, -6)), QColor(0xb0, 0x20, 0x20), 2);
        }
        s.text(r.adjusted(4, 2, -4, n.marks.isEmpty() ? -2 : -12), n.name, 11);
        // As many marks as the box holds; the rest counted after them.
        const int room = std::max(1, int((r.width() - 16) / 14) + 1);
        const int shown = int(n.marks.size()) > room ? std::max(0, room - 2) : int(n.marks.size());
        for (int m = 0; m < shown; ++m) {
            const QPointF at(r.left() + 8 + m * 14, r.bottom() - 7);
            s.circle(at, 3, n.marks[m].kind == QStringLiteral("cm") ? Qt::black : QColor(0xff, 0xff, 0xff));
        }
        if (shown < n.marks.size())
            s.text(QRectF(r.left() + 2 + shown * 14, r.bottom() - 13, 26, 12),
                   QStringLiteral("+%1").arg(n.marks.size() - shown), 9);
    }
    for (const auto& [place, name] : names)
        s.text(place, name, 10);
}

class PainterShapes : public Shapes {
public:
    explicit PainterShapes(QPainter& p)
        : m_p(p)
    {
    }
    void box(const QRectF& r, const QColor& fill, bool bold) override
    {
        m_p.setPen(QPen(Qt::black, bold ? 2.5 : 1));
        m_p.setBrush(fill);
        m_p.drawRoundedRect(r, 8, 8);
    }
    void line(const QLineF& l, const QColor& colour, qreal width) override
    {
        m_p.setPen(QPen(colour, width));
        m_p.drawLine(l);
    }
    void circle(const QPointF& centre, qreal radius, const QColor& fill) override
    {
        m_p.setPen(QPen(Qt::black, 1));
        m_p.setBrush(fill);
        m_p.drawEllipse(centre, radius, radius);
    }
    void rect(const QRectF& r, const QColor& fill) override
    {
        m_p.setPen(QPen(Qt::black, 1));
        m_p.setBrush(fill);
        m_p.drawRect(r);
    }
    void text(const QRectF& r, const QString& text, qreal size) override
    {
        QFont f = m_p.font();
        f.setPixelSize(int(size));
        m_p.setFont(f);
        m_p.setPen(Qt::black);
        m_p.drawText(r, Qt::AlignCenter, text);
    }

private:
    QPainter& m_p;
};

QString num(qreal v)
{
    return QString::number(v, 'f', 1);
}

QString escaped(const QString& s)
{
    return s.toHtmlEscaped();
}

class SvgShapes : public Shapes {
public:
    void box(const QRectF& r, const QColor& fill, bool bold) override
    {
        out += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"8\" "
                              "fill=\"%5\" stroke=\"black\" stroke-width=\"%6\"/>\n")
                   .arg(num(r.x()), num(r.y()), num(r.width()), num(r.height()), fill.name(), num(bold ? 2.5 : 1));
    }
    void line(const QLineF& l, const QColor& colour, qreal width) override
    {
        out += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" "
                              "stroke=\"%5\" stroke-width=\"%6\"/>\n")
                   .arg(num(l.x1()), num(l.y1()), num(l.x2()), num(l.y2()), colour.name(), num(width));
    }
    void circle(const QPointF& c, qreal radius, const QColor& fill) override
    {
        out += QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"%4\" "
                              "stroke=\"black\"/>\n")
                   .arg(num(c.x()), num(c.y()), num(radius), fill.name());
    }
    void rect(const QRectF& r, const QColor& fill) override
    {
        out += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" "
                              "fill=\"%5\" stroke=\"black\"/>\n")
                   .arg(num(r.x()), num(r.y()), num(r.width()), num(r.height()), fill.name());
    }
    void text(const QRectF& r, const QString& text, qreal size) override
    {
        out += QStringLiteral("<text x=\"%1\" y=\"%2\" font-size=\"%3\" text-anchor=\"middle\" "
                              "dominant-baseline=\"central\">%4</text>\n")
                   .arg(num(r.center().x()), num(r.center().y()), num(size), escaped(text));
    }
    QString out;
};

} // namespace

DiagramGeometry layoutGeometry(const DiagramModel& model, const QRectF& area)
{
    DiagramGeometry g;
    g.nodes.resize(model.nodes.size());
    int rows = 1;
    int columns = 1;
    for (const DiagramNode& n : model.nodes) {
        rows = std::max(rows, n.row + 1);
        columns = std::max(columns, n.column + 1);
    }
    // Each cell twice the node's size leaves room for the pair labels between the boxes.
    const qreal cellW = std::max(2 * kMinNodeWidth, (area.width() - 2 * kMargin) / columns);
    const qreal cellH = std::max(2 * kMinNodeHeight, (area.height() - 2 * kMargin) / rows);
    const qreal nodeW = std::min(cellW * 0.6, 2 * kMinNodeWidth);
    const qreal nodeH = std::min(cellH * 0.55, 2 * kMinNodeHeight);
    for (int i = 0; i < model.nodes.size(); ++i) {
        const QPointF centre(area.left() + kMargin + (model.nodes[i].column + 0.5) * cellW,
                             area.top() + kMargin + (model.nodes[i].row + 0.5) * cellH);
        g.nodes[i] = QRectF(centre.x() - nodeW / 2, centre.y() - nodeH / 2, nodeW, nodeH);
    }
    // Lines run only between the boxes: along the channel right of a column and the gap above a
    // row, where no box reaches, so no pair crosses a link it does not join.
    const auto channel = [&](int column) { return area.left() + kMargin + (column + 1) * cellW; };
    // (A little above the row's edge, so that it passes clear of the marks of the pairs that join
    // two boxes one above the other.)
    const auto gap = [&](int row) { return area.top() + kMargin + row * cellH - 0.14 * cellH; };
    for (int k = 0; k < model.edges.size(); ++k) {
        const DiagramEdge& e = model.edges[k];
        if (e.from < 0 || e.to < 0 || e.from >= g.nodes.size() || e.to >= g.nodes.size()) {
            g.edges << QPolygonF();
            continue;
        }
        // Pairs that share a channel, a gap or two links are drawn a little apart.
        const qreal lane = (k % 5 - 2) * 6.0;
        const qreal gapLane = (k % 3 - 1) * 3.0;
        const DiagramNode& na = model.nodes[e.from];
        const DiagramNode& nb = model.nodes[e.to];
        const QRectF a = g.nodes[e.from];
        const QRectF b = g.nodes[e.to];
        if (e.from == e.to) {
            const qreal x = a.right() + 14;
            g.edges << QPolygonF({QPointF(a.right(), a.center().y() - 6), QPointF(x, a.center().y() - 6),
                                  QPointF(x, a.center().y() + 6), QPointF(a.right(), a.center().y() + 6)});
        } else if (na.column == nb.column && std::abs(na.row - nb.row) == 1) {
            const QRectF& upper = na.row < nb.row ? a : b;
            const QRectF& lower = na.row < nb.row ? b : a;
            const qreal x = upper.center().x() + lane;
            g.edges << QPolygonF({QPointF(x, upper.bottom()), QPointF(x, lower.top())});
        } else if (na.column == nb.column) {
            const qreal x = channel(na.column) + lane;
            g.edges << QPolygonF({QPointF(a.right(), a.center().y() + lane), QPointF(x, a.center().y() + lane),
                                  QPointF(x, b.center().y() + lane), QPointF(b.right(), b.center().y() + lane)});
        } else {
            const bool aLeft = na.column < nb.column;
            const DiagramNode& nl = aLeft ? na : nb;
            const DiagramNode& nr = aLeft ? nb : na;
            const QPointF from(aLeft ? a.right() : b.right(), (aLeft ? a : b).center().y() + lane);
            const QPointF to(aLeft ? b.left() : a.left(), (aLeft ? b : a).center().y() + lane);
            if (nr.column == nl.column + 1) {
                g.edges << QPolygonF({from, to});
            } else {
                const qreal x1 = channel(nl.column) + lane;
                const qreal x2 = channel(nr.column - 1) + lane;
                const qreal y = gap(nr.row > nl.row ? nl.row + 1 : nl.row) + gapLane;
                g.edges << QPolygonF({from, QPointF(x1, from.y()), QPointF(x1, y), QPointF(x2, y), QPointF(x2, to.y()), to});
            }
        }
    }
    g.size = QSizeF(std::max(area.width(), 2 * kMargin + columns * cellW),
                    std::max(area.height(), 2 * kMargin + rows * cellH));
    return g;
}

QColor nodeColour(const DiagramNode& node)
{
    if (node.colour <= 0)
        return QColor(0xc8, 0xc8, 0xc8);
    return kPalette[(node.colour - 1) % std::size(kPalette)];
}

void paintDiagram(QPainter& painter, const DiagramModel& model, const QRectF& area)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    PainterShapes shapes(painter);
    drawAll(shapes, model, layoutGeometry(model, area));
    painter.restore();
}

QByteArray diagramSvg(const DiagramModel& model)
{
    const DiagramGeometry g = layoutGeometry(model, QRectF(0, 0, 0, 0));
    SvgShapes shapes;
    drawAll(shapes, model, g);
    const QString head = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" "
                                        "height=\"%2\" "
                                        "viewBox=\"0 0 %1 %2\" font-family=\"sans-serif\">\n"
                                        "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n")
                             .arg(num(g.size.width()), num(g.size.height()));
    return (head + shapes.out + QStringLiteral("</svg>\n")).toUtf8();
}
