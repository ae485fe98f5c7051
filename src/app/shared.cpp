#include "app/shared.h"

#include "app/testing.h"

#include <chrono>

namespace kelvara {
namespace {

double g_timeScale = 1.0;

TwisterSource &generator()
{
    static TwisterSource source(static_cast<std::uint32_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    return source;
}

} // namespace

SharedState &shared()
{
    static SharedState state = SharedState::initial();
    return state;
}

RandomSource &randomSource()
{
    return generator();
}

double timeScale()
{
    return g_timeScale;
}

namespace testing {

void setTimeScale(double factor)
{
    g_timeScale = factor < 0 ? 0 : factor;
}

void seedRandom(std::uint32_t seed)
{
    generator().seed(seed);
}

} // namespace testing
} // namespace kelvara
