#pragma once

#include <QString>

class Session;
struct ZVENO;

// The question dialog's two modes.
inline constexpr float kYesNoMode = 1.0f;
inline constexpr float kTextMode = 2.0f;

// A yes/no answer comes back as 6 or 7, and ForceAnalysis and MorePoints keep it as that number.
inline constexpr float kYes = 6.0f;
inline constexpr float kNo = 7.0f;
inline const QString kYesText = QStringLiteral("6");
inline const QString kNoText = QStringLiteral("7");

// The record flags IsFrame, IsDriving, ExtraPairsFlag, OutputReady and OutputSaved: 1 set, 0 not.
inline constexpr float kSet = 1.0f;
inline constexpr float kUnset = 0.0f;

// The mark of a link record that repeats the name of an earlier one.
inline const QString kCopyMark = QStringLiteral("c");

// Link types: the types of its two main pairs, revolute "r" or prismatic "p".
inline const QString kRevoluteLink = QStringLiteral("rr");
inline const QString kRevolutePrismatic = QStringLiteral("rp");
inline const QString kPrismaticRevolute = QStringLiteral("pr");

bool isYes(float flag);
bool isNo(float flag);
bool isSet(float flag);

bool isFrameLink(const ZVENO& z);
bool isDrivingLink(const ZVENO& z);
bool isCopyLink(const ZVENO& z);
bool isRevoluteLink(const ZVENO& z);  // "rr"
bool isPrismaticLink(const ZVENO& z); // "rp" or "pr"
bool isPrismaticType(const QString& zType);

bool forceAnalysis(const Session& s); // ForceAnalysis is yes
bool morePoints(const Session& s);    // MorePoints is yes
bool hasExtraPairs(const Session& s); // ExtraPairsFlag is set
