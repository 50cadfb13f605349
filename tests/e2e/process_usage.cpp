#include "process_usage.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <vector>

#include "win/handles_win.h"

namespace e2e {
namespace {

using dhsu::win::KernelHandle;

// The system's handle table (SystemExtendedHandleInformation), as ntdll lays it out.
constexpr ULONG kExtendedHandleInformation = 64;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

struct HandleEntry {
    PVOID object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG grantedAccess;
    USHORT creatorBackTraceIndex;
    USHORT objectTypeIndex;
    ULONG attributes;
    ULONG reserved;
};

struct HandleTable {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntry entries[1];
};

using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

// Wine answers GetProcessHandleCount with 0; the system's handle table is right on both.
DWORD HandleCountFromSystemTable(DWORD processId) {
    const auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr) return 0;
    std::vector<ULONG_PTR> buffer(1 << 16);
    LONG status = 0;
    while ((status = query(kExtendedHandleInformation, buffer.data(),
                           static_cast<ULONG>(buffer.size() * sizeof(ULONG_PTR)), nullptr)) ==
           kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status != 0) return 0;
    const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
    DWORD count = 0;
    for (ULONG_PTR i = 0; i < table->count; ++i)
        if (table->entries[i].processId == processId) ++count;
    return count;
}

}  // namespace

DWORD HandleCount(DWORD processId) {
    const KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
    DWORD count = 0;
    if (process && GetProcessHandleCount(process.Get(), &count) && count > 0) return count;
    return HandleCountFromSystemTable(processId);
}

std::size_t WorkingSetBytes(DWORD processId) {
    const KernelHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    PROCESS_MEMORY_COUNTERS counters{sizeof counters};
    if (!process || !GetProcessMemoryInfo(process.Get(), &counters, sizeof counters)) return 0;
    return counters.WorkingSetSize;
}

std::size_t HeapBytesInUse() {
    std::vector<HANDLE> heaps(256);
    const DWORD count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    heaps.resize(std::min<std::size_t>(count, heaps.size()));
    std::size_t inUse = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap)) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) inUse += entry.cbData;
        HeapUnlock(heap);
    }
    return inUse;
}

std::map<DWORD, int> ThreadPriorities(DWORD processId) {
    std::map<DWORD, int> priorities;
    const KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry{sizeof entry};
    for (BOOL more = Thread32First(snapshot.Get(), &entry); more;
         more = Thread32Next(snapshot.Get(), &entry)) {
        if (entry.th32OwnerProcessID != processId) continue;
        const KernelHandle thread(OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID));
        if (thread) priorities[entry.th32ThreadID] = GetThreadPriority(thread.Get());
    }
    return priorities;
}

}  // namespace e2e
