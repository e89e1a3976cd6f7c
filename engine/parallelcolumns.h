// A small worker pool for the column loops of the field evaluation.
//
// Columns are independent of each other, so they can be handed to worker
// threads one at a time while the calling (window) thread stays in charge:
// it never computes a column itself, it only waits for the columns to finish
// in order and calls `yield` after each one, so the window keeps processing
// events and can ask whether to abort. Workers never talk to the user.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>

namespace crustex {

// Set by the pool when the calling thread asks the workers to stop; column
// work should test it between its larger steps and return early.
using StopToken = const std::atomic<bool>&;

// Work on one column. Called on a worker thread, never twice for one column.
using ColumnWork = std::function<void(int column, StopToken stop)>;

// Called on the calling thread after each column completes (in column order)
// and, while a column is slow, at least every `heartbeat`. Returning false
// stops the workers.
using ColumnYield = std::function<bool()>;

// Number of workers used for `threads`: 0 means one per core, anything else
// is taken as is (at least 1).
int workercount(int threads);

// Runs work(i) for i = 0..ncolumns-1 on up to workercount(threads) threads.
// With one worker (or when no thread can be started) the columns run on the
// calling thread, each followed by yield(). Returns true when every column
// completed, false when yield() asked to stop; in both cases every worker has
// finished before the call returns, so the caller may touch the results.
bool runcolumns(int ncolumns, int threads, const ColumnWork& work, const ColumnYield& yield,
                std::chrono::milliseconds heartbeat = std::chrono::milliseconds(50));

}  // namespace crustex
