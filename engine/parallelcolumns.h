// A small worker pool for the column loops of the field evaluation (and for
// any other work split into independent pieces, such as chunks of points).
//
// Columns are independent of each other, so they can be handed to worker
// threads one at a time while the calling (window) thread stays in charge:
// it never computes a column itself, it only waits for the columns to finish
// in order and calls `yield` after each one, so the window keeps processing
// events, can show how far the work has come and can ask whether to abort.
// Workers never talk to the user.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>

namespace crustex {

// Called on the calling thread with the number of columns completed so far
// (every column below `done` is complete): after each column completes, in
// column order, and while a column is slow at least every heartbeat.
// Returning false stops the work.
using ColumnYield = std::function<bool(int done)>;

// What column work asks between its larger steps.
class ColumnControl {
public:
    // Work on the calling thread: gives the window its turn through `yield`
    // at most every `heartbeat`.
    ColumnControl(const ColumnYield* yield, std::chrono::milliseconds heartbeat);
    // Work on a worker thread: only watches `stop`.
    explicit ColumnControl(const std::atomic<bool>& stop);

    // True when the work is to end: the calling thread asked the workers to
    // stop or, for work on the calling thread, a turn of the window that
    // fell due now asked to stop. Cheap enough to ask every few hundred
    // microseconds.
    bool stopped();
    // What the last stopped() answered, without giving the window a turn.
    bool halted() const { return stopped_; }

    // The window has just had its turn after `done` columns: the next turn
    // from inside a column falls due a heartbeat later and reports `done`.
    void turntaken(int done);

private:
    const std::atomic<bool>* stop_ = nullptr;
    const ColumnYield* yield_ = nullptr;
    std::chrono::milliseconds heartbeat_{0};
    std::chrono::steady_clock::time_point next_{};
    int done_ = 0;
    bool stopped_ = false;
};

// Work on one column. Called on a worker thread (or on the calling thread
// when there is a single worker), never twice for one column.
using ColumnWork = std::function<void(int column, ColumnControl& control)>;

// Number of workers used for `threads`: 0 means one per core, anything else
// is taken as is (at least 1).
int workercount(int threads);

// Runs work(i) for i = 0..ncolumns-1 on up to workercount(threads) threads.
// With one worker (or when no thread can be started) the columns run on the
// calling thread, each followed by yield(); a column that asks
// control.stopped() also lets the window run in between. Returns true when
// every column completed, false when yield() asked to stop; in both cases
// every worker has finished before the call returns, so the caller may touch
// the results.
bool runcolumns(int ncolumns, int threads, const ColumnWork& work, const ColumnYield& yield,
                std::chrono::milliseconds heartbeat = std::chrono::milliseconds(50));

}  // namespace crustex
