#pragma once

#include <functional>
#include <memory>

// Queues a call to run later on the GUI thread and returns at once. The application supplies it (in Qt
// a queued invocation on a GUI object); it must never run the call on the caller's own thread.
using TPostToGuiThread = std::function<void(std::function<void()> call)>;

// A worker's blocking call into the GUI thread that the GUI side can cancel. A plain blocking queued
// call would deadlock a GUI thread that waits for the worker while the worker waits for it; here
// `Close` releases every waiting caller at once, and a queued call that runs after `Close` does nothing.
class TGuiSynchronizer {
public:
    explicit TGuiSynchronizer(TPostToGuiThread post);
    TGuiSynchronizer(const TGuiSynchronizer &) = delete;
    TGuiSynchronizer &operator=(const TGuiSynchronizer &) = delete;

    // Runs `call` on the GUI thread and waits until it has run. False, possibly without running it,
    // once `Close` has begun.
    bool Synchronize(std::function<void()> call);

    // From now on no call starts, and every waiting `Synchronize` returns. When a call is running on
    // another thread, waits until it has finished, so none runs after `Close` returns. A call that
    // closes its own synchronizer (on the GUI thread) is not waited for.
    void Close();

private:
    struct TState;
    // Shared with the calls still queued on the GUI thread, which may outlive the synchronizer.
    std::shared_ptr<TState> FState;
    TPostToGuiThread FPost;
};
