#pragma once

#include "freeedit/mechanismtree.h"
#include "freeedit/nodeeditor.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class CompilerView;
class DiagramPanel;
class Dialogs;
class CompilerWindow;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class Session;

// The free-edit window: the mechanism as a tree whose values can be changed one by one.
// The shell closes the wizard window, makes this one and calls Form_Load().
class FreeEditWindow : public QWidget {
    Q_OBJECT
public:
    FreeEditWindow(Session& session, Dialogs& dialogs, QWidget* mainWindow, QWidget* parent = nullptr);
    ~FreeEditWindow() override;

    // Places the window under the main window, shows it and builds the tree afresh.
    void Form_Load();
    // Shown, not modal, then flush under the main window and as wide as its frame (a window's frame
    // is known only once it is on the screen).
    void placeBelowStrip();
    // Empties the tree and fills it from the records.
    void reloadTree();

    // The compiler window that shows the lines while the files are written. The shell may hand in
    // its own; without one the window makes one on the first save.
    void setCompilerView(CompilerView* view) { m_compilerView = view; }

    // What the last click found selected.
    QString SelText;
    QString SelKey;
    QString SelPath;
    qint16 SelIndex = 0;

    // Per node index from 1: "/n" for a structural node, empty for a value node.
    const QStringList& NodeMarks() const { return m_nodeMarks; }
    // The tree items in insertion order; item n - 1 has node index n.
    const QList<QTreeWidgetItem*>& nodeItems() const { return m_items; }

public slots:
    void tw_Main_Click();
    void tw_Main_DblClick();
    void cmd_Save_Click();
    void cmd_Exit_Click();
    // File -> print the mechanism's summary (the printer dialog first) or save it as PDF (the
    // file dialog first; a name without ".pdf" gets it).
    void mnu_PrintSummary_Click();
    void mnu_SaveSummaryPdf_Click();

private:
    CompilerView* compilerView();
    // Empties the tree and shows these nodes.
    void showNodes(QList<TreeNode> fresh);

signals:
    // The student left the mode and answered "yes": the shell opens the mode chooser.
    void chooserRequested();

private:
    Session& m_session;
    Dialogs& m_dialogs;
    QWidget* m_mainWindow;
    CompilerView* m_compilerView = nullptr;
    QPointer<CompilerWindow> m_ownCompiler;
    NodeEditor m_editor;
    DiagramPanel* m_diagramPanel = nullptr;

    QTreeWidget* tw_Main;
    QLabel* lbl_text1;
    QLabel* lbl_text2;
    QLabel* lbl_text3;
    QLabel* lbl_text4;
    QPushButton* cmd_Save;
    QPushButton* cmd_Exit;

    QStringList m_nodeMarks;
    QList<QTreeWidgetItem*> m_items;
    QList<TreeNode> m_shownNodes; // what the items show, edits included
};
