// Codes the program itself sends to its main window with the private message
// zel::kEventMessage (wParam = code), beside the library's event codes.
#pragma once

#include <cstdint>

namespace shell {

// From a second copy of the program: show the current page again.
constexpr uint32_t kCodeShowCurrentPage = 1002;

}  // namespace shell
