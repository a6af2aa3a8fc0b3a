#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Plays a byte string against the wizard engine as a student would: typed answers, command
// buttons and dialog answers, all chosen by the bytes. After every step it checks that the
// records are still consistent; the first broken rule is returned (empty when all held).
struct WizardEnd {
    qint16 state = 0;
    QStringList protocol; // the input protocol's lines
};
QString playWizard(const QByteArray& bytes, WizardEnd* end = nullptr);

// The bytes that play one of the stored descriptions (an answer script of tests/descriptions/data)
// as it was typed: the typed answers, the end-of-stage command, each question's answer or its close
// box. What a script expects to be shown has no bytes. The fuzzer starts from these.
QByteArray wizardSeed(const QString& script);
