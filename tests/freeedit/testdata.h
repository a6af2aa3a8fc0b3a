#pragma once

#include "freeedit/mechanismtree.h"
#include "model/session.h"

#include <QStringList>

// Hand-written data in tests/freeedit/data. A section starts with "== title"; "#" lines are notes.
struct Section {
    QString title;
    QStringList lines;
};
QList<Section> dataSections(const QString& file);

// A mechanism from data/mechanisms.txt: "name; more lines; ..." (the lines of its section, then the
// extra ones, on a new description).
Session mechanism(const QString& description);

// One line per node: two blanks per level, the key, a mark (+ open structural, * closed one, = value,
// ? anything else), the text. A node whose parent is not on the path above it lands at level 0.
QStringList treeLines(const QList<TreeNode>& nodes);

// The lines of after that differ from before, trimmed; a line missing from after is "(none)".
QStringList changedLines(const QStringList& before, const QStringList& after);
