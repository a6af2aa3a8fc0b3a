#pragma once

#include <QPoint>
#include <QString>

#include <optional>

class Dialogs;
class Session;
struct ZVENO;

// Changes the one value behind a node of the free-edit tree: asks the question for it through the
// question dialog, stores the answer in the records and returns the node's new text. Nothing else
// is recomputed and no other node changes.
class NodeEditor {
public:
    NodeEditor(Session& session, Dialogs& dialogs);

    // Where the question dialog opens (the window passes 1.2 times its own position).
    void setQuestionPosition(QPoint at) { m_at = at; }

    // Edits the value behind the node with this key. Returns the node's new text, or nothing when
    // the key names no editable value (a structural node, an unmet condition, a link length of a
    // link that is not "rr", a direction of a link in no group).
    std::optional<QString> edit(const QString& key);

    // The indices cut out of the last key edited.
    QString EditPair;
    QString EditLink;
    QString EditGroup;
    qint16 EditSub = 0;

private:
    std::optional<QString> editPair(const QString& key);
    std::optional<QString> editLink(const QString& key);
    std::optional<QString> editGroup(const QString& key);
    std::optional<QString> editLinkDirection(qint16 link);

    // Asks until the answer is a number, stores it into the field and returns it.
    QString askNumber(const QString& question, QString& field);
    // A yes/no question: "6" stores "y", "7" stores "n", anything else leaves the field alone.
    void askYesNo(const QString& question, QString& field);

    Session& m_session;
    Dialogs& m_dialogs;
    QPoint m_at;
};
