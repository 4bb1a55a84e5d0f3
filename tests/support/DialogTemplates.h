// The dialog templates of compiled resource files (.res), read natively so that the
// in-memory back end lays its windows out as the real templates are: the controls' ids
// and kinds in template order, radio groups (WS_GROUP), tab stops and up-down buddies.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "framework/MemoryHost.h"
#include "framework/MemorySurface.h"

namespace fwtest {

struct DialogTemplate {
    std::string caption;
    // Controls without an id of their own (IDC_STATIC) are left out; a group that one of
    // them starts starts at the control after it.
    std::vector<fw::ControlSpec> controls;
};
using DialogTemplates = std::map<int, DialogTemplate>;

// The dialog templates (DLGTEMPLATE and DLGTEMPLATEEX) of a .res file, by numeric id;
// throws std::runtime_error when the file is cut short or malformed.
DialogTemplates readDialogTemplates(const unsigned char* data, std::size_t size);

// The resource scripts compiled into this test program (tovix_test_templates in CMake),
// as .res files one after the other, and their templates.
std::pair<const unsigned char*, std::size_t> builtResources();
const DialogTemplates& builtTemplates();

// Declares every template to the host.
void declareTemplates(fw::MemoryHost& host, const DialogTemplates& templates);

}  // namespace fwtest
