#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// BasePair, OtherPair, pairOnFrame, zvenoAt and frameName, which the tree's texts use, live with
// the records.
#include "model/recordaccess.h"

class Session;

// One node of the free-edit tree. Structural nodes (roots, pairs, links, groups, additional pairs,
// points, centres of mass) only hold other nodes; value nodes are the leaves the editor changes.
struct TreeNode {
    QString key;
    QString parentKey; // empty for the three roots
    QString text;
    bool structural = false;
    bool expanded = false;
    bool checked = false; // the tree shows check boxes; nothing sets them yet

    bool operator==(const TreeNode&) const = default;
};

// The node mark of a structural node; value nodes carry empty text.
inline const QString kStructuralMark = QStringLiteral("/n");

// The three sections of the tree, each starting with its root. Nodes come in insertion order: a
// structural node before its children, a sub-node's children before the next sub-node.
QList<TreeNode> Load_PARAS(const Session& session);
QList<TreeNode> Load_ZVENOS(const Session& session);
QList<TreeNode> Load_GROUPS(const Session& session);

// The whole tree: pairs, links, groups.
QList<TreeNode> buildMechanismTree(const Session& session);

// Marks by 1-based node index (entry 0 unused): "/n" for a structural node, empty for a value
// node. Sized to the tree, so a tree of any size the records allow is marked.
QStringList nodeMarks(const QList<TreeNode>& nodes);
