#include "diagram/ui/diagrampanel.h"

#include "advisor/advisor.h"
#include "diagram/diagrammodel.h"
#include "diagram/panelplace.h"
#include "diagram/ui/diagramview.h"

#include <QAction>
#include <QListWidget>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

DiagramPanel::DiagramPanel(QWidget* owner)
    : QWidget(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("diagramPanel"));
    setWindowTitle(QStringLiteral("Схема механизма"));
    resize(560, 520);
    m_diagram = new DiagramWidget;
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("diagramScroll"));
    scroll->setWidget(m_diagram);
    // The drawing fills the view and scrolls once its minimum cells no longer fit.
    scroll->setWidgetResizable(true);
    m_findings = new QListWidget;
    m_findings->setObjectName(QStringLiteral("diagramFindings"));
    m_findings->setWordWrap(true);
    m_split = new QSplitter(Qt::Vertical);
    auto* split = m_split;
    split->addWidget(scroll);
    split->addWidget(m_findings);
    split->setStretchFactor(0, 4);
    split->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
}

void DiagramPanel::refresh(const Session& session)
{
    m_session = &session;
    m_stale = true;
    // A hidden panel costs nothing per answer, even for the largest mechanism.
    if (isVisible())
        rebuild();
}

void DiagramPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_stale)
        rebuild();
}

void DiagramPanel::rebuild()
{
    m_stale = false;
    if (!m_session)
        return;
    m_diagram->setModel(buildDiagram(*m_session));
    m_findings->clear();
    m_findings->addItems(adviseStructure(*m_session));
}

void DiagramPanel::showBeside(const QWidget* window)
{
    if (const QScreen* screen = window->screen())
        setGeometry(panelPlace(window->frameGeometry(), screen->availableGeometry()));
    // A low, wide panel (under the window) keeps the findings beside the drawing, not under it.
    const bool wide = width() > 2 * height();
    m_split->setOrientation(wide ? Qt::Horizontal : Qt::Vertical);
    // Most of the room to the drawing, whatever the findings list would ask for.
    const int along = wide ? width() : height();
    m_split->setSizes({along * 3 / 4, along / 4});
    show();
}

QAction* DiagramPanel::makeToggle(QWidget* window)
{
    auto* item = new QAction(QStringLiteral("Схема"), window);
    item->setObjectName(QStringLiteral("mnu_Diagram"));
    item->setCheckable(true);
    item->setShortcut(Qt::Key_F9);
    connect(item, &QAction::toggled, this, [this, window](bool on) {
        if (on)
            showBeside(window);
        else
            hide();
    });
    return item;
}
