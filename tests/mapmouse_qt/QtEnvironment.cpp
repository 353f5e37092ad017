// The offscreen application of this test program.

#include "MapMouseQtFixture.h"

namespace {

[[maybe_unused]] ::testing::Environment* const g_env =
    ::testing::AddGlobalTestEnvironment(new mapmouse_qt_test::QtApplicationEnvironment);

}  // namespace
