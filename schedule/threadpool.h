// A pool of worker threads that runs posted callables; it grows (up to 64
// workers) when work arrives while no worker is idle, and never shrinks.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>
#include <queue>
#include <thread>
#include <vector>

class Threadpool {
public:
    static constexpr int kMaxWorkers = 64;

    // Any thread. Starts workers of their own (at most kMaxWorkers).
    explicit Threadpool(int workers);
    // Any thread but a worker. Work already queued still runs.
    ~Threadpool();
    Threadpool(const Threadpool&) = delete;
    Threadpool& operator=(const Threadpool&) = delete;

    // Any thread. An invalid future when the pool has begun to stop.
    std::future<void> post_task(std::function<void()> work);
    // Any thread.
    int WorkerCount();

private:
    void AddThread(int count);
    void WorkerLoop();

    std::vector<std::thread> workers_;
    std::mutex workersLock_;  // guards workers_ (grown from any posting thread)
    std::queue<std::function<void()>> work_;
    std::mutex poolLock_;  // guards work_
    std::condition_variable workReady_;
    std::atomic<bool> running_{true};
    std::atomic<int> idle_{0};
};
