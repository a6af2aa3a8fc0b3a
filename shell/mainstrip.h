#pragma once

#include "model/windowgeometry.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QMenu;
class QTimer;
class Session;

// The main window: a thin strip at the top of the screen with the menu. The working window
// (wizard or free-edit, as WindowMode says) is kept flush under it by tmr_MoveWindow.
class MainStrip : public QMainWindow {
    Q_OBJECT
public:
    explicit MainStrip(Session& session, QWidget* parent = nullptr);
    ~MainStrip() override;

    // The windows that may follow; either may be none.
    void setWizardWindow(QWidget* window);
    // Where the wizard keeps the journals of descriptions (empty: none kept).
    void setJournalFolder(const QString& folder) { m_journalFolder = folder; }
    void setFreeEditWindow(QWidget* window);

    // One tick of the follow timer.
    void tmr_MoveWindow_Timer();
    // Puts a dialog just below the strip, in its middle, where the eye already is.
    void centreBelow(QWidget* dialog) const;

signals:
    void newMechanismRequested();
    void saveRequested();
    void exitRequested();
    void aboutRequested();
    // File -> "Открыть пример" -> a sample: the path of its project file.
    void sampleRequested(const QString& path);
    // File -> "Восстановить прерванное описание": the journal of the description to resume.
    void resumeRequested(const QString& journalPath);

protected:
    // Closing the strip is File -> "Выход".
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The strip's 810 twips are its outer height: what the title bar takes comes off the inside,
    // down to the menu bar.
    void fitStrip();
    // The sample projects of the data folder, read each time the submenu opens.
    void listSamples();
    // The resume item, shown only while an interrupted description waits in the journal folder.
    void offerResume();

    Session& m_session;
    QString m_journalFolder;
    QRect m_strip; // the outer frame the strip is given at start
    bool m_fitted = false;
    QAction* mnu_NewMechanism;
    QMenu* mnu_Samples;
    QAction* mnu_Resume;
    QString m_resumable;
    QAction* mnu_dash1;
    QAction* mnu_Save;
    QAction* mnu_slash10;
    QAction* mnu_Exit;
    QAction* mnu_About;
    QTimer* tmr_MoveWindow;
    FollowState m_follow;
    QPointer<QWidget> m_wizard;
    QPointer<QWidget> m_freeEdit;
};
