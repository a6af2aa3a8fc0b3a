#pragma once

#include "files/projectfile.h"

#include <QDialog>

// The small window that asks the student to wait while a project file is read.
class LoaderWindow : public QDialog {
    Q_OBJECT
public:
    explicit LoaderWindow(QWidget* parent = nullptr);
};

// Shows the loader window while LoadFile reads the project of fileName, then closes it.
LoadResult loadProjectWithWindow(Session& session, Dialogs& dialogs, const QString& filepath,
                                 const QString& fileName, QWidget* parent = nullptr);
