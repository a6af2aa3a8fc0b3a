#pragma once

#include "diagram/diagrampainter.h"

#include <QWidget>

// The diagram on the screen; its context menu saves it as PNG or SVG.
class DiagramWidget : public QWidget {
    Q_OBJECT
public:
    explicit DiagramWidget(QWidget* parent = nullptr);

    void setModel(const DiagramModel& model);
    const DiagramModel& model() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void savePng();
    void saveSvg();
    void print();

    DiagramModel m_model;
    QSizeF m_need; // the drawing at its readable size
};
