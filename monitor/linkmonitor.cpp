// linkmonitor: plays the voice client. Creates the link record's shared
// object, shows what a voice client would read from it, flags what looks
// wrong, and removes the object when it stops.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "path_picture.h"
#include "record_view.h"
#include "voice_client.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int POLL_MILLISECONDS = 5;
constexpr auto REDRAW_PERIOD = std::chrono::milliseconds(100);

struct Options {
    bool json = false;
    bool replace = false;
    const char* svg = nullptr;
    double duration = -1;
    double stall = 5;
};

const char* const USAGE =
    "usage: linkmonitor [--json] [--svg FILE] [--duration SECONDS] [--stall SECONDS] [--replace]\n"
    "\n"
    "Plays the voice client: creates the shared object the library attaches to, zeroed,\n"
    "and shows what a voice client would read from it until Ctrl-C or --duration.\n"
    "  --json       one JSON line per change, also on a terminal (the default elsewhere)\n"
    "  --svg FILE   on stopping, write a top-down picture of the avatar's path and facing\n"
    "  --duration S stop after S seconds\n"
    "  --stall S    warn when the tick has not moved for S seconds (default 5)\n"
    "  --replace    remove a leftover object of the same name first (not on Windows)\n";

bool parseNumber(const char* text, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && value >= 0;
}

bool parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--json") {
            options.json = true;
        } else if (arg == "--replace") {
            options.replace = true;
        } else if (arg == "--svg" && hasValue) {
            options.svg = argv[++i];
        } else if (arg == "--duration" && hasValue) {
            if (!parseNumber(argv[++i], options.duration)) return false;
        } else if (arg == "--stall" && hasValue) {
            if (!parseNumber(argv[++i], options.stall)) return false;
        } else {
            return false;
        }
    }
    return true;
}

double secondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

void redraw(const LinkRecord& record, double fps, const std::vector<std::string>& warnings) {
    std::string screen = "\x1b[H";
    screen += std::string("linkmonitor: playing the voice client on ") + voiceClientObjectName() +
              "; Ctrl-C stops\x1b[K\n\x1b[K\n";
    if (recordIsBlank(record)) {
        screen += "waiting for the first frame: the host calls initMumble, then updateMumble\x1b[K\n";
    } else {
        for (const std::string& line : recordLines(record, fps, warnings)) screen += line + "\x1b[K\n";
    }
    screen += "\x1b[J";
    std::fputs(screen.c_str(), stdout);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fputs(USAGE, stderr);
        return 2;
    }
    const bool terminal = !options.json && outputIsTerminal();

    VoiceClientObject object;
    std::string error;
    switch (createVoiceClientObject(object, options.replace, error)) {
        case CreateOutcome::Created:
            break;
        case CreateOutcome::AlreadyExists:
            std::fprintf(stderr,
                         "linkmonitor: %s already exists (%s): a voice client or another linkmonitor is "
                         "running.\nStop it, or remove a leftover object with --replace.\n",
                         voiceClientObjectName(), error.c_str());
            return 1;
        case CreateOutcome::Failed:
            std::fprintf(stderr, "linkmonitor: cannot create %s: %s\n", voiceClientObjectName(), error.c_str());
            return 1;
    }
    watchForStop();
    if (terminal) {
        std::fputs("\x1b[2J", stdout);
    } else {
        std::printf("{\"event\":\"created\",\"object\":\"%s\",\"size\":%zu}\n", voiceClientObjectName(),
                    LINK_RECORD_SIZE);
        std::fflush(stdout);
    }

    LinkRecord seen{}, snapshot{}, again{};
    PathPicture picture;
    const Clock::time_point start = Clock::now();
    Clock::time_point tickMovedAt = start, fpsWindowStart = start, lastDraw = start - REDRAW_PERIOD;
    std::uint32_t fpsWindowTick = 0;
    double fps = 0;
    std::uint64_t framesSeen = 0;
    std::vector<std::string> shownWarnings;
    bool screenStale = true;

    while (!stopRequested()) {
        Clock::time_point now = Clock::now();
        if (options.duration >= 0 && secondsBetween(start, now) >= options.duration) break;

        bool changed = false;
        std::memcpy(&snapshot, object.record, sizeof snapshot);
        if (std::memcmp(&snapshot, &seen, sizeof seen) != 0) {
            // The host writes field by field: take a frame only once two reads agree.
            sleepMilliseconds(1);
            std::memcpy(&again, object.record, sizeof again);
            if (std::memcmp(&again, &snapshot, sizeof again) == 0) {
                changed = true;
                now = Clock::now();
                if (again.uiTick != seen.uiTick) {
                    framesSeen += static_cast<std::uint32_t>(again.uiTick - seen.uiTick);
                    tickMovedAt = now;
                    addSample(picture, again.fAvatarPosition[0], again.fAvatarPosition[2], again.fAvatarFront[0],
                              again.fAvatarFront[2]);
                    picture.identity = utf16ToUtf8(again.identity, LINK_IDENTITY_UNITS);
                }
                seen = again;
            }
        }
        if (now - fpsWindowStart >= std::chrono::seconds(1)) {
            const double newFps = static_cast<std::uint32_t>(seen.uiTick - fpsWindowTick) / secondsBetween(fpsWindowStart, now);
            screenStale = screenStale || newFps != fps;
            fps = newFps;
            fpsWindowTick = seen.uiTick;
            fpsWindowStart = now;
        }
        const std::vector<std::string> warnings =
            recordWarnings(seen, secondsBetween(tickMovedAt, now), options.stall);
        const bool warningsChanged = warnings != shownWarnings;
        shownWarnings = warnings;

        if (!terminal) {
            if (changed || warningsChanged) {
                std::puts(recordJson(seen, fps, warnings).c_str());
                std::fflush(stdout);
            }
        } else {
            screenStale = screenStale || changed || warningsChanged;
            if (screenStale && now - lastDraw >= REDRAW_PERIOD) {
                redraw(seen, fps, warnings);
                lastDraw = now;
                screenStale = false;
            }
        }
        sleepMilliseconds(POLL_MILLISECONDS);
    }

    removeVoiceClientObject(object);
    bool svgWritten = false;
    if (options.svg != nullptr) {
        if (std::FILE* out = std::fopen(options.svg, "w")) {
            writeSvg(picture, out);
            svgWritten = std::fclose(out) == 0;
        }
        if (!svgWritten) std::fprintf(stderr, "linkmonitor: cannot write %s\n", options.svg);
    }
    if (terminal) {
        redraw(seen, fps, shownWarnings);
        std::printf("\nremoved %s after %llu frames", voiceClientObjectName(),
                    static_cast<unsigned long long>(framesSeen));
        if (svgWritten) std::printf("; path drawn in %s", options.svg);
        std::printf("\n");
    } else {
        std::printf("{\"event\":\"removed\",\"object\":\"%s\",\"frames\":%llu%s%s%s}\n", voiceClientObjectName(),
                    static_cast<unsigned long long>(framesSeen), svgWritten ? ",\"svg\":\"" : "",
                    svgWritten ? options.svg : "", svgWritten ? "\"" : "");
    }
    return 0;
}
