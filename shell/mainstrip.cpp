#include "shell/mainstrip.h"

#include "model/session.h"
#include "wizard/journal.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

namespace {

QAction* item(QMenu* menu, const char* name, const QString& text, const QKeySequence& shortcut)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    // The student types in the window under the strip, not in the strip itself: the File keys
    // work from every window of the program (a modal dialog still holds them back).
    action->setShortcutContext(Qt::ApplicationShortcut);
    return action;
}

// How far below the strip a dialog of the strip opens.
constexpr int kDialogGap = 40;

QAction* separator(QMenu* menu, const char* name)
{
    QAction* action = menu->addSeparator();
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

MainStrip::MainStrip(Session& session, QWidget* parent)
    : QMainWindow(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("form_MainWindow"));
    setWindowTitle(QStringLiteral("Zuvrack [v 0.1.0f]"));

    QMenu* file = menuBar()->addMenu(QStringLiteral("(&F) Файл"));
    file->setObjectName(QStringLiteral("mnu_File"));
    mnu_NewMechanism = item(file, "mnu_NewMechanism", QStringLiteral("Новый механизм"), QKeySequence(Qt::CTRL | Qt::Key_F2));
    mnu_Samples = file->addMenu(QStringLiteral("Открыть пример"));
    mnu_Samples->setObjectName(QStringLiteral("mnu_Samples"));
    mnu_Samples->menuAction()->setObjectName(QStringLiteral("mnu_OpenSample"));
    connect(mnu_Samples, &QMenu::aboutToShow, this, &MainStrip::listSamples);
    mnu_Resume = item(file, "mnu_Resume", QStringLiteral("Восстановить прерванное описание"), QKeySequence());
    mnu_Resume->setVisible(false);
    file->setToolTipsVisible(true);
    connect(file, &QMenu::aboutToShow, this, &MainStrip::offerResume);
    connect(mnu_Resume, &QAction::triggered, this, [this] { emit resumeRequested(m_resumable); });
    mnu_dash1 = separator(file, "mnu_dash1");
    mnu_Save = item(file, "mnu_Save", QStringLiteral("Сохранить"), QKeySequence(Qt::CTRL | Qt::Key_F3));
    mnu_slash10 = separator(file, "mnu_slash10");
    mnu_Exit = item(file, "mnu_Exit", QStringLiteral("Выход"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    mnu_About = menuBar()->addAction(QStringLiteral("О проге"));
    mnu_About->setObjectName(QStringLiteral("mnu_About"));

    connect(mnu_NewMechanism, &QAction::triggered, this, &MainStrip::newMechanismRequested);
    connect(mnu_Save, &QAction::triggered, this, &MainStrip::saveRequested);
    connect(mnu_Exit, &QAction::triggered, this, &MainStrip::exitRequested);
    connect(mnu_About, &QAction::triggered, this, &MainStrip::aboutRequested);

    // The strip: centred across the screen, a little below its top edge.
    // Kept off the panels: on a screen they crowd, the menu still shows whole.
    const QScreen* screen = QGuiApplication::primaryScreen();
    m_strip = screen ? stripInRoom(screen->geometry(), screen->availableGeometry()) : stripGeometry(QRect(0, 0, 1024, 768));
    setCentralWidget(new QWidget(this));
    resize(m_strip.width(), qMax(m_strip.height(), menuBar()->sizeHint().height()));
    move(m_strip.topLeft());

    tmr_MoveWindow = new QTimer(this);
    tmr_MoveWindow->setObjectName(QStringLiteral("tmr_MoveWindow"));
    tmr_MoveWindow->setInterval(100);
    connect(tmr_MoveWindow, &QTimer::timeout, this, &MainStrip::tmr_MoveWindow_Timer);
    tmr_MoveWindow->start();
}

void MainStrip::listSamples()
{
    mnu_Samples->clear();
    const QDir samples(m_session.DataFolder + QStringLiteral("/samples"));
    const QFileInfoList files = samples.entryInfoList({QStringLiteral("*.zvr")}, QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        const QString path = file.filePath();
        connect(mnu_Samples->addAction(file.completeBaseName()), &QAction::triggered, this,
                [this, path] { emit sampleRequested(path); });
    }
    if (files.isEmpty())
        mnu_Samples->addAction(QStringLiteral("(примеров нет)"))->setEnabled(false);
}

void MainStrip::offerResume()
{
    const std::optional<InterruptedJournal> found = findInterruptedJournal(m_journalFolder);
    m_resumable = found ? found->path : QString();
    mnu_Resume->setVisible(found.has_value());
    if (!found)
        return;
    // When it stopped in the shortcut column, and where, in the tip.
    mnu_Resume->setText(QStringLiteral("Восстановить прерванное описание\t") +
                        QLocale().toString(found->modified, QStringLiteral("dd.MM HH:mm")));
    mnu_Resume->setToolTip(QStringLiteral("Остановлено на: «%1» (ответов: %2)").arg(found->lastPrompt).arg(found->steps));
}

MainStrip::~MainStrip() = default;

void MainStrip::setWizardWindow(QWidget* window)
{
    m_wizard = window;
}

void MainStrip::setFreeEditWindow(QWidget* window)
{
    m_freeEdit = window;
}

void MainStrip::tmr_MoveWindow_Timer()
{
    QWidget* follower = nullptr;
    switch (followerFor(m_session.WindowMode)) {
    case Follower::Wizard: follower = m_wizard; break;
    case Follower::FreeEdit: follower = m_freeEdit; break;
    case Follower::None: return;
    }
    // No window to move yet: keep the old edges, so the one that comes is placed at the first tick.
    if (!follower)
        return;
    // Under the strip, but never past the screen's bottom: a window lifted to fit stays where it is.
    if (auto to = followStep(m_follow, frameGeometry())) {
        to->setY(keepOnScreen(*to, follower->frameGeometry().size(), screen()->availableGeometry()).y());
        follower->move(*to);
    }
}

void MainStrip::centreBelow(QWidget* dialog) const
{
    const QRect strip = frameGeometry();
    const QPoint to(strip.center().x() - dialog->width() / 2, strip.bottom() + 1 + kDialogGap);
    // A tall window is pulled up rather than hang off the bottom of the screen, and one taller
    // than the screen is made shorter, as far as its contents let it.
    const QRect fitted = fitInRoom(QRect(to, dialog->size()), dialog->minimumSizeHint().expandedTo(dialog->minimumSize()),
                                   screen()->availableGeometry());
    if (fitted.size() != dialog->size())
        dialog->resize(fitted.size());
    dialog->move(fitted.topLeft());
}

void MainStrip::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The frame is known only once the window is on the screen; after that the size is the user's.
    if (!m_fitted) {
        m_fitted = true;
        fitStrip();
        QTimer::singleShot(0, this, &MainStrip::fitStrip);
    }
}

void MainStrip::fitStrip()
{
    const QSize decoration = frameGeometry().size() - size();
    const int inner = qMax(menuBar()->sizeHint().height(), m_strip.height() - decoration.height());
    resize(qMax(1, m_strip.width() - decoration.width()), inner);
}

void MainStrip::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit exitRequested();
}
