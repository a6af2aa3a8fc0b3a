#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The stage tree, the prompts and the stage pictures of the wizard, as plain data so that the
// window only copies them and tests read them without a display.

// One node of the stage tree; parent is empty for a root node.
struct StageNode {
    QString key;
    QString parent;
    QString text;
};

// The 17 nodes in the order they are added (their positions are 1..17).
const QList<StageNode>& stageTree();

// What MarkStageTree does for a state: every mark is cleared, then these nodes are checked and
// these are expanded (expansion is only ever set, never taken back).
struct StageMarks {
    QStringList checked;
    QStringList expanded;
};
StageMarks stageMarks(qint16 state);

// The prompt of a state; w is the current degrees of freedom (shown in state 3).
QString StatePrompt(qint16 state, qint16 w);

// What ShowStagePicture does with a picture code.
struct StagePicture {
    enum Action { Nothing, Keep, Load };
    Action action = Nothing;
    QString file; // below the data folder, for Load: "Bitmaps/stage-01-.gif"
};
StagePicture stagePicture(qint16 code);
