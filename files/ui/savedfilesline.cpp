#include "files/ui/savedfilesline.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

namespace {

QString folderOf(const QString& file)
{
    return QFileInfo(file).absolutePath();
}

QPushButton* folderButton(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus); // Enter stays with the answer box
    return b;
}

} // namespace

SavedFilesLine::SavedFilesLine(const QStringList& savedFiles, QWidget* parent)
    : QWidget(parent)
    , m_saved(savedFiles)
    , m_shown(savedFiles)
{
    setObjectName(QStringLiteral("sb_SavedFiles"));
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("lbl_SavedFiles"));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long path is cut at the window's edge instead of widening the window; the tip has it all.
    m_text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_openKvFolder = folderButton(this, "btn_OpenKvFolder", QStringLiteral("Открыть папку"));
    m_openProjectFolder = folderButton(this, "btn_OpenProjectFolder", QStringLiteral("Папка проекта"));
    connect(m_openKvFolder, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(folderOf(m_shown.value(0)))); });
    connect(m_openProjectFolder, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(folderOf(m_shown.value(1)))); });

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_text, 1);
    row->addWidget(m_openKvFolder);
    row->addWidget(m_openProjectFolder);
    hide();

    auto* timer = new QTimer(this);
    timer->setInterval(300);
    connect(timer, &QTimer::timeout, this, &SavedFilesLine::follow);
    timer->start();
}

void SavedFilesLine::follow()
{
    if (m_saved == m_shown || m_saved.size() < 2)
        return;
    m_shown = m_saved;
    const QString text = QStringLiteral("Сохранено: %1, проект %2").arg(m_shown[0], m_shown[1]);
    m_text->setText(text);
    m_text->setToolTip(text);
    m_openKvFolder->setToolTip(folderOf(m_shown[0]));
    m_openProjectFolder->setToolTip(folderOf(m_shown[1]));
    m_openProjectFolder->setVisible(folderOf(m_shown[0]) != folderOf(m_shown[1]));
    show();
}
