// Counts of the process's live GDI objects and of the thread's windows, for
// tests that create and free things in a loop and must leave the counts flat.
// GetGuiResources answers 0 under some platforms; the GDI count is read from
// the process's shared handle table instead, whose cells both Windows and
// Wine lay out alike (object, owner process id, count, unique, type; Wine
// leaves the owner 0, as the stock objects have it everywhere).
#pragma once

#include <windows.h>
#include <winternl.h>

#include <cstdint>

namespace guitest {

struct TGdiCell {
    uint64_t Object;
    uint16_t ProcessId;
    uint16_t Count;
    uint16_t Unique;
    uint8_t Type;
    uint8_t Flags;
    uint64_t UserPointer;
};

inline int LiveGdiObjects()
{
#ifdef _WIN64
    using TQuery = LONG(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<TQuery>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info = {};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof(info), nullptr) != 0) return -1;
    auto* peb = reinterpret_cast<const uint8_t*>(info.PebBaseAddress);
    // GdiSharedHandleTable sits at 0xF8 in the 64-bit process block.
    auto* table = *reinterpret_cast<const TGdiCell* const*>(peb + 0xF8);
    if (!table) return -1;
    const uint16_t pid = static_cast<uint16_t>(GetCurrentProcessId());
    int n = 0;
    for (int i = 0; i < 0x10000; ++i)
        if (table[i].Type && (table[i].ProcessId == pid || table[i].ProcessId == 0)) ++n;
    return n;
#else
    return static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
#endif
}

inline int ThreadWindowCount()
{
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND, LPARAM P) CALLBACK -> BOOL { return ++*reinterpret_cast<int*>(P), TRUE; },
                      reinterpret_cast<LPARAM>(&n));
    return n;
}

}  // namespace guitest
