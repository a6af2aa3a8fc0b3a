#include "files/ui/loaderwindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

LoaderWindow::LoaderWindow(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("form_KvertaFileLoader"));
    setWindowTitle(QString(12, QLatin1Char(' ')) + QStringLiteral("KVERTA file loader [v 0.0.1a]"));
    auto* label = new QLabel(QStringLiteral("Ж Д И Т Е . . ."), this);
    label->setObjectName(QStringLiteral("lbl_Wait"));
    label->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    resize(300, 80);
}

LoadResult loadProjectWithWindow(Session& session, Dialogs& dialogs, const QString& filepath,
                                 const QString& fileName, QWidget* parent)
{
    LoaderWindow loader(parent);
    loader.show();
    // Let the window paint before the reading holds the event loop.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const LoadResult result = LoadFile(session, dialogs, filepath, fileName);
    loader.close();
    return result;
}
