#include "TGuiSynchronizer.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <thread>

struct TGuiSynchronizer::TState {
    std::mutex Lock;
    std::condition_variable Changed;
    bool Closed = false;
    bool Running = false;
    std::thread::id Runner;
    std::uint64_t Posted = 0;
    std::uint64_t Completed = 0;
};

namespace {

// Marks the running call finished also when it throws, so neither the waiting worker nor `Close`
// can wait forever.
template <class TState>
class TRunningScope {
public:
    TRunningScope(TState &state, std::uint64_t ticket) : FState(state), FTicket(ticket) {}
    TRunningScope(const TRunningScope &) = delete;
    TRunningScope &operator=(const TRunningScope &) = delete;
    ~TRunningScope()
    {
        {
            std::lock_guard lock(FState.Lock);
            FState.Running = false;
            FState.Completed = FTicket;
        }
        FState.Changed.notify_all();
    }

private:
    TState &FState;
    std::uint64_t FTicket;
};

}  // namespace

TGuiSynchronizer::TGuiSynchronizer(TPostToGuiThread post) : FState(std::make_shared<TState>()), FPost(std::move(post))
{
    if (!FPost)
        throw std::invalid_argument("TGuiSynchronizer needs a way to reach the GUI thread");
}

bool TGuiSynchronizer::Synchronize(std::function<void()> call)
{
    std::uint64_t ticket;
    {
        std::lock_guard lock(FState->Lock);
        if (FState->Closed)
            return false;
        ticket = ++FState->Posted;
    }
    FPost([state = FState, ticket, call = std::move(call)] {
        {
            std::lock_guard lock(state->Lock);
            if (state->Closed)
                return;
            state->Running = true;
            state->Runner = std::this_thread::get_id();
        }
        TRunningScope running(*state, ticket);
        call();
    });
    std::unique_lock lock(FState->Lock);
    FState->Changed.wait(lock, [&] { return FState->Closed || FState->Completed >= ticket; });
    return !FState->Closed;
}

void TGuiSynchronizer::Close()
{
    std::unique_lock lock(FState->Lock);
    FState->Closed = true;
    FState->Changed.notify_all();
    FState->Changed.wait(lock, [&] { return !FState->Running || FState->Runner == std::this_thread::get_id(); });
}
