// Loading the adapter control library and filling the function table.
#include <windows.h>
#include <gtest/gtest.h>

#include "adapter/ZelLibrary.h"
#include "tests/app/win32/StubAdapter.h"

namespace {

size_t filledOperations(const ZelApi& api) {
    size_t filled = 0;
#define ZEL_COUNT_FILLED(name, params, args) filled += api.name != nullptr;
    ZEL_OPERATIONS(ZEL_COUNT_FILLED)
#undef ZEL_COUNT_FILLED
    return filled;
}

TEST(ZelLibrary, FillsEveryOperationFromALibraryThatHasThemAll) {
    ZelLibrary library;
    ASSERT_EQ(library.load(kStubAdapter), ZelLibrary::Status::Loaded);
    EXPECT_EQ(filledOperations(library.api()), static_cast<size_t>(kZelOperationCount));
    EXPECT_TRUE(library.missingOperation().empty());

    // The table reaches the library's own functions with their calling convention.
    ZelHandle handle = nullptr;
    EXPECT_EQ(library.api().ZelOpenAdapter(&handle), 1);
    EXPECT_EQ(handle, nullptr);
    uint32_t value = 7;
    EXPECT_EQ(library.api().ZelQueryRfRegister(nullptr, 3, &value), 1);
    EXPECT_EQ(library.api().ZelWPACreateIdentityTtls("a", "b", "c", "d"), 1);
}

TEST(ZelLibrary, TheSimulatedCardHasEveryOperation) {
    ZelLibrary library;
    ASSERT_EQ(library.load("Tovix.dll"), ZelLibrary::Status::Loaded)
        << "missing: " << library.missingOperation();
    EXPECT_EQ(filledOperations(library.api()), static_cast<size_t>(kZelOperationCount));
}

TEST(ZelLibrary, NamesTheOperationALibraryLacksAndKeepsNothingLoaded) {
    ZelLibrary library;
    ASSERT_EQ(library.load(kStubAdapterWithoutRadar), ZelLibrary::Status::OperationMissing);
    EXPECT_EQ(library.missingOperation(), kWithdrawnOperation);
    EXPECT_EQ(filledOperations(library.api()), 0u);
    EXPECT_EQ(GetModuleHandleA(kStubAdapterWithoutRadar), nullptr);
}

TEST(ZelLibrary, AnUnrelatedLibraryLacksTheFirstOperation) {
    ZelLibrary library;
    ASSERT_EQ(library.load("kernel32.dll"), ZelLibrary::Status::OperationMissing);
    EXPECT_EQ(library.missingOperation(), "ZelOpenAdapter");
}

TEST(ZelLibrary, AMissingLibraryIsReported) {
    ZelLibrary library;
    EXPECT_EQ(library.load("NoSuchAdapter.dll"), ZelLibrary::Status::LibraryMissing);
    EXPECT_TRUE(library.missingOperation().empty());
    EXPECT_EQ(filledOperations(library.api()), 0u);
}

TEST(ZelLibrary, ALoadAfterAFailureStartsAfresh) {
    ZelLibrary library;
    ASSERT_EQ(library.load(kStubAdapterWithoutRadar), ZelLibrary::Status::OperationMissing);
    ASSERT_EQ(library.load(kStubAdapter), ZelLibrary::Status::Loaded);
    EXPECT_TRUE(library.missingOperation().empty());
    EXPECT_EQ(filledOperations(library.api()), static_cast<size_t>(kZelOperationCount));
}

TEST(ZelLibrary, UnloadsTheLibraryWhenItGoesAway) {
    {
        ZelLibrary library;
        ASSERT_EQ(library.load(kStubAdapter), ZelLibrary::Status::Loaded);
        EXPECT_NE(GetModuleHandleA(kStubAdapter), nullptr);
    }
    EXPECT_EQ(GetModuleHandleA(kStubAdapter), nullptr);
}

}  // namespace
