// The Debug and Test pages' suite natively, on the in-memory back end.
#include "tests/pages/DiagnosticsSuite.h"

INSTANTIATE_TEST_SUITE_P(Memory, DiagnosticsSuite,
                         testing::Values(fwtest::BackEndParam{"Memory", fwtest::makeMemoryBackEnd}),
                         fwtest::backEndName);
