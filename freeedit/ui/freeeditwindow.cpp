#include "freeedit/ui/freeeditwindow.h"

#include "diagram/ui/diagrampanel.h"
#include "files/ui/compilerwindow.h"
#include "files/ui/savedfilesline.h"
#include "files/ui/screenfit.h"
#include "freeedit/freeeditcommands.h"
#include "freeedit/mechanismtree.h"
#include "model/dialogs.h"
#include "model/errors.h"
#include "model/session.h"
#include "report/mechanismsummary.h"

#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kDesignedHeight = 540;

QLabel* makeLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(QStringLiteral("Label1"), parent);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long path is cut at the window's edge rather than widening the window past the strip.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

} // namespace

FreeEditWindow::FreeEditWindow(Session& session, Dialogs& dialogs, QWidget* mainWindow, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
    , m_dialogs(dialogs)
    , m_mainWindow(mainWindow)
    , m_editor(session, dialogs)
{
    setObjectName(QStringLiteral("form_FreeLancerMode"));
    setWindowTitle(QStringLiteral("FreeLancer Mode [v 0.1.0f]"));
    resize(width(), kDesignedHeight);

    tw_Main = new QTreeWidget(this);
    tw_Main->setObjectName(QStringLiteral("tw_Main"));
    tw_Main->setHeaderHidden(true);
    tw_Main->setColumnCount(1);
    tw_Main->setSelectionMode(QAbstractItemView::SingleSelection);
    tw_Main->setExpandsOnDoubleClick(false); // a double-click edits; the arrows fold

    lbl_text1 = makeLabel("lbl_text1", this);
    lbl_text2 = makeLabel("lbl_text2", this);
    lbl_text3 = makeLabel("lbl_text3", this);
    lbl_text4 = makeLabel("lbl_text4", this);

    cmd_Save = new QPushButton(QStringLiteral("С О Х Р А Н И Т Ь"), this);
    cmd_Save->setObjectName(QStringLiteral("cmd_Save"));
    cmd_Exit = new QPushButton(QStringLiteral("В Ы Х О Д"), this);
    cmd_Exit->setObjectName(QStringLiteral("cmd_Exit"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmd_Save);
    buttons->addWidget(cmd_Exit);
    auto* layout = new QVBoxLayout(this);
    auto* menu = new QMenuBar(this);
    QMenu* file = menu->addMenu(QStringLiteral("Файл"));
    file->setObjectName(QStringLiteral("mnu_FreeEditFile"));
    QAction* print = file->addAction(QStringLiteral("Печать паспорта механизма..."));
    print->setObjectName(QStringLiteral("mnu_PrintSummary"));
    QAction* pdf = file->addAction(QStringLiteral("Сохранить паспорт в PDF..."));
    pdf->setObjectName(QStringLiteral("mnu_SaveSummaryPdf"));
    // The structure diagram in a tool window of its own, shown from the "Вид" menu.
    m_diagramPanel = new DiagramPanel(this);
    QMenu* view = menu->addMenu(QStringLiteral("Вид"));
    view->setObjectName(QStringLiteral("mnu_FreeEditView"));
    view->addAction(m_diagramPanel->makeToggle(this));
    layout->setMenuBar(menu);
    layout->addWidget(tw_Main, 1);
    for (QLabel* label : {lbl_text1, lbl_text2, lbl_text3, lbl_text4})
        layout->addWidget(label);
    layout->addLayout(buttons);
    layout->addWidget(new SavedFilesLine(m_session.SavedFiles, this));

    connect(tw_Main, &QTreeWidget::itemClicked, this, &FreeEditWindow::tw_Main_Click);
    connect(tw_Main, &QTreeWidget::itemDoubleClicked, this, &FreeEditWindow::tw_Main_DblClick);
    connect(cmd_Save, &QPushButton::clicked, this, &FreeEditWindow::cmd_Save_Click);
    connect(cmd_Exit, &QPushButton::clicked, this, &FreeEditWindow::cmd_Exit_Click);
    connect(print, &QAction::triggered, this, &FreeEditWindow::mnu_PrintSummary_Click);
    connect(pdf, &QAction::triggered, this, &FreeEditWindow::mnu_SaveSummaryPdf_Click);

    reloadTree();
}

FreeEditWindow::~FreeEditWindow() = default;

void FreeEditWindow::Form_Load()
{
    placeBelowStrip();
    // The window was made with the tree a moment ago; building the same tree again would double
    // the wait for a large mechanism.
    QList<TreeNode> nodes = buildMechanismTree(m_session);
    if (nodes != m_shownNodes)
        showNodes(std::move(nodes));
}

void FreeEditWindow::placeBelowStrip()
{
    show();
    if (m_mainWindow)
        placeUnderMainWindow(this, m_mainWindow);
}

void FreeEditWindow::reloadTree()
{
    showNodes(buildMechanismTree(m_session));
}

void FreeEditWindow::showNodes(QList<TreeNode> fresh)
{
    tw_Main->clear();
    m_items.clear();
    m_shownNodes = std::move(fresh);
    const QList<TreeNode>& nodes = m_shownNodes;
    m_nodeMarks = nodeMarks(nodes);
    m_diagramPanel->refresh(m_session);

    // The items are filled while they are still outside the tree and go in together at the end:
    // an item that is already in the tree tells the view of every row and every value it gets,
    // which for the largest mechanism costs more than all the rest of the work.
    QHash<QString, QTreeWidgetItem*> byKey;
    byKey.reserve(nodes.size());
    m_items.reserve(nodes.size());
    QList<QTreeWidgetItem*> roots;
    for (const TreeNode& node : nodes) {
        QTreeWidgetItem* parent = byKey.value(node.parentKey);
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem();
        if (!parent)
            roots.append(item);
        item->setText(0, node.text);
        item->setData(0, kKeyRole, node.key);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, node.checked ? Qt::Checked : Qt::Unchecked);
        byKey.insert(node.key, item);
        m_items.append(item);
    }
    tw_Main->addTopLevelItems(roots);
    // Expanded only once every child is in place, so the roots open over their whole section.
    for (qsizetype n = 0; n < nodes.size(); ++n)
        m_items[n]->setExpanded(nodes[n].expanded);
}

void FreeEditWindow::tw_Main_Click()
{
    for (qsizetype n = 0; n < m_items.size(); ++n) {
        QTreeWidgetItem* item = m_items[n];
        if (!item->isSelected())
            continue;
        QStringList path;
        for (QTreeWidgetItem* up = item; up; up = up->parent())
            path.prepend(up->text(0));
        SelText = item->text(0);
        SelKey = item->data(0, kKeyRole).toString();
        SelPath = path.join(QLatin1Char('\\'));
        SelIndex = qint16(n + 1);
        lbl_text1->setText(SelText);
        lbl_text2->setText(SelKey);
        lbl_text3->setText(SelPath);
        lbl_text4->setText(QString::number(SelIndex));
    }
}

void FreeEditWindow::tw_Main_DblClick()
{
    // The selection a double-click acts on is the one the click handler saw.
    tw_Main_Click();
    for (qsizetype n = 0; n < m_items.size(); ++n) {
        if (m_nodeMarks.value(n + 1) == kStructuralMark || !m_items[n]->isSelected())
            continue;
        m_editor.setQuestionPosition(QPoint(int(1.2 * x()), int(1.2 * y())));
        const auto text = m_editor.edit(SelKey);
        if (text && SelIndex >= 1 && SelIndex <= m_items.size()) {
            m_items[SelIndex - 1]->setText(0, *text);
            m_shownNodes[SelIndex - 1].text = *text;
            m_diagramPanel->refresh(m_session);
        }
        return;
    }
}

CompilerView* FreeEditWindow::compilerView()
{
    if (m_compilerView)
        return m_compilerView;
    // The written lines stay on screen after this window has gone.
    if (!m_ownCompiler)
        m_ownCompiler = m_mainWindow ? CompilerWindow::under(m_mainWindow) : new CompilerWindow(this);
    return m_ownCompiler;
}

void FreeEditWindow::cmd_Save_Click()
{
    saveFreeEdit(m_session, m_dialogs, compilerView());
}

void FreeEditWindow::cmd_Exit_Click()
{
    close();
    if (confirmFreeEditExit(m_session, m_dialogs))
        emit chooserRequested();
}

void FreeEditWindow::mnu_PrintSummary_Click()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Печать паспорта механизма"));
    if (dialog.exec() == QDialog::Accepted)
        printSummary(m_session, QString(), printer);
}

void FreeEditWindow::mnu_SaveSummaryPdf_Click()
{
    const FileChoice choice = m_dialogs.saveFile(QStringLiteral("Паспорт механизма (*.pdf)| *.pdf"));
    if (choice.cancelled())
        return;
    QString path = choice.fileName;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    if (!writeSummaryFile(m_session, QString(), path))
        ShowError(m_session, m_dialogs, kErrWriteFailed);
}
