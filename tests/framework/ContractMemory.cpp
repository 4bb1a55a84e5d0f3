// The contract suite on the in-memory back end, laid out by the suite's dialog templates
// (contract.rc).
#include "tests/framework/ContractSuite.h"

namespace fwtest {

INSTANTIATE_TEST_SUITE_P(Memory, Contract,
                         testing::Values(BackEndParam{"Memory", makeMemoryBackEnd}), backEndName);

}  // namespace fwtest
