#pragma once

#include <cstdlib>

// A broken promise ends the run, so that libFuzzer keeps the input that broke it.
inline void require(bool holds)
{
    if (!holds)
        std::abort();
}
