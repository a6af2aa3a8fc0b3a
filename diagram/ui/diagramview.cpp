#include "diagram/ui/diagramview.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

DiagramWidget::DiagramWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("diagramWidget"));
}

// A view a little smaller than the drawing shows it whole, this much smaller at most; a smaller
// view scrolls.
constexpr qreal kLeastScale = 0.7;

void DiagramWidget::setModel(const DiagramModel& model)
{
    m_model = model;
    m_need = layoutGeometry(m_model, QRectF()).size;
    setMinimumSize((m_need * kLeastScale).toSize());
    update();
}

const DiagramModel& DiagramWidget::model() const
{
    return m_model;
}

QSize DiagramWidget::sizeHint() const
{
    return layoutGeometry(m_model, QRectF()).size.toSize();
}

void DiagramWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const qreal scale = std::min({1.0, width() / m_need.width(), height() / m_need.height()});
    painter.scale(scale, scale);
    paintDiagram(painter, m_model, QRectF(QPointF(), QSizeF(size()) / scale));
}

void DiagramWidget::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    connect(menu.addAction(QStringLiteral("Сохранить схему как PNG...")), &QAction::triggered, this,
            &DiagramWidget::savePng);
    connect(menu.addAction(QStringLiteral("Сохранить схему как SVG...")), &QAction::triggered, this,
            &DiagramWidget::saveSvg);
    connect(menu.addAction(QStringLiteral("Печать схемы...")), &QAction::triggered, this, &DiagramWidget::print);
    menu.exec(event->globalPos());
}

void DiagramWidget::savePng()
{
    const QString path = QFileDialog::getSaveFileName(this, QString(), QString(), QStringLiteral("PNG (*.png)"));
    if (path.isEmpty())
        return;
    const QSize imageSize = layoutGeometry(m_model, QRectF(QPointF(), QSizeF(size()))).size.toSize();
    QImage image(imageSize, QImage::Format_RGB32);
    QPainter painter(&image);
    paintDiagram(painter, m_model, QRectF(QPointF(), QSizeF(imageSize)));
    painter.end();
    image.save(path, "PNG");
}

void DiagramWidget::saveSvg()
{
    const QString path = QFileDialog::getSaveFileName(this, QString(), QString(), QStringLiteral("SVG (*.svg)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(diagramSvg(m_model));
}

void DiagramWidget::print()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter(&printer);
    // The drawing at its own size, scaled down only when the page is smaller.
    const QSizeF drawing = layoutGeometry(m_model, QRectF()).size;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const qreal scale = std::min({1.0, page.width() / drawing.width(), page.height() / drawing.height()});
    painter.scale(scale, scale);
    paintDiagram(painter, m_model, QRectF(QPointF(), drawing));
}
