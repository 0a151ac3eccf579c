#pragma once

namespace zorbel::startup {

// Runs the program's start: false when the process should end at once (another copy runs,
// or a failure left no window on the screen).
bool Main();

} // namespace zorbel::startup
