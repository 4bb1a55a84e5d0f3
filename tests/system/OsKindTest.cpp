#include <gtest/gtest.h>

#include "system/OsKind.h"

namespace {

using sys::classifyOs;

constexpr uint32_t kWin32s = 0;
constexpr uint32_t kWin9x = 1;
constexpr uint32_t kNt = 2;
constexpr uint32_t kCe = 3;

TEST(OsKind, NtVersionsMapToTheirClasses) {
    const struct {
        uint32_t major, minor;
        sys::OsKind expected;
    } cases[] = {
        {5, 1, sys::OsWinXp},        {5, 0, sys::OsWin2000},      {5, 2, sys::OsWin2000},
        {5, 3, sys::OsWin2000},      {4, 0, sys::OsWinNt4},       {4, 1, sys::OsUnsupported},
        {4, 90, sys::OsUnsupported}, {3, 51, sys::OsUnsupported}, {6, 0, sys::OsUnsupported},
        {6, 1, sys::OsUnsupported},  {10, 0, sys::OsUnsupported},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(classifyOs(kNt, c.major, c.minor), c.expected) << c.major << "." << c.minor;
    }
}

TEST(OsKind, EveryWindows9xVersionIsWin9x) {
    for (uint32_t minor : {0u, 10u, 90u}) {
        EXPECT_EQ(classifyOs(kWin9x, 4, minor), sys::OsWin9x) << minor;
    }
    EXPECT_EQ(classifyOs(kWin9x, 5, 1), sys::OsWin9x);
    EXPECT_EQ(classifyOs(kWin9x, 0, 0), sys::OsWin9x);
}

TEST(OsKind, OtherPlatformsAreUnsupported) {
    EXPECT_EQ(classifyOs(kWin32s, 5, 1), sys::OsUnsupported);
    EXPECT_EQ(classifyOs(kCe, 5, 1), sys::OsUnsupported);
    EXPECT_EQ(classifyOs(0xFFFFFFFFu, 4, 0), sys::OsUnsupported);
}

TEST(OsKind, ClassValuesAreTheDocumentedNumbers) {
    EXPECT_EQ(static_cast<int>(sys::OsWinXp), 0);
    EXPECT_EQ(static_cast<int>(sys::OsWin2000), 1);
    EXPECT_EQ(static_cast<int>(sys::OsWinNt4), 2);
    EXPECT_EQ(static_cast<int>(sys::OsWin9x), 3);
}

}  // namespace
