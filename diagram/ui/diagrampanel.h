#pragma once

#include <QWidget>

class DiagramWidget;
class QAction;
class QListWidget;
class QSplitter;
class Session;

// The tool window beside a mechanism window: the structure diagram and the findings on the
// records. It only shows; it never asks or refuses.
class DiagramPanel : public QWidget {
    Q_OBJECT
public:
    explicit DiagramPanel(QWidget* owner);

    // The diagram and the findings afresh from the records; while the panel is hidden only noted,
    // and done when it is shown (the session must outlive the panel).
    void refresh(const Session& session);
    // Shown beside the window it belongs to where there is room (panelPlace), on its screen.
    void showBeside(const QWidget* window);
    // The checkable item "Схема" (F9) of that window that shows and hides the panel.
    QAction* makeToggle(QWidget* window);
    DiagramWidget* diagram() const { return m_diagram; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void rebuild();

    const Session* m_session = nullptr;
    bool m_stale = false;
    DiagramWidget* m_diagram;
    QListWidget* m_findings;
    QSplitter* m_split;
};
