#include "model/flags.h"

#include "model/session.h"

bool isYes(float flag)
{
    return flag == kYes;
}

bool isNo(float flag)
{
    return flag == kNo;
}

bool isSet(float flag)
{
    return flag == kSet;
}

bool isFrameLink(const ZVENO& z)
{
    return isSet(z.IsFrame);
}

bool isDrivingLink(const ZVENO& z)
{
    return isSet(z.IsDriving);
}

bool isCopyLink(const ZVENO& z)
{
    return z.Mark == kCopyMark;
}

bool isRevoluteLink(const ZVENO& z)
{
    return z.ZType == kRevoluteLink;
}

bool isPrismaticType(const QString& zType)
{
    return zType == kRevolutePrismatic || zType == kPrismaticRevolute;
}

bool isPrismaticLink(const ZVENO& z)
{
    return isPrismaticType(z.ZType);
}

bool forceAnalysis(const Session& s)
{
    return isYes(s.ForceAnalysis);
}

bool morePoints(const Session& s)
{
    return isYes(s.MorePoints);
}

bool hasExtraPairs(const Session& s)
{
    return isSet(s.ExtraPairsFlag);
}
