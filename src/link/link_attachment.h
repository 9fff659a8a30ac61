// Link attachment: finds the link record that the voice client shares and
// makes it the process-wide record every frame is published into.
#pragma once

#include "link/link_record.h"

// Name of the voice client's shared object. The POSIX backend reaches it as
// the shared-memory object "/MumbleLink".
constexpr char16_t LINK_MAPPING_NAME[] = u"MumbleLink";

// The attached link record, or null while detached. Null when the library is
// loaded; only attachLink() changes it.
extern LinkRecord* lm;

// Makes one attempt to attach, silently:
//  - no object of that name (or one that may not be opened): lm keeps its value;
//  - the object opens but its first 5460 bytes cannot be mapped: lm becomes null;
//  - otherwise lm points at a fresh read-write view of the record.
// The library holds at most one view: a successful or failed re-attachment
// releases the view and handle of the previous one, so calling this again and
// again costs no memory. Not thread-safe: one caller at a time.
void attachLink();
