#include "base/alpha_rules.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace veloria {

int RoundHalfEven(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kIntMax = static_cast<double>(std::numeric_limits<int>::max());
    constexpr double kIntMin = static_cast<double>(std::numeric_limits<int>::min());
    if (value >= kIntMax) {
        return std::numeric_limits<int>::max();
    }
    if (value <= kIntMin) {
        return std::numeric_limits<int>::min();
    }
    // Within int's range here, the floor is the value cut short, one
    // less below zero: no call into the C library.
    auto below = static_cast<long long>(value);
    if (static_cast<double>(below) > value) {
        --below;
    }
    const double fraction = value - static_cast<double>(below);
    if (fraction > 0.5 || (fraction == 0.5 && below % 2 != 0)) {
        ++below;
    }
    return static_cast<int>(below);
}

int ClampLevel(long long level)
{
    return static_cast<int>(std::clamp<long long>(level, kLowestLevel, kHighestLevel));
}

std::uint8_t LevelToByte(long long level)
{
    return static_cast<std::uint8_t>(ClampLevel(level));
}

int LevelFromPosition(int position, int max)
{
    if (max <= 0) {
        return kHighestLevel;
    }
    const double step = 255.0 / static_cast<double>(max);
    return RoundHalfEven(step * static_cast<double>(position));
}

int AboutLevelFromPosition(int position)
{
    return RoundHalfEven(12.75 * static_cast<double>(position));
}

int PercentOfPosition(int position, int max)
{
    return max > 0 ? RoundHalfEven(100.0 * static_cast<double>(position) / static_cast<double>(max)) : 100;
}

int PositionFromLevel(int level, int max)
{
    if (max <= 0) {
        return 0;
    }
    const double step = 255.0 / static_cast<double>(max);
    return RoundHalfEven(static_cast<double>(level) / step);
}

int SliderPositionForLevel(int level, int min, int max)
{
    const int position = PositionFromLevel(ClampLevel(level), max);
    return std::clamp(position, std::min(min, max), max);
}

int StepLevel(int level, int direction)
{
    constexpr int kPositions = 30;
    level = ClampLevel(level);
    if (direction < 0) {
        for (int position = kPositions; position > 1; --position) {
            if (const int below = LevelFromPosition(position, kPositions); below < level) {
                return below;
            }
        }
        return LevelFromPosition(1, kPositions);
    }
    for (int position = 1; position < kPositions; ++position) {
        if (const int above = LevelFromPosition(position, kPositions); above > level) {
            return above;
        }
    }
    return kHighestLevel;
}

}  // namespace veloria
