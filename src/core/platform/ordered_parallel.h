#pragma once
// Long work on many files at once: a pool of worker threads (one per core)
// computes results while the calling thread takes them strictly in order,
// so that it alone touches the document and the user interface. Between
// results the calling thread keeps its windows alive (`idle`), and it can
// stop the rest of the work (`cancelled`): what was taken stays taken.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace lumora {

struct ParallelHooks {
    // Asked on the calling thread between results; true stops the rest.
    std::function<bool()> cancelled;
    // Called on the calling thread while it waits for the next result.
    std::function<void()> idle;
    // Worker count; 0 means one per core.
    unsigned threads = 0;
};

// The number of workers for `count` tasks: one per core (at least one),
// never more than the tasks.
inline unsigned WorkerCount(size_t count, unsigned wanted)
{
    unsigned threads = wanted ? wanted : std::thread::hardware_concurrency();
    threads = std::max(threads, 1u);
    return static_cast<unsigned>(std::min<size_t>(threads, std::max<size_t>(count, 1)));
}

// Runs work(0) .. work(count - 1) on the workers and take(i, result) on the
// calling thread in the order of i. Results wait for their turn at most a
// few per worker ahead, so memory stays bounded whatever the count. Returns
// how many results were taken (count unless cancelled). `work` must not
// throw; it runs on other threads and must not touch what `take` changes.
template <class Result>
size_t RunInOrder(size_t count, const std::function<Result(size_t)>& work,
                  const std::function<void(size_t, Result&&)>& take, const ParallelHooks& hooks = {})
{
    if (count == 0)
        return 0;
    const unsigned threads = WorkerCount(count, hooks.threads);
    const size_t window = size_t{threads} * 2;

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::optional<Result>> results(count);
    size_t next = 0;   // the next task a worker starts
    size_t taken = 0;  // results taken by the calling thread
    bool stop = false;

    auto worker = [&] {
        for (;;) {
            size_t task;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return stop || next >= count || next < taken + window; });
                if (stop || next >= count)
                    return;
                task = next++;
            }
            Result result = work(task);
            {
                std::lock_guard lock(mutex);
                results[task] = std::move(result);
            }
            changed.notify_all();
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(threads);
    for (unsigned i = 0; i < threads; ++i)
        pool.emplace_back(worker);

    using namespace std::chrono_literals;
    while (taken < count) {
        if (hooks.cancelled && hooks.cancelled())
            break;
        std::optional<Result> ready;
        {
            std::unique_lock lock(mutex);
            const auto isReady = [&] { return results[taken].has_value(); };
            if (hooks.idle) {
                if (!changed.wait_for(lock, 30ms, isReady)) {
                    lock.unlock();
                    hooks.idle();
                    continue;
                }
            } else {
                changed.wait(lock, isReady);
            }
            ready = std::move(results[taken]);
            results[taken].reset();
        }
        take(taken, std::move(*ready));
        {
            std::lock_guard lock(mutex);
            ++taken;
        }
        changed.notify_all();
        if (hooks.idle)
            hooks.idle();
    }
    {
        std::lock_guard lock(mutex);
        stop = true;
    }
    changed.notify_all();
    for (std::thread& t : pool)
        t.join();
    return taken;
}

}  // namespace lumora
