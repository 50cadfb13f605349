#pragma once
// Asks the control probe inside dhsu about one of its windows and its controls.

#include <windows.h>

#include <vector>

#include "control_facts.h"

namespace e2e {

// The window first, then its controls; empty if the probe did not answer.
std::vector<ControlFacts> ProbeControls(HWND window);

// The facts of the control with this id, or nullptr.
const ControlFacts* FindControl(const std::vector<ControlFacts>& facts, int id);

}  // namespace e2e
