// The test main's start of the grid unit, before any grid exists, and its
// end after the last test.
#include "grid/control/ExGrid.h"

#include <gtest/gtest.h>

namespace {

class TGridUnitEnvironment : public ::testing::Environment {
public:
    void SetUp() override { InitExGridUnit(); }
    void TearDown() override { DoneExGridUnit(); }
};

const auto* const GridUnit = ::testing::AddGlobalTestEnvironment(new TGridUnitEnvironment);

} // namespace
