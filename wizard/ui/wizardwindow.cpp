#include "wizard/ui/wizardwindow.h"

#include "advisor/advisor.h"
#include "diagram/ui/diagrampanel.h"
#include "files/ui/compilerwindow.h"
#include "files/ui/savedfilesline.h"
#include "files/ui/screenfit.h"
#include "model/session.h"
#include "wizard/stagetree.h"
#include "wizard/wizardengine.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QString& tip)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

QListWidget* list(QWidget* parent, const char* name)
{
    auto* l = new QListWidget(parent);
    l->setObjectName(QLatin1String(name));
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    return l;
}

// Replaces a list's lines only when they changed, so the view keeps its place otherwise.
void setLines(QListWidget* view, QStringList& shown, const QStringList& lines)
{
    if (shown == lines)
        return;
    if (lines.size() >= shown.size() && lines.mid(0, shown.size()) == shown) {
        view->addItems(lines.mid(shown.size()));
    } else {
        view->clear();
        view->addItems(lines);
    }
    shown = lines;
}

} // namespace

WizardWindow::WizardWindow(Session& session, Dialogs& dialogs, QWidget* mainWindow, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
    , m_dialogs(dialogs)
    , m_mainWindow(mainWindow)
    , m_engine(new WizardEngine(session, dialogs, this))
{
    setObjectName(QStringLiteral("form_MainWindow_Di"));
    setWindowTitle(QStringLiteral("Zuvrack: KVERTA mode [v 0.1.1a]"));
    buildControls();
    BuildStageTree();
    // The compiler window that shows the file written at the end of the description; it stays
    // up with the written lines when free-edit takes over from this window.
    m_engine->setCompilerView(mainWindow ? CompilerWindow::under(mainWindow) : new CompilerWindow(this));

    connect(m_engine, &WizardEngine::changed, this, &WizardWindow::showEngine);
    connect(m_engine, &WizardEngine::freeEditRequested, this, &WizardWindow::freeEditRequested);
    connect(m_engine, &WizardEngine::replayCaughtUp, this, &WizardWindow::showReplayedPath);
    connect(m_answer, &QLineEdit::textEdited, m_engine, &WizardEngine::setAnswerText);
    // The advice follows every change of the answer box, typed or set by the engine.
    connect(m_answer, &QLineEdit::textChanged, this, &WizardWindow::showAdvice);
    connectCommand(m_return, [this] { m_engine->Work(); });
    connectCommand(m_endStage, [this] { m_engine->EndStage(); });
    connectCommand(m_back, [this] { m_engine->Undo(); });
    connectCommand(m_prev, [this] { m_engine->StageReturn(); });
    connectCommand(m_freeLancer, [this] { m_engine->FreeLancerMode(); });

    m_refresh = new QTimer(this);
    m_refresh->setObjectName(QStringLiteral("tmr_ListInputSCROLL"));
    m_refresh->setInterval(400);
    connect(m_refresh, &QTimer::timeout, this, &WizardWindow::refreshTick);
    m_refresh->start();
    showEngine();
}

// Every button hands the typed answer over before its command runs.
// (A lambda per command, not a member-function pointer: a call through one inside the slot was
// reported as a stack read under AddressSanitizer with GCC 12.)
void WizardWindow::connectCommand(QPushButton* button, const std::function<void()>& command)
{
    connect(button, &QPushButton::clicked, this, [this, command] {
        handOverAnswer();
        m_engine->runCommand(command);
    });
}

bool WizardWindow::resume(const QString& journalPath)
{
    placeBelowStrip();
    BuildStageTree();
    bool resumed = false;
    m_engine->runCommand([&] { resumed = m_engine->resume(journalPath) || resumed; });
    return resumed;
}

void WizardWindow::offerReturn(const QPoint& at)
{
    const QListWidgetItem* line = m_input->itemAt(at);
    const qsizetype step = line ? m_engine->stepOfLine(m_input->row(line)) : -1;
    if (step < 0)
        return;
    QMenu menu(this);
    QAction* back = menu.addAction(QStringLiteral("Вернуться к этому ответу"));
    back->setObjectName(QStringLiteral("mnu_ReturnToAnswer"));
    back->setToolTip(QStringLiteral("Описание повторится до этого ответа, и его можно будет дать заново"));
    if (menu.exec(m_input->viewport()->mapToGlobal(at)) == back)
        m_engine->runCommand([this, step] { m_engine->returnToStep(step); });
}

WizardWindow::~WizardWindow() = default;

WizardEngine& WizardWindow::engine()
{
    return *m_engine;
}

qint16 WizardWindow::ShownState() const
{
    return m_shownState;
}

void WizardWindow::buildControls()
{
    auto* root = new QVBoxLayout(this);

    // The diagram is a tool window of its own, so no control of this window moves; the item in
    // the window's context menu (or F9) shows and hides it.
    m_diagramPanel = new DiagramPanel(this);
    addAction(m_diagramPanel->makeToggle(this));
    setContextMenuPolicy(Qt::ActionsContextMenu);

    // The return menu: hidden and disabled; the wizard only enables its items as stages end.
    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    m_backMenu = menuBar->addMenu(QStringLiteral("Список возврата"));
    m_backMenu->setObjectName(QStringLiteral("mnu_BACK_MAIN"));
    const char* captions[] = {"Этап 1.1", "Этап 1.2", "Этап 1.3", "Этап 1.4", "Этап 1.5",
                              "Этап 1.6", "Этап 1.7", "Этап 1.8", "Этап 2.1"};
    for (int i = 0; i < 9; ++i) {
        QAction* item = m_backMenu->addAction(QString::fromUtf8(captions[i]));
        item->setObjectName(QStringLiteral("mnu_Stage(%1)").arg(i + 1));
        item->setEnabled(false);
        m_stageItems << item;
    }
    m_backMenu->menuAction()->setVisible(false);
    m_backMenu->menuAction()->setEnabled(false);
    menuBar->setVisible(false);
    root->setMenuBar(menuBar);

    auto* columns = new QHBoxLayout;
    root->addLayout(columns, 1);

    auto* progress = new QGroupBox(QStringLiteral("Прогресс"), this);
    progress->setObjectName(QStringLiteral("frm_Progress"));
    auto* progressLayout = new QVBoxLayout(progress);
    m_tree = new QTreeWidget(progress);
    m_tree->setObjectName(QStringLiteral("tw_Prog"));
    m_tree->setHeaderHidden(true);
    // Long stage names scroll sideways instead of being cut off.
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    m_tree->setMinimumWidth(200);
    progressLayout->addWidget(m_tree);
    columns->addWidget(progress, 3);

    auto* centre = new QVBoxLayout;
    columns->addLayout(centre, 4);
    m_question = new QLabel(this);
    m_question->setObjectName(QStringLiteral("lbl_Question"));
    m_question->setWordWrap(true);
    m_question->setMinimumHeight(80);
    m_question->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    centre->addWidget(m_question);
    auto* answerRow = new QHBoxLayout;
    m_answer = new QLineEdit(this);
    m_answer->setObjectName(QStringLiteral("txt_Answer"));
    m_answer->installEventFilter(this);
    m_return = button(this, "btn_Return", QStringLiteral("Ввод"), QStringLiteral("Ввести данные"));
    m_return->setDefault(true);
    answerRow->addWidget(m_answer, 1);
    answerRow->addWidget(m_return);
    centre->addLayout(answerRow);
    // One muted line of advice under the answer box, in three lines of room kept for it, so that
    // nothing under it moves.
    m_advice = new QLabel(this);
    m_advice->setObjectName(QStringLiteral("lbl_Advice"));
    m_advice->setWordWrap(true);
    m_advice->setForegroundRole(QPalette::PlaceholderText);
    m_advice->setFixedHeight(3 * m_advice->fontMetrics().lineSpacing());
    m_advice->installEventFilter(this); // cut again to its new width
    m_advice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    centre->addWidget(m_advice);
    // The commands stacked, so the window fits under the main strip.
    auto* commands = new QVBoxLayout;
    m_endStage = button(this, "btn_EndStage", QStringLiteral("ЗАВЕРШИТЬ ЭТАП"),
                        QStringLiteral("Завершить ввод данных этапа"));
    m_back = button(this, "btn_BCK", QStringLiteral("ШАГ НАЗАД"),
                    QStringLiteral("Отменить последнее действие (если возможно)"));
    m_prev = button(this, "btn_PREV", QStringLiteral("ЭТАП НАЗАД"), QStringLiteral("Вернуться на близжайший этап"));
    commands->addWidget(m_endStage);
    commands->addWidget(m_back);
    commands->addWidget(m_prev);
    m_freeLancer = button(this, "btn_FreeLancerMode", QStringLiteral("Режим свободного редактирования"), QString());
    commands->addWidget(m_freeLancer);
    centre->addLayout(commands);
    auto* inputFrame = new QGroupBox(QStringLiteral("Ввод"), this);
    inputFrame->setObjectName(QStringLiteral("frm_Input"));
    auto* inputLayout = new QVBoxLayout(inputFrame);
    m_input = list(inputFrame, "lst_Input");
    // Any answer of the protocol can be given again: the description is replayed up to it.
    m_input->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_input, &QWidget::customContextMenuRequested, this, &WizardWindow::offerReturn);
    inputLayout->addWidget(m_input);
    centre->addWidget(inputFrame, 1);

    auto* info = new QGroupBox(QStringLiteral("Дополнительная информация"), this);
    info->setObjectName(QStringLiteral("frm_Info"));
    auto* infoLayout = new QVBoxLayout(info);
    m_help = new QLabel(info);
    m_help->setObjectName(QStringLiteral("img_Help"));
    m_help->setFixedSize(320, 220);
    m_help->setAlignment(Qt::AlignCenter);
    infoLayout->addWidget(m_help, 0, Qt::AlignHCenter);
    auto* headings = new QHBoxLayout;
    auto* pairsHeading = new QLabel(QStringLiteral("Текущая информация: пары"), info);
    pairsHeading->setObjectName(QStringLiteral("lbl_Pairs"));
    m_update = new QLabel(QStringLiteral("UPDATE"), info);
    m_update->setObjectName(QStringLiteral("lbl_Update"));
    m_update->setCursor(Qt::PointingHandCursor);
    m_update->installEventFilter(this);
    headings->addWidget(pairsHeading, 1);
    headings->addWidget(m_update);
    infoLayout->addLayout(headings);
    m_list1 = list(info, "List1");
    infoLayout->addWidget(m_list1, 1);
    auto* linksHeading = new QLabel(QStringLiteral("Текущая информация: звенья"), info);
    linksHeading->setObjectName(QStringLiteral("lbl_Links"));
    infoLayout->addWidget(linksHeading);
    m_list2 = list(info, "List2");
    infoLayout->addWidget(m_list2, 1);
    columns->addWidget(info, 3);
    // Where the save at the end put both files.
    root->addWidget(new SavedFilesLine(m_session.SavedFiles, this));
    // Said only when the journal of answers cannot be written (a folder that takes no files).
    m_journalProblem = new QLabel(QStringLiteral("Журнал ответов не записывается: папка недоступна для записи, "
                                                 "после сбоя описание не восстановить."),
                                  this);
    m_journalProblem->setObjectName(QStringLiteral("lbl_JournalProblem"));
    m_journalProblem->setWordWrap(true);
    m_journalProblem->hide();
    root->addWidget(m_journalProblem);

    resize(847, 600);
}

void WizardWindow::startNewDescription()
{
    placeBelowStrip();
    m_engine->startNewDescription();
    BuildStageTree();
}

void WizardWindow::placeBelowStrip()
{
    show();
    if (m_mainWindow)
        placeUnderMainWindow(this, m_mainWindow);
    m_engine->setWindowOrigin(pos());
}

void WizardWindow::BuildStageTree()
{
    m_tree->clear();
    m_nodes.clear();
    for (const StageNode& node : stageTree()) {
        QTreeWidgetItem* parent = m_nodes.value(node.parent);
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
        item->setText(0, node.text);
        item->setToolTip(0, node.text); // the whole name, also where the column is narrow
        item->setData(0, Qt::UserRole, node.key);
        item->setFlags(Qt::ItemIsEnabled);
        item->setCheckState(0, Qt::Unchecked);
        m_nodes.insert(node.key, item);
    }
}

void WizardWindow::MarkStageTree()
{
    for (QTreeWidgetItem* item : std::as_const(m_nodes))
        if (item->checkState(0) != Qt::Unchecked)
            item->setCheckState(0, Qt::Unchecked);
    const StageMarks marks = stageMarks(m_session.WizardState);
    for (const QString& key : marks.checked)
        if (QTreeWidgetItem* item = m_nodes.value(key))
            item->setCheckState(0, Qt::Checked);
    for (const QString& key : marks.expanded)
        if (QTreeWidgetItem* item = m_nodes.value(key))
            item->setExpanded(true);
}

void WizardWindow::ShowStagePicture(qint16 code)
{
    const StagePicture picture = stagePicture(code);
    if (picture.action == StagePicture::Nothing)
        return;
    if (picture.action == StagePicture::Keep) {
        m_help->update();
        return;
    }
    const QPixmap image(QDir(m_session.DataFolder).filePath(picture.file));
    if (image.isNull()) {
        m_help->clear();
        return;
    }
    m_help->setPixmap(screenPicture(image, m_help->size(), m_help->devicePixelRatioF()));
}

void WizardWindow::showReplayedPath()
{
    // What the ticks on the way would have left: the tree opened, the last picture loaded.
    qint16 picture = 0;
    for (const JournalEntry& step : m_engine->journal().steps()) {
        for (const QString& key : stageMarks(step.state).expanded)
            if (QTreeWidgetItem* item = m_nodes.value(key))
                item->setExpanded(true);
        if (stagePicture(step.state).action == StagePicture::Load)
            picture = step.state;
    }
    if (picture)
        ShowStagePicture(picture);
    else
        m_help->clear();
    // Then the tick of the state reached, as if it were new.
    m_shownState = -1;
    refreshTick();
}

void WizardWindow::refreshTick()
{
    if (m_input->count() > 0)
        m_input->setCurrentRow(m_input->count() - 1);
    if (m_shownState != m_session.WizardState) {
        m_shownState = m_session.WizardState;
        MarkStageTree();
        if (m_session.WizardState != 110)
            ShowStagePicture(m_session.WizardState);
    }
}

void WizardWindow::showEngine()
{
    const WizardDisplay& d = m_engine->display();
    m_journalProblem->setVisible(m_engine->journal().failing());
    m_diagramPanel->refresh(m_session);
    m_question->setText(d.prompt);
    if (m_answer->text() != d.answerText)
        m_answer->setText(d.answerText);
    setLines(m_input, m_shownInput, d.input);
    setLines(m_list1, m_shownPairs, d.pairs);
    setLines(m_list2, m_shownLinks, d.links);
    m_back->setEnabled(d.backEnabled);
    m_endStage->setEnabled(d.endStageEnabled);
    m_prev->setEnabled(d.prevEnabled);
    for (int i = 0; i < m_stageItems.size(); ++i)
        m_stageItems[i]->setEnabled(d.stageItemEnabled[i + 1]);
    m_backMenu->menuAction()->setVisible(d.returnMenuVisible);
    m_backMenu->menuAction()->setEnabled(d.returnMenuEnabled);
    if (d.focusRequests != m_focusRequests) {
        m_focusRequests = d.focusRequests;
        m_answer->setFocus();
    }
    showAdvice();
}

// After every answer, undo and stage return as after every keystroke. A line longer than its room
// is cut short; the whole of it is in its tip and in the diagram panel's findings.
void WizardWindow::showAdvice()
{
    const QString line = adviceLine(m_session, m_session.WizardState, m_answer->text());
    const int room = 3 * m_advice->width() * 9 / 10; // wrapping at words wastes part of each line
    m_advice->setText(m_advice->fontMetrics().elidedText(line, Qt::ElideRight, room));
    m_advice->setToolTip(line);
}

void WizardWindow::handOverAnswer()
{
    m_engine->setWindowOrigin(pos());
    m_engine->setAnswerText(m_answer->text());
}

bool WizardWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_answer && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
            // Shift+Enter ends the stage even while the button is disabled.
            if (modifiers == Qt::ShiftModifier) {
                handOverAnswer();
                m_engine->runCommand([this] { m_engine->EndStage(); });
                return true;
            }
            if (modifiers == Qt::NoModifier) {
                m_return->click();
                return true;
            }
        }
    }
    if (watched == m_advice && event->type() == QEvent::Resize)
        showAdvice();
    if (watched == m_update && event->type() == QEvent::MouseButtonRelease) {
        m_engine->refreshPairs();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void WizardWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    m_engine->setWindowOrigin(pos());
}
