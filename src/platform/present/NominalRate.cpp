#include "platform/present/NominalRate.h"

namespace plat::present {

NominalRate RateFromModeLine(std::uint32_t dotClockHz, std::uint32_t hTotal, std::uint32_t vTotal)
{
    if (dotClockHz == 0 || hTotal == 0 || vTotal == 0)
        return {};
    return { NominalRate::Kind::Fixed, static_cast<double>(dotClockHz) / (static_cast<double>(hTotal) * vTotal) };
}

NominalRate RateFromMilliHertz(std::int32_t milliHertz)
{
    if (milliHertz <= 0)
        return {};
    return { NominalRate::Kind::Fixed, milliHertz / 1000.0 };
}

NominalRate RateFromPeriodNs(std::uint32_t periodNs)
{
    if (periodNs == 0)
        return { NominalRate::Kind::Variable, 0 };
    return { NominalRate::Kind::Fixed, 1e9 / periodNs };
}

}
