#pragma once

namespace zorbel::startup {

// Runs the program's start: false when the process should end at once (another copy runs,
// or the start was left before any window was loaded).
bool Main();

} // namespace zorbel::startup
