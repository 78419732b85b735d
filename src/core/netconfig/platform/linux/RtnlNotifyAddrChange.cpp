#include "RtnlNotifyAddrChange.h"

#include "TAddrChangeEvent.h"
#include "TStopSignal.h"

namespace {

DWORD WaitForNextChange()
{
    TAddrChangeEvent event;
    if (!event.Arm())
        return ERROR_NOT_SUPPORTED;
    const TStopSignal never;
    for (;;) {
        switch (event.Wait(never, -1)) {
        case TAddrChangeEvent::TWaitResult::Changed: return NO_ERROR;
        case TAddrChangeEvent::TWaitResult::TimedOut: continue;
        case TAddrChangeEvent::TWaitResult::Stopped:
        case TAddrChangeEvent::TWaitResult::Failed: return ERROR_NOT_SUPPORTED;
        }
    }
}

}  // namespace

DWORD VX_WINAPI RtnlNotifyAddrChange(PHANDLE Handle, LPOVERLAPPED overlapped)
{
    if (Handle == nullptr && overlapped == nullptr)
        return WaitForNextChange();
    if (Handle == nullptr || overlapped == nullptr || overlapped->hEvent == nullptr)
        return ERROR_INVALID_PARAMETER;
    auto *event = static_cast<TAddrChangeEvent *>(overlapped->hEvent);
    if (!event->Arm())
        return ERROR_NOT_SUPPORTED;
    *Handle = event;
    return ERROR_IO_PENDING;
}
