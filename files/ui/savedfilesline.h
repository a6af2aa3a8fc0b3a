#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QPushButton;

// The line at the foot of a window that says where the last save put both files, with a button
// that opens the folder of each (one when they share a folder). Hidden until a save. It follows
// the session's SavedFiles on a timer of its own, since a save may come from the window's button,
// a key of the main window or the end of the wizard.
class SavedFilesLine : public QWidget {
    Q_OBJECT
public:
    // savedFiles: the analysis file, then the project file; it must outlive the line.
    SavedFilesLine(const QStringList& savedFiles, QWidget* parent);

private:
    void follow();

    const QStringList& m_saved;
    QStringList m_shown; // a save before this window was made is not shown in it
    QLabel* m_text = nullptr;
    QPushButton* m_openKvFolder = nullptr;
    QPushButton* m_openProjectFolder = nullptr;
};
