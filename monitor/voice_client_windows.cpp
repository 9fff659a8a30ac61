#include "voice_client.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <io.h>
#include <stdio.h>

namespace {

volatile LONG stopFlag = 0;

BOOL WINAPI onConsoleEvent(DWORD) {
    InterlockedExchange(&stopFlag, 1);
    return TRUE;
}

std::string lastError() {
    char text[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, GetLastError(), 0, text,
                   sizeof text, nullptr);
    return text;
}

}  // namespace

const char* voiceClientObjectName() { return "MumbleLink"; }

CreateOutcome createVoiceClientObject(VoiceClientObject& object, bool, std::string& error) {
    const HANDLE mapping =
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, LINK_RECORD_SIZE, L"MumbleLink");
    if (mapping == nullptr) {
        error = lastError();
        return CreateOutcome::Failed;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mapping);
        error = "a voice client or another monitor holds it";
        return CreateOutcome::AlreadyExists;
    }
    void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, LINK_RECORD_SIZE);
    if (view == nullptr) {
        error = lastError();
        CloseHandle(mapping);
        return CreateOutcome::Failed;
    }
    object.record = static_cast<LinkRecord*>(view);
    object.handle = reinterpret_cast<std::intptr_t>(mapping);
    return CreateOutcome::Created;
}

void removeVoiceClientObject(VoiceClientObject& object) {
    if (object.record == nullptr) return;
    UnmapViewOfFile(object.record);
    CloseHandle(reinterpret_cast<HANDLE>(object.handle));
    object.record = nullptr;
}

void watchForStop() { SetConsoleCtrlHandler(onConsoleEvent, TRUE); }

bool stopRequested() { return InterlockedCompareExchange(&stopFlag, 0, 0) != 0; }

bool outputIsTerminal() {
    if (_isatty(_fileno(stdout)) == 0) return false;
    const HANDLE console = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(console, &mode)) SetConsoleMode(console, mode | 0x0004 /* virtual terminal processing */);
    SetConsoleOutputCP(CP_UTF8);
    return true;
}

void sleepMilliseconds(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }
