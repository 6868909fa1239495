#pragma once

// Installs the widget side of the process-wide seams: real message boxes and the busy pointer.
// The program calls it once at start-up; tests install recorders instead.
namespace common {

void installUiSeams();

} // namespace common
