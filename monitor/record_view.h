// What a voice client would read from a link record, decoded for people and
// scripts, and the checks that flag a record that looks wrong.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "link/link_record.h"

// True while nothing has written the record yet (all bytes zero).
bool recordIsBlank(const LinkRecord& record);

// UTF-16 units up to the first zero unit or `count`, as UTF-8. Unpaired
// surrogates become U+FFFD.
std::string utf16ToUtf8(const Utf16Unit* units, std::size_t count);

// The meaningful context bytes: context_len of them, at most 256.
std::size_t contextByteCount(const LinkRecord& record);

// Problems a voice client would have with the record. `secondsSinceTickMoved`
// is how long the tick has stood still; it is flagged from `stallSeconds` on.
std::vector<std::string> recordWarnings(const LinkRecord& record, double secondsSinceTickMoved,
                                        double stallSeconds);

// One JSON object on one line: every field decoded, the frame rate and the warnings.
std::string recordJson(const LinkRecord& record, double framesPerSecond,
                       const std::vector<std::string>& warnings);

// The same as lines of text for a terminal.
std::vector<std::string> recordLines(const LinkRecord& record, double framesPerSecond,
                                     const std::vector<std::string>& warnings);
