#pragma once

#include <QString>

// The questions that the wizard's stage 2 and the free-edit editor both ask, each written once.
// The texts are the students' own, misspellings and the Cyrillic "Х" of the axis included.

QString pairXQuestion(const QString& pair);
QString pairYQuestion(const QString& pair);
QString pairAngleQuestion(const QString& pair);
QString linkLengthQuestion(const QString& pair1, const QString& pair2);
QString perpendicularQuestion(const QString& revolute, const QString& guide);

// Positions on a link, measured from its base pair B (and the direction B->O).
QString distanceToCentreQuestion(const QString& base, const QString& centre);
QString distanceToPointQuestion(const QString& base, const QString& point);
QString distanceToPairQuestion(const QString& base, const QString& pair);
QString vectorAngleQuestion(const QString& base, const QString& other, const QString& target);
QString perpendicularAngleQuestion(const QString& base, const QString& other, const QString& target);

QString forceQuestion(const QString& point);
QString forceAngleQuestion(const QString& point);
QString massQuestion(const QString& link);
QString momentQuestion(const QString& link);
QString externalMomentQuestion(const QString& link);

// The yes/no questions about a link's and a group's assembly.
QString linkDirectionQuestion(const QString& revolute, const QString& guide);
// "Группа: <name>(<a>-<b>-<d>) Тип - <type>" and a line break: the first line of a group's questions.
QString groupHeader(const QString& name, const QString& a, const QString& b, const QString& d, const QString& type);
QString groupDirectionQuestion(const QString& chain);
QString sliderVectorQuestion(const QString& vector, const QString& slider);
QString pairVectorQuestion(const QString& vector, const QString& pair);
