// The operating-system side of playing the voice client: creating and
// removing the shared object, stopping on Ctrl-C, and the terminal.
#pragma once

#include <cstdint>
#include <string>

#include "link/link_record.h"

struct VoiceClientObject {
    LinkRecord* record = nullptr;  // zeroed on creation
    std::intptr_t handle = 0;
};

enum class CreateOutcome { Created, AlreadyExists, Failed };

// The object's name as the user sees it: "/MumbleLink" or "MumbleLink".
const char* voiceClientObjectName();

// Creates the shared object with the record's size, readable and writable by
// this user only, and maps it. `replace` removes a leftover object of the same
// name first, where the platform allows it. On failure `error` says why.
CreateOutcome createVoiceClientObject(VoiceClientObject& object, bool replace, std::string& error);

// Unmaps and removes the object (on Windows it goes once every process that
// attached to it has closed its handle).
void removeVoiceClientObject(VoiceClientObject& object);

// From now on Ctrl-C, and a request to terminate, make stopRequested() true.
void watchForStop();
bool stopRequested();

// Whether standard output is a terminal; on Windows this also turns on the
// console's handling of ANSI escape sequences.
bool outputIsTerminal();

void sleepMilliseconds(int milliseconds);
