// The stand-ins for Tovix.dll that the tests build beside themselves.
#pragma once

// Every operation, no card.
constexpr const char* kStubAdapter = "app_stub_adapter.dll";
// The same without ZelRadarDetected.
constexpr const char* kStubAdapterWithoutRadar = "app_stub_adapter_partial.dll";
constexpr const char* kWithdrawnOperation = "ZelRadarDetected";
