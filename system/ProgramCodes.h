// The program's own codes of the library's event message zel::kEventMessage (wParam =
// code), beside the library's event codes in adapter/ZelShared.h: what the worker, the
// main window, its pages and a second copy of the program send one another.
#pragma once

#include <cstdint>

namespace sys {

// The adapter was just opened; forwarded to the current page.
constexpr uint32_t kCodeAdapterOpened = 1001;
// From a second copy of the program: show the current page again.
constexpr uint32_t kCodeShowCurrentPage = 1002;
// From the worker to the Network Status page; lParam: the text to show alone.
constexpr uint32_t kCodeStatusText = 1003;
// From the worker to the Network Status page: an auto configuration pass ended.
constexpr uint32_t kCodeAutoConfigurationPassEnded = 1004;
// From the worker: run the Auto Link detection.
constexpr uint32_t kCodeAutoLinkDetection = 1007;
// To the Network Status page; lParam: a status text.
constexpr uint32_t kCodeStatusNote = 1012;

}  // namespace sys
