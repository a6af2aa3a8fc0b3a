#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

// The mechanism records. Integer fields are 16-bit, flags kept as single-precision numbers stay
// float, and every value the student typed is kept as the text of the accepted answer.

// Slots per record array (slot 0 is never used) and per link sub-array.
inline constexpr int kSlots = 65;
inline constexpr int kSubSlots = 33;
inline constexpr qint16 kMaxRecords = kSlots - 1;    // 64 pairs, links, groups
inline constexpr qint16 kMaxSubRecords = kSubSlots - 1; // 32 additional pairs, points per link

// One kinematic pair.
struct PARA {
    QString Name;
    QString Zveno1;
    qint16 Zveno1Index = 0;
    QString Zveno2;
    qint16 Zveno2Index = 0;
    QString ParaType; // "r" or "p", lower case
    QString X;
    QString Y;
    QString XAngle;
};

// One extra point held inside a link.
struct DOP_POINT {
    QString Name;
    QString Length;
    QString Angle;
    QString ForceAngle;
    QString Force;
    QString Kind; // "o" point of interest, "f" point where a force acts
};

// One link.
struct ZVENO {
    QString Name;
    float IsFrame = 0.0f;
    float IsDriving = 0.0f;
    QString Para1;
    qint16 Para1Index = 0;
    QString Para2;
    qint16 Para2Index = 0;
    QString ZType;
    QString ZLength;
    QString OnGuide;
    QString Clockwise;
    QString Spare1;
    QString Perpendicular;
    qint16 TwafzCount = 0;
    std::array<QString, kSubSlots> TwafzName;
    std::array<QString, kSubSlots> TwafzIndex;
    std::array<QString, kSubSlots> TwafzLength;
    std::array<QString, kSubSlots> TwafzAngle;
    QString CM;
    QString CMLength;
    QString CMAngle;
    QString Spare2;
    QString Spare3;
    QString Spare4;
    qint16 DPCount = 0;
    std::array<DOP_POINT, kSubSlots> DP;
    QString Mark; // "c" on every record that repeats the name of an earlier one
    qint16 GroupNo = 0;
    QString Mass;
    QString Moment;
    QString MomentVn;
};

// One Assur group (a dyad).
struct GROUP {
    QString Name;
    qint16 Zveno1Index = 0;
    qint16 Zveno2Index = 0;
    QString GType;
    QString Clockwise;
    QString IsSharp;
};
