// The worker pool: a first-in first-out queue drained by its workers.
#include "schedule/threadpool.h"

#include <memory>

Threadpool::Threadpool(int workers) { AddThread(workers); }

// The flag changes under the pool's lock: a worker between its test of the flag
// and its wait would otherwise miss the wake-up and never leave.
Threadpool::~Threadpool() {
    {
        std::lock_guard<std::mutex> lock(poolLock_);
        running_ = false;
    }
    workReady_.notify_all();
    std::lock_guard<std::mutex> lock(workersLock_);
    for (std::thread& worker : workers_)
        if (worker.joinable()) worker.join();
}

void Threadpool::AddThread(int count) {
    std::lock_guard<std::mutex> lock(workersLock_);
    for (; count > 0 && static_cast<int>(workers_.size()) < kMaxWorkers; --count) {
        workers_.emplace_back([this] { WorkerLoop(); });
        ++idle_;
    }
}

int Threadpool::WorkerCount() {
    std::lock_guard<std::mutex> lock(workersLock_);
    return static_cast<int>(workers_.size());
}

std::future<void> Threadpool::post_task(std::function<void()> work) {
    if (!running_) return {};
    auto task = std::make_shared<std::packaged_task<void()>>(std::move(work));
    std::future<void> done = task->get_future();
    {
        std::lock_guard<std::mutex> lock(poolLock_);
        work_.push([task] { (*task)(); });
    }
    if (idle_ < 1) AddThread(1);
    workReady_.notify_one();
    return done;
}

// Each worker: leaves once the pool stops and the queue is empty.
void Threadpool::WorkerLoop() {
    for (;;) {
        std::function<void()> work;
        {
            std::unique_lock<std::mutex> lock(poolLock_);
            workReady_.wait(lock, [this] { return !running_ || !work_.empty(); });
            if (work_.empty()) return;
            work = std::move(work_.front());
            work_.pop();
        }
        --idle_;
        work();
        ++idle_;
    }
}
