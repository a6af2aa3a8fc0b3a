#pragma once

#include "shell/shellactions.h"
#include "shell/shellcommands.h"

#include <QObject>
#include <QPointer>

class Dialogs;
class Session;
class QDialog;
class QWidget;
class FreeEditWindow;
class MainStrip;
class WizardWindow;
class CompilerWindow;

// The application: the main window and the windows it opens, one at a time, and the commands of
// its menu. It owns the main window; the working windows close themselves or are closed here.
class Shell : public QObject, private ShellActions {
    Q_OBJECT
public:
    Shell(Session& session, Dialogs& dialogs, QObject* parent = nullptr);
    ~Shell() override;

    MainStrip* mainWindow() const { return m_main; }
    WizardWindow* wizardWindow() const;
    FreeEditWindow* freeEditWindow() const;

    // Shows the main window, and nothing else.
    void start();
    // Started on a project file: the free-edit window on the records already read (readProjectFile).
    void showLoadedProject();

    // File -> "Открыть пример": the sample project at path in free-edit mode, read as a project named
    // on the command line is. Saving it writes into the project folders, never beside the sample.
    void openSample(const QString& path);
    // Where descriptions keep their journals, for the wizard and the resume item of the File menu.
    void setJournalFolder(const QString& folder);
    // File -> "Восстановить прерванное описание": the wizard window on the description of that
    // journal, replayed up to where it stopped.
    void resumeDescription(const QString& journalPath);
    // File -> "Новый механизм": the mode chooser, modal. Its picture opens the wizard window.
    void newMechanism();
    // The chooser's picture: the wizard window, which asks the opening question.
    void openWizard();
    // File -> "Сохранить".
    void save();
    // "О проге", modal.
    void about();
    // File -> "Выход" and closing the main window: every window closes and the program ends.
    void exitProgram();

signals:
    // The chooser is up (tests answer it from here); it is closed again when the call returns.
    void chooserShown(QDialog* chooser);

private:
    void startNewDescription() override;
    void layOutWizard() override;
    void closeWizard() override;
    void openChooser() override;
    void openFreeEdit() override;
    LoadResult loadProject(const QString& folder, const QString& fileName) override;
    CompilerView* compilerView() override;

    void closeFreeEdit();
    // The wizard window afresh (the one before closed), under the main window brought back,
    // journalling into the journal folder.
    WizardWindow* makeWizard();

    Session& m_session;
    Dialogs& m_dialogs;
    ShellCommands m_commands;
    MainStrip* m_main;
    QPointer<WizardWindow> m_wizard;
    QPointer<FreeEditWindow> m_freeEdit;
    QPointer<QDialog> m_chooser;
    QPointer<QDialog> m_about;
    QPointer<CompilerWindow> m_compiler;
    bool m_exiting = false;
    QString m_journalFolder;
};
