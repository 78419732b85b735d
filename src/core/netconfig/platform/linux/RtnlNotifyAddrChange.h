#pragma once

#include "IpHlpRecords.h"

// NotifyAddrChange over rtnetlink. With an overlapped record whose hEvent points at a TAddrChangeEvent:
// arms that event, stores it in *Handle and answers 997 (pending); the caller waits on the event.
// With both arguments null: blocks until the next change and answers 0. ERROR_INVALID_PARAMETER for
// any other combination; ERROR_NOT_SUPPORTED when the kernel refuses the subscription.
DWORD VX_WINAPI RtnlNotifyAddrChange(PHANDLE Handle, LPOVERLAPPED overlapped);
