#include "shell/aboutbox.h"

#include "shell/modechooser.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

AboutBox::AboutBox(const QString& dataFolder, QWidget* parent)
    : QDialog(parent, ModeChooser::kDialogFlags)
{
    ModeChooser::setUp(this, "form_About", QStringLiteral("О проге"));
    auto* picture = new QLabel(this);
    ModeChooser::showIcon(picture, "Image1", dataFolder);

    auto* versions = new QGroupBox(QStringLiteral("Версии программы:"), this);
    versions->setObjectName(QStringLiteral("Frame1"));
    auto* lines = new QVBoxLayout(versions);
    const QStringList texts = {
        QStringLiteral("Основная программа: Zuvrack"),
        QStringLiteral("Версия: v0.1.0f"),
        QStringLiteral("Встроенный компилятор:  KVERTA file compillator"),
        QStringLiteral("Версия: v0.1.0f"),
        QStringLiteral("Дополнительные режимы:  FreeLancer Mode"),
        QStringLiteral("Версия: v0.1.0f"),
    };
    for (qsizetype i = 0; i < texts.size(); ++i) {
        auto* label = new QLabel(texts[i], versions);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->setTextFormat(Qt::PlainText);
        // Each version sits under its part, a little way in.
        if (i % 2 == 1)
            label->setContentsMargins(16, 0, 0, 6);
        lines->addWidget(label);
    }

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignTop);
    layout->addWidget(versions, 1);
    setFixedSize(sizeHint());
}

AboutBox::~AboutBox() = default;
