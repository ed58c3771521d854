#pragma once
// A test with an engine of its own: the services are made before the test
// and freed after it, whatever the test (or the game) freed itself.
#include <gtest/gtest.h>

#include "engine/app/EngineServices.h"

class FreshEngine : public ::testing::Test {
protected:
    ReEng::EngineServices engine;
};
