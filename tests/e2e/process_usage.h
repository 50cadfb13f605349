#pragma once
// What a process holds: its open handles and memory.

#include <windows.h>

#include <cstddef>
#include <map>

namespace e2e {

// Nothing (0) when the process cannot be asked.
DWORD HandleCount(DWORD processId);
std::size_t WorkingSetBytes(DWORD processId);

// The priority of each of the process's threads, as GetThreadPriority gives it, by thread id.
std::map<DWORD, int> ThreadPriorities(DWORD processId);

// The bytes allocated in all of this process's heaps.
std::size_t HeapBytesInUse();

}  // namespace e2e
