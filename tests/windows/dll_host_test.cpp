// Plays the voice client and the JVM around the built DLL: creates the
// "MumbleLink" mapping, loads mumblezevrin.dll, finds both entry points by
// their plain JNI names and drives them through a JNI environment of our own.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "../fake_jni.h"

namespace {

using InitMumble = void(JNICALL*)(JNIEnv*, jclass);
using UpdateMumble = void(JNICALL*)(JNIEnv*, jclass, jstring, jfloat, jfloat, jfloat, jfloat, jfloat,
                                    jfloat, jfloat, jfloat, jstring);

void* entryPoint(HMODULE library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(library, name));
}

int passed = 0, failed = 0;

void check(bool ok, const char* what) {
    if (ok) {
        ++passed;
    } else {
        ++failed;
        std::printf("FAIL: %s\n", what);
    }
}

FakeString fake(std::u16string_view text) { return FakeString{{text.begin(), text.end()}}; }

std::uint32_t u32(const unsigned char* record, std::size_t offset) {
    std::uint32_t value;
    std::memcpy(&value, record + offset, 4);
    return value;
}

float f32(const unsigned char* record, std::size_t offset) {
    float value;
    std::memcpy(&value, record + offset, 4);
    return value;
}

bool unitsAre(const unsigned char* record, std::size_t offset, std::u16string_view text, std::size_t field) {
    for (std::size_t i = 0; i < field; ++i) {
        const unsigned expected = i < text.size() ? text[i] : 0;
        if (record[offset + 2 * i] != (expected & 0xFF) || record[offset + 2 * i + 1] != (expected >> 8))
            return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const char* dll = argc > 1 ? argv[1] : "mumblezevrin.dll";
    const HMODULE library = LoadLibraryA(dll);
    check(library != nullptr, "LoadLibrary finds the DLL and its dependencies");
    if (library == nullptr) return 1;
    const auto initMumble =
        reinterpret_cast<InitMumble>(entryPoint(library, "Java_NET_tellandrix_MumbleLink_initMumble"));
    const auto updateMumble =
        reinterpret_cast<UpdateMumble>(entryPoint(library, "Java_NET_tellandrix_MumbleLink_updateMumble"));
    check(initMumble != nullptr && updateMumble != nullptr, "GetProcAddress finds both entry points");
    if (initMumble == nullptr || updateMumble == nullptr) return 1;

    FakeJni jni;
    FakeString alice = fake(u"Alice"), context = fake(u"ABCDEFGHIJ");
    const auto frame = [&](jstring identity, float a, float b, float c) {
        updateMumble(&jni.env, nullptr, identity, a, b, c, a + 10, b + 10, c + 10, 0, 0, FakeJni::string(context));
    };

    // No voice client yet.
    initMumble(&jni.env, nullptr);
    frame(FakeJni::string(alice), 1, 2, 3);
    check(jni.gets == 0 && jni.lengthCalls == 0, "without a mapping no string is read");

    // A mapping smaller than the record cannot be mapped: still detached.
    const HANDLE tooSmall = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 100, L"MumbleLink");
    check(tooSmall != nullptr, "voice client creates a mapping of 100 bytes");
    initMumble(&jni.env, nullptr);
    frame(FakeJni::string(alice), 1, 2, 3);
    check(jni.gets == 0, "a mapping smaller than the record is not attached");
    CloseHandle(tooSmall);

    const HANDLE mapping =
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 5460, L"MumbleLink");
    check(mapping != nullptr, "voice client creates the mapping");
    const auto record = static_cast<const unsigned char*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 5460));
    check(record != nullptr, "voice client maps it");
    if (record == nullptr) return 1;

    frame(FakeJni::string(alice), 1, 2, 3);
    check(u32(record, 4) == 0, "a frame before initMumble is not published");

    initMumble(&jni.env, nullptr);
    frame(FakeJni::string(alice), 1, 2, 3);
    check(u32(record, 0) == 2, "first frame: version 2");
    check(u32(record, 4) == 1, "first frame: tick 1");
    check(unitsAre(record, 44, u"ZevrinMumbleLink", 256), "first frame: name");
    check(unitsAre(record, 1364, u"ZevrinMumbleLink is a link for tellandrix.net", 2048), "first frame: description");
    check(u32(record, 1104) == 16, "context_len 16");
    check(std::memcmp(record + 1108, "A\0B\0C\0D\0E\0F\0G\0H\0", 16) == 0, "context bytes: first 8 units");

    const float avatar[] = {f32(record, 8), f32(record, 12), f32(record, 16)};
    const float camera[] = {f32(record, 556), f32(record, 560), f32(record, 564)};
    check(avatar[0] == 1 && avatar[1] == 3 && avatar[2] == 2, "avatar position in x, y, z order");
    check(camera[0] == 11 && camera[1] == 13 && camera[2] == 12, "camera position in x, y, z order");
    check(f32(record, 20) == 1 && f32(record, 24) == 0 && f32(record, 28) == 0, "facing (1, 0, 0) at angles 0");
    check(f32(record, 568) == 0 && f32(record, 572) == 0 && f32(record, 576) == 1, "camera front (0, 0, 1)");

    initMumble(&jni.env, nullptr);  // again: same shared record
    FakeString longIdentity = fake(std::u16string(300, u'x'));
    frame(FakeJni::string(longIdentity), 4, 5, 6);
    check(u32(record, 4) == 2, "second frame: tick 2");
    check(unitsAre(record, 592, std::u16string(256, u'x'), 256), "identity cut at 256 units, no terminator");
    frame(nullptr, 4, 5, 6);
    check(unitsAre(record, 592, u"", 256), "null identity is empty");

    check(jni.gets == jni.releases && jni.gets == 5, "every get is released");
    check(jni.callsWithExceptionPending == 0, "no JNI call with an exception pending");

    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
