#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// Stands in for the GUI thread: runs posted calls one at a time, in order, on a thread of its own.
class TTestGuiThread {
public:
    TTestGuiThread() : FThread([this] { Loop(); }) {}
    ~TTestGuiThread()
    {
        {
            std::lock_guard lock(FLock);
            FQuit = true;
        }
        FWake.notify_all();
        FThread.join();
    }
    TTestGuiThread(const TTestGuiThread &) = delete;
    TTestGuiThread &operator=(const TTestGuiThread &) = delete;

    void Post(std::function<void()> call)
    {
        {
            std::lock_guard lock(FLock);
            FQueue.push_back(std::move(call));
        }
        FWake.notify_all();
    }

    // Calls queued and not yet started.
    std::size_t Pending()
    {
        std::lock_guard lock(FLock);
        return FQueue.size();
    }

    std::thread::id Id() const { return FThread.get_id(); }

    // Runs `call` on this thread and waits for it.
    void Run(const std::function<void()> &call)
    {
        std::mutex doneLock;
        std::condition_variable doneWake;
        bool done = false;
        Post([&] {
            call();
            std::lock_guard lock(doneLock);
            done = true;
            doneWake.notify_all();
        });
        std::unique_lock lock(doneLock);
        doneWake.wait(lock, [&] { return done; });
    }

private:
    void Loop()
    {
        std::unique_lock lock(FLock);
        for (;;) {
            FWake.wait(lock, [&] { return FQuit || !FQueue.empty(); });
            if (FQuit)
                return;
            auto call = std::move(FQueue.front());
            FQueue.pop_front();
            lock.unlock();
            call();
            lock.lock();
        }
    }

    std::mutex FLock;
    std::condition_variable FWake;
    std::deque<std::function<void()>> FQueue;
    bool FQuit = false;
    std::thread FThread;
};
