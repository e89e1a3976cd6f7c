#include "engine/parallelcolumns.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace crustex {

int workercount(int threads) {
    if (threads > 0) return threads;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

ColumnControl::ColumnControl(const ColumnYield* yield, std::chrono::milliseconds heartbeat)
    : yield_(yield), heartbeat_(heartbeat), next_(std::chrono::steady_clock::now() + heartbeat) {}

ColumnControl::ColumnControl(const std::atomic<bool>& stop) : stop_(&stop) {}

bool ColumnControl::stopped() {
    if (stopped_) return true;
    if (stop_ != nullptr) return stopped_ = stop_->load(std::memory_order_relaxed);
    const auto now = std::chrono::steady_clock::now();
    if (yield_ == nullptr || now < next_) return false;
    stopped_ = !(*yield_)(done_);
    next_ = std::chrono::steady_clock::now() + heartbeat_;
    return stopped_;
}

void ColumnControl::turntaken(int done) {
    done_ = done;
    next_ = std::chrono::steady_clock::now() + heartbeat_;
}

namespace {

bool runinline(int ncolumns, const ColumnWork& work, const ColumnYield& yield,
               std::chrono::milliseconds heartbeat) {
    ColumnControl control(&yield, heartbeat);
    for (int i = 0; i < ncolumns; ++i) {
        work(i, control);
        if (control.halted() || !yield(i + 1)) return false;
        control.turntaken(i + 1);
    }
    return true;
}

// Shared between the calling thread and the workers of one run.
struct ColumnBoard {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<char> done;  // guarded by mutex
    std::atomic<int> next{0};
    std::atomic<bool> stop{false};
};

void workerloop(ColumnBoard& board, int ncolumns, const ColumnWork& work) {
    for (;;) {
        if (board.stop.load(std::memory_order_relaxed)) return;
        const int i = board.next.fetch_add(1, std::memory_order_relaxed);
        if (i >= ncolumns) return;
        ColumnControl control(board.stop);
        work(i, control);
        {
            std::lock_guard<std::mutex> lock(board.mutex);
            board.done[static_cast<std::size_t>(i)] = 1;
        }
        board.changed.notify_one();
    }
}

}  // namespace

bool runcolumns(int ncolumns, int threads, const ColumnWork& work, const ColumnYield& yield,
                std::chrono::milliseconds heartbeat) {
    if (ncolumns <= 0) return true;
    const int nworkers = std::min(workercount(threads), ncolumns);
    if (nworkers <= 1) return runinline(ncolumns, work, yield, heartbeat);

    ColumnBoard board;
    board.done.assign(static_cast<std::size_t>(ncolumns), 0);
    std::vector<std::thread> workers;
    workers.reserve(static_cast<std::size_t>(nworkers));
    for (int w = 0; w < nworkers; ++w) {
        try {
            workers.emplace_back(workerloop, std::ref(board), ncolumns, std::cref(work));
        } catch (const std::system_error&) {
            break;  // run with the workers we have
        }
    }
    if (workers.empty()) return runinline(ncolumns, work, yield, heartbeat);

    bool completed = true;
    int waitingfor = 0;  // first column not yet reported to yield()
    while (waitingfor < ncolumns) {
        int finished = waitingfor;
        {
            std::unique_lock<std::mutex> lock(board.mutex);
            board.changed.wait_for(lock, heartbeat, [&] {
                return board.done[static_cast<std::size_t>(waitingfor)] != 0;
            });
            while (finished < ncolumns && board.done[static_cast<std::size_t>(finished)] != 0) {
                ++finished;
            }
        }
        bool goon = true;
        if (finished == waitingfor) {
            goon = yield(waitingfor);  // a slow column: keep the window alive
        } else {
            while (waitingfor < finished && goon) goon = yield(++waitingfor);
            waitingfor = finished;
        }
        if (!goon) {
            completed = false;
            board.stop.store(true, std::memory_order_relaxed);
            break;
        }
    }
    for (std::thread& t : workers) t.join();
    return completed;
}

}  // namespace crustex
