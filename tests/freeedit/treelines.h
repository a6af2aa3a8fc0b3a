#pragma once

#include "freeedit/mechanismtree.h"

#include <QStringList>

// One line per node: two blanks per level, the key, a mark (+ open structural, * closed one, = value,
// ? anything else), the text. A node whose parent is not on the path above it lands at level 0.
inline QStringList treeLines(const QList<TreeNode>& nodes)
{
    QStringList lines, path; // path: the keys from a root down to the last node
    for (const TreeNode& n : nodes) {
        const qsizetype level = path.indexOf(n.parentKey) + 1;
        path = path.mid(0, level) << n.key;
        const QLatin1Char mark(n.checked ? '?' : "=?*+"[n.structural * 2 + n.expanded]);
        lines << QString(2 * level, QLatin1Char(' ')) + n.key + QLatin1Char(' ') + mark + n.text;
    }
    return lines;
}

// The lines of after that differ from before, trimmed; a line missing from after is "(none)".
inline QStringList changedLines(const QStringList& before, const QStringList& after)
{
    QStringList changed;
    const QString none = QStringLiteral("(none)");
    for (qsizetype n = 0; n < qMax(before.size(), after.size()); ++n)
        if (after.value(n, none) != before.value(n, none))
            changed << after.value(n, none).trimmed();
    return changed;
}
