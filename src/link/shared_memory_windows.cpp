// Windows backend: the link record is the named file mapping "MumbleLink".
#include "link/shared_memory.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

static_assert(FILE_MAP_ALL_ACCESS == 0xF001F, "full access to the mapping");
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

SharedObject openSharedObject(const char16_t* name) {
    const HANDLE mapping =
        OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, reinterpret_cast<const wchar_t*>(name));
    return reinterpret_cast<SharedObject>(mapping);
}

// A mapping smaller than `bytes` makes MapViewOfFile fail, which is the answer wanted.
void* mapSharedObject(SharedObject object, std::size_t bytes) {
    return MapViewOfFile(reinterpret_cast<HANDLE>(object), FILE_MAP_ALL_ACCESS, 0, 0, bytes);
}

void unmapSharedObject(void* view, std::size_t) { UnmapViewOfFile(view); }

void closeSharedObject(SharedObject object) { CloseHandle(reinterpret_cast<HANDLE>(object)); }
