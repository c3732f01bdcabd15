#pragma once

#include "LogWindow.h"
#include "WorkoutKinds.h"

#include <memory>

class SharedState;
class QWidget;

// The log window of each workout kind, made for the report window's drill-down and the
// exercise chooser.
namespace LogWindows {

// A new log window for workouts of `kind` (one of the five workout kinds).
std::unique_ptr<LogWindow> make(const WorkoutKinds::Kind& kind, SharedState& state, QWidget* parent);

} // namespace LogWindows
