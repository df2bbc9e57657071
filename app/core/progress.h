#pragma once

#include <functional>

// What a long drawing tells its caller while it works: started, at value of
// maximum, finished. The caller paints whatever shows it; the drawing knows
// no window. Any of them may be left empty.
struct Progress {
    std::function<void()> started;
    std::function<void(int value, int maximum)> reached;
    std::function<void()> finished;

    void start() const {
        if (started)
            started();
    }
    void reach(int value, int maximum) const {
        if (reached)
            reached(value, maximum);
    }
    void finish() const {
        if (finished)
            finished();
    }
};
