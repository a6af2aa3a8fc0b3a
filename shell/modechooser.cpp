#include "shell/modechooser.h"

#include "model/windowgeometry.h"

#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QVBoxLayout>

ChooserImage::ChooserImage(QWidget* parent)
    : QLabel(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignCenter);
}

void ChooserImage::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit chosen();
    else
        QLabel::mouseReleaseEvent(event);
}

void ChooserImage::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            emit chosen();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void ChooserImage::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // Show where the keyboard is, as a button would.
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void ModeChooser::setUp(QDialog* dialog, const char* name, const QString& title)
{
    dialog->setObjectName(QLatin1String(name));
    dialog->setWindowTitle(title);
    dialog->setModal(true);
}

void ModeChooser::showIcon(QLabel* picture, const char* name, const QString& dataFolder)
{
    picture->setObjectName(QLatin1String(name));
    const int side = twipsToPixels(855);
    picture->setFixedSize(side, side);
    const QPixmap icon(iconPath(dataFolder));
    if (!icon.isNull())
        picture->setPixmap(icon.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

ModeChooser::ModeChooser(const QString& dataFolder, QWidget* parent)
    : QDialog(parent, kDialogFlags)
{
    setUp(this, "form_NewFile", QStringLiteral("Создать новый файл"));

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Shape1"));
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);

    img_KvertaMode = new ChooserImage(frame);
    showIcon(img_KvertaMode, "img_KvertaMode", dataFolder);
    img_KvertaMode->setToolTip(QStringLiteral("Создание файла программы KVERTA (*.kv)"));

    Label2 = new QLabel(QStringLiteral("Проект программы KVERTA"), frame);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setBuddy(img_KvertaMode);

    auto* inside = new QVBoxLayout(frame);
    inside->setContentsMargins(24, 16, 24, 16);
    inside->addWidget(img_KvertaMode, 0, Qt::AlignHCenter);
    inside->addWidget(Label2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    setFixedSize(sizeHint());

    connect(img_KvertaMode, &ChooserImage::chosen, this, &QDialog::accept);
    img_KvertaMode->setFocus();
}

ModeChooser::~ModeChooser() = default;

QString ModeChooser::iconPath(const QString& dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("Cursors & Icons/icons/kverta.ico"));
}
