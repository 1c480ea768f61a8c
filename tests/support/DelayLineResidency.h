#pragma once

#include "processor/EchoEngine.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

// Which pages of the echo's delay lines are resident in memory, from the page holding their first
// element to the one holding their last; empty if the system cannot tell.
inline std::vector<bool> delayLinePageResidency (EchoEngine& echo)
{
    const auto pageSize = static_cast<std::uintptr_t> (sysconf (_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t> (echo.line (0)) & ~(pageSize - 1);
    const auto end = reinterpret_cast<std::uintptr_t> (echo.line (1) + EchoEngine::lineLength);
    const auto numPages = (end - begin + pageSize - 1) / pageSize;

    std::vector<unsigned char> residency (numPages);
    if (mincore (reinterpret_cast<void*> (begin), end - begin, residency.data()) != 0)
        return {};

    std::vector<bool> resident;
    for (auto page : residency)
        resident.push_back ((page & 1u) != 0);
    return resident;
}

inline double residentDelayLineMegabytes (EchoEngine& echo)
{
    const auto residency = delayLinePageResidency (echo);
    if (residency.empty())
        return -1.0;

    std::size_t resident = 0;
    for (auto page : residency)
        resident += page ? 1u : 0u;
    return static_cast<double> (resident) * static_cast<double> (sysconf (_SC_PAGESIZE)) / (1024.0 * 1024.0);
}
