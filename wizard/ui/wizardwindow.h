#pragma once

#include <QHash>
#include <QStringList>
#include <QWidget>

#include <functional>

class DiagramPanel;
class Dialogs;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class Session;
class WizardEngine;

// The wizard window. The shell makes it when the chooser's image is chosen, asks the opening
// question and, on "yes", calls startNewDescription(). The window only shows the engine's state
// and turns clicks and keys into calls on it.
class WizardWindow : public QWidget {
    Q_OBJECT
public:
    WizardWindow(Session& session, Dialogs& dialogs, QWidget* mainWindow, QWidget* parent = nullptr);
    ~WizardWindow() override;

    // The "yes" branch of the opening question: layout, empty mechanism, state 11, first prompt.
    void startNewDescription();

    WizardEngine& engine();

    // An interrupted description again, from its journal (the window placed and the tree built
    // first); false when the journal holds nothing to resume.
    bool resume(const QString& journalPath);

    // Shown, then flush under the main window and as wide as its frame (a window's frame is known
    // only once it is on the screen).
    void placeBelowStrip();
    // The stage tree afresh: 17 nodes, no marks.
    void BuildStageTree();
    // The marks (and expansions) of the current state.
    void MarkStageTree();
    // The stage picture for a picture code; a missing file leaves the image empty.
    void ShowStagePicture(qint16 code);
    // The state for which the marks and picture were last set.
    qint16 ShownState() const;
    // After a replay: the tree and the picture as the refresh timer leaves them when it has seen
    // the prompt of every step replayed (the tree's expansions and the last picture loaded on the
    // way), shown before the first question the student is asked.
    void showReplayedPath();

signals:
    // The free-edit button was pressed after the description was saved.
    void freeEditRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void buildControls();
    void showEngine();
    void showAdvice();
    void refreshTick();
    void handOverAnswer();
    void connectCommand(QPushButton* button, const std::function<void()>& command);
    // The context menu of a protocol line: back to just before the answer that wrote it.
    void offerReturn(const QPoint& at);

    Session& m_session;
    Dialogs& m_dialogs;
    QWidget* m_mainWindow;
    WizardEngine* m_engine = nullptr;

    QLabel* m_question = nullptr;
    QLineEdit* m_answer = nullptr;
    QLabel* m_advice = nullptr;
    QPushButton* m_return = nullptr;
    QPushButton* m_endStage = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_prev = nullptr;
    QPushButton* m_freeLancer = nullptr;
    QListWidget* m_input = nullptr;
    QListWidget* m_list1 = nullptr;
    QListWidget* m_list2 = nullptr;
    QLabel* m_update = nullptr;
    QTreeWidget* m_tree = nullptr;
    QLabel* m_help = nullptr;
    QLabel* m_journalProblem = nullptr;
    QTimer* m_refresh = nullptr;
    DiagramPanel* m_diagramPanel = nullptr;
    QMenu* m_backMenu = nullptr;
    QList<QAction*> m_stageItems; // mnu_Stage(1..9)
    QHash<QString, QTreeWidgetItem*> m_nodes;

    qint16 m_shownState = 0;
    int m_focusRequests = 0;
    QStringList m_shownInput;
    QStringList m_shownPairs;
    QStringList m_shownLinks;
};
