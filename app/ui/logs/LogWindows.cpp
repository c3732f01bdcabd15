#include "LogWindows.h"

#include "frmBikeLog.h"
#include "frmOtherLog.h"
#include "frmRunLog.h"
#include "frmSwimLog.h"
#include "frmVideoLog.h"

namespace LogWindows {

namespace {

template <class Window> std::unique_ptr<LogWindow> create(SharedState& state, QWidget* parent) {
    return std::make_unique<Window>(state, parent);
}

struct Entry {
    const WorkoutKinds::Kind* kind;
    std::unique_ptr<LogWindow> (*create)(SharedState&, QWidget*);
};

const Entry Windows[] = {
    {&WorkoutKinds::Running, create<frmRunLog>},   {&WorkoutKinds::Cycling, create<frmBikeLog>},
    {&WorkoutKinds::Swimming, create<frmSwimLog>}, {&WorkoutKinds::Video, create<frmVideoLog>},
    {&WorkoutKinds::Other, create<frmOtherLog>},
};

} // namespace

std::unique_ptr<LogWindow> make(const WorkoutKinds::Kind& kind, SharedState& state, QWidget* parent) {
    for (const Entry& e : Windows)
        if (e.kind == &kind)
            return e.create(state, parent);
    // A kind without a window of its own is one of the user's own exercises.
    return create<frmOtherLog>(state, parent);
}

} // namespace LogWindows
