// Every dialog template of the program, made into a window at 96 DPI: each control lies
// inside its dialog, no two controls shown together overlap, and every label, button and
// group box caption has room for its text in the dialog's font.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/support/win32/Layout.h"

namespace {

HINSTANCE program() { return GetModuleHandleA(nullptr); }

INT_PTR CALLBACK quietDialog(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

BOOL CALLBACK collectDialog(HMODULE, LPCSTR, LPSTR name, LONG_PTR list) {
    if (IS_INTRESOURCE(name)) {
        reinterpret_cast<std::vector<int>*>(list)->push_back(
            static_cast<int>(reinterpret_cast<UINT_PTR>(name)));
    }
    return TRUE;
}

const std::set<int> kForms = {IDD_SECURITY, IDD_SECURITY_WIZARD};

TEST(Layout, EveryDialogTemplateFitsWithNothingClippedOrOverlapping) {
    std::vector<int> templates;
    EnumResourceNamesA(program(), RT_DIALOG, collectDialog, reinterpret_cast<LONG_PTR>(&templates));
    ASSERT_GT(templates.size(), 20u);
    // The child templates need a parent; none of the windows is ever shown.
    const HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                        program(), nullptr);
    ASSERT_NE(parent, nullptr);
    for (int id : templates) {
        const HWND dialog =
            CreateDialogParamA(program(), MAKEINTRESOURCEA(id), parent, quietDialog, 0);
        ASSERT_NE(dialog, nullptr) << "dialog " << id;
        for (const std::string& fault : fwtest::layoutFaults(dialog)) {
            // The security page shows one of its forms at a time, in one place: its suite
            // checks each form.
            if (kForms.count(id) && fault.find(" overlaps ") != std::string::npos) continue;
            ADD_FAILURE() << "dialog " << id << ": " << fault;
        }
        DestroyWindow(dialog);
    }
    DestroyWindow(parent);
}

}  // namespace
