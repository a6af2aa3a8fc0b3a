#include "shell/shell.h"

#include "shell/aboutbox.h"
#include "files/ui/loaderwindow.h"
#include "files/ui/compilerwindow.h"
#include "freeedit/ui/freeeditwindow.h"
#include "shell/mainstrip.h"
#include "wizard/ui/wizardwindow.h"
#include "wizard/wizardengine.h"
#include "shell/modechooser.h"
#include "files/projectfile.h"
#include "model/errors.h"
#include "model/flags.h"
#include "model/session.h"
#include "shell/commandline.h"

#include <QApplication>
#include <QCoreApplication>

#include <memory>

namespace {

// Closes a window for good. The close may come from inside one of its own handlers, so the
// object goes at the next turn of the event loop.
void discard(QWidget* window)
{
    if (!window)
        return;
    window->close();
    window->deleteLater();
}

} // namespace

Shell::Shell(Session& session, Dialogs& dialogs, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_dialogs(dialogs)
    , m_commands(session, dialogs, *this)
    , m_main(new MainStrip(session))
{
    connect(m_main, &MainStrip::newMechanismRequested, this, &Shell::newMechanism);
    connect(m_main, &MainStrip::saveRequested, this, &Shell::save);
    connect(m_main, &MainStrip::aboutRequested, this, &Shell::about);
    connect(m_main, &MainStrip::exitRequested, this, &Shell::exitProgram);
    connect(m_main, &MainStrip::sampleRequested, this, &Shell::openSample);
    // Queued: the menu has closed before the replay may put a question of its own.
    connect(m_main, &MainStrip::resumeRequested, this, &Shell::resumeDescription, Qt::QueuedConnection);
}

Shell::~Shell()
{
    delete m_compiler;
    delete m_wizard;
    delete m_freeEdit;
    delete m_main;
}

WizardWindow* Shell::wizardWindow() const
{
    return m_wizard;
}

FreeEditWindow* Shell::freeEditWindow() const
{
    return m_freeEdit;
}

void Shell::start()
{
    m_main->show();
}

void Shell::showLoadedProject()
{
    // The records were read as the load command reads them (OutputReady set): free-edit takes over.
    openFreeEdit();
}

void Shell::openSample(const QString& path)
{
    if (m_chooser || m_exiting)
        return;
    // Read aside first: a sample that cannot be read leaves the mechanism in hand.
    auto sample = std::make_unique<Session>();
    if (readProjectAt(path, *sample) != ReadResult::Read) {
        ShowError(m_session, m_dialogs, kErrProjectDamaged);
        return;
    }
    closeWizard();
    closeFreeEdit();
    m_session.ResetMechanism();
    adoptProject(m_session, *sample);
    showLoadedProject();
}

void Shell::newMechanism()
{
    openChooser();
}

void Shell::openChooser()
{
    if (m_chooser || m_exiting)
        return;
    // On load: the working windows go, with everything they showed; nothing follows the strip.
    auto* chooser = new ModeChooser(m_session.DataFolder, m_main);
    closeWizard();
    closeFreeEdit();
    m_session.WindowMode = -1.0f;

    m_main->centreBelow(chooser);
    m_chooser = chooser;
    QMetaObject::invokeMethod(
        this,
        [this, shown = QPointer<QDialog>(chooser)] {
            if (shown && shown->isVisible())
                emit chooserShown(shown);
        },
        Qt::QueuedConnection);
    const bool chosen = chooser->exec() == QDialog::Accepted;
    delete m_chooser;
    if (chosen && !m_exiting)
        openWizard();
}

void Shell::openWizard()
{
    WizardWindow* wizard = makeWizard();
    const QPoint at(qRound(1.2 * wizard->x()), qRound(1.2 * wizard->y()));
    m_commands.openingQuestion(at);
}

WizardWindow* Shell::makeWizard()
{
    m_main->setWindowState(m_main->windowState() & ~Qt::WindowMinimized);
    m_main->show();
    m_main->raise();
    closeWizard();
    m_session.WindowMode = 1.0f;
    m_session.WizardState = 0;

    auto* wizard = new WizardWindow(m_session, m_dialogs, m_main);
    wizard->setAttribute(Qt::WA_DeleteOnClose);
    wizard->engine().setJournalFolder(m_journalFolder);
    // Queued: the wizard's button handler has finished before its window is closed.
    connect(wizard, &WizardWindow::freeEditRequested, this, &Shell::openFreeEdit, Qt::QueuedConnection);
    m_wizard = wizard;
    m_main->setWizardWindow(wizard);
    wizard->placeBelowStrip();
    return wizard;
}

void Shell::setJournalFolder(const QString& folder)
{
    m_journalFolder = folder;
    m_main->setJournalFolder(folder);
}

void Shell::resumeDescription(const QString& journalPath)
{
    if (m_chooser || m_exiting || journalPath.isEmpty())
        return;
    // Started again while the first run still describes it (the menu was opened before that).
    if (journalInUse(journalPath)) {
        m_dialogs.message(QStringLiteral("KVERTA Mode"),
                          QStringLiteral("Это описание сейчас ведётся в другом окне программы."),
                          MessageIcon::Information);
        return;
    }
    closeFreeEdit();
    // As the wizard window always opens: nothing written yet.
    m_session.OutputReady = kUnset;
    m_session.OutputSaved = kUnset;
    WizardWindow* wizard = makeWizard();
    if (!wizard->resume(journalPath)) {
        m_dialogs.message(QStringLiteral("KVERTA Mode"), QStringLiteral("Прерванное описание прочитать не удалось."),
                          MessageIcon::Information);
        closeWizard();
        return;
    }
    if (const qsizetype leftOut = wizard->engine().journal().leftOut(); leftOut > 0)
        m_dialogs.message(QStringLiteral("KVERTA Mode"),
                          QStringLiteral("Восстановлено не всё: последние шаги журнала (%1) не подошли к описанию, "
                                         "их нужно ввести заново.")
                              .arg(leftOut),
                          MessageIcon::Information);
}

void Shell::save()
{
    m_commands.saveOutput();
}

void Shell::about()
{
    if (m_about)
        return;
    auto* box = new AboutBox(m_session.DataFolder, m_main);
    m_main->centreBelow(box);
    m_about = box;
    box->exec();
    delete m_about;
}

void Shell::exitProgram()
{
    if (m_exiting)
        return;
    m_exiting = true;
    // The order the windows have always closed in.
    if (m_compiler)
        m_compiler->close();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<CompilerWindow*>(window))
            window->close();
    m_main->close();
    discard(m_wizard);
    if (m_chooser)
        m_chooser->reject();
    discard(m_freeEdit);
    if (m_about)
        m_about->reject();
    // Anything else still on the screen (a compiler or loader window) goes too.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isWindow() && window->isVisible())
            window->close();
    QCoreApplication::quit();
}

void Shell::startNewDescription()
{
    if (m_wizard)
        m_wizard->startNewDescription();
}

void Shell::layOutWizard()
{
    if (m_wizard)
        m_wizard->placeBelowStrip();
}

void Shell::closeWizard()
{
    discard(m_wizard);
    m_wizard = nullptr;
    m_main->setWizardWindow(nullptr);
}

void Shell::closeFreeEdit()
{
    discard(m_freeEdit);
    m_freeEdit = nullptr;
    m_main->setFreeEditWindow(nullptr);
}

void Shell::openFreeEdit()
{
    if (m_exiting)
        return;
    // The free-edit window takes over from the wizard window.
    closeWizard();
    closeFreeEdit();
    m_session.WindowMode = 2.0f;
    auto* freeEdit = new FreeEditWindow(m_session, m_dialogs, m_main);
    freeEdit->setAttribute(Qt::WA_DeleteOnClose);
    connect(freeEdit, &FreeEditWindow::chooserRequested, this, &Shell::openChooser, Qt::QueuedConnection);
    freeEdit->setCompilerView(compilerView());
    m_freeEdit = freeEdit;
    m_main->setFreeEditWindow(freeEdit);
    freeEdit->Form_Load(); // under the strip, shown, the tree built from the records
}

LoadResult Shell::loadProject(const QString& folder, const QString& fileName)
{
    return loadProjectWithWindow(m_session, m_dialogs, folder, fileName, m_main);
}

CompilerView* Shell::compilerView()
{
    // Made on first use; it stays up with the written lines until the student closes it.
    if (!m_compiler) {
        m_compiler = CompilerWindow::under(m_main);
        m_main->centreBelow(m_compiler);
    }
    return m_compiler;
}
