// A small JNI environment of our own, enough for the library's entry points:
// strings with GetStringLength, GetStringChars and ReleaseStringChars, and
// the pending-exception calls. It counts every get and release, hands out a
// fresh copy of exactly the string's length (as HotSpot does), and can be
// told to fail GetStringChars as a virtual machine out of memory would.
#pragma once

#include <jni.h>

#include <cstring>
#include <string>
#include <vector>

struct FakeString {
    std::vector<jchar> units;
    bool charsUnavailable = false;
};

struct FakeJni {
    JNINativeInterface_ table;
    JNIEnv env;
    int lengthCalls = 0;
    int gets = 0;
    int releases = 0;
    int releaseMismatches = 0;
    bool exceptionPending = false;
    int callsWithExceptionPending = 0;  // misuse that -Xcheck:jni reports
    int exceptionsCleared = 0;

    FakeJni() {
        std::memset(&table, 0, sizeof table);
        table.reserved0 = this;
        table.GetStringLength = &getStringLength;
        table.GetStringChars = &getStringChars;
        table.ReleaseStringChars = &releaseStringChars;
        table.ExceptionCheck = &exceptionCheck;
        table.ExceptionClear = &exceptionClear;
        env.functions = &table;
    }
    FakeJni(const FakeJni&) = delete;
    FakeJni& operator=(const FakeJni&) = delete;

    static jstring string(FakeString& s) { return reinterpret_cast<jstring>(&s); }

private:
    static FakeJni& of(JNIEnv* env) { return *static_cast<FakeJni*>(env->functions->reserved0); }
    static FakeString& of(jstring s) { return *reinterpret_cast<FakeString*>(s); }

    static jsize JNICALL getStringLength(JNIEnv* env, jstring s) {
        FakeJni& jni = of(env);
        ++jni.lengthCalls;
        if (jni.exceptionPending) ++jni.callsWithExceptionPending;
        return static_cast<jsize>(of(s).units.size());
    }
    static const jchar* JNICALL getStringChars(JNIEnv* env, jstring s, jboolean* isCopy) {
        FakeJni& jni = of(env);
        ++jni.gets;
        if (jni.exceptionPending) ++jni.callsWithExceptionPending;
        if (of(s).charsUnavailable) {
            jni.exceptionPending = true;
            return nullptr;
        }
        if (isCopy != nullptr) *isCopy = JNI_TRUE;
        jchar* copy = new jchar[of(s).units.size()];
        std::memcpy(copy, of(s).units.data(), of(s).units.size() * sizeof(jchar));
        return copy;
    }
    static void JNICALL releaseStringChars(JNIEnv* env, jstring, const jchar* chars) {
        FakeJni& jni = of(env);
        ++jni.releases;
        if (jni.exceptionPending) ++jni.callsWithExceptionPending;
        if (chars == nullptr) ++jni.releaseMismatches;
        delete[] chars;
    }
    static jboolean JNICALL exceptionCheck(JNIEnv* env) {
        return of(env).exceptionPending ? JNI_TRUE : JNI_FALSE;
    }
    static void JNICALL exceptionClear(JNIEnv* env) {
        FakeJni& jni = of(env);
        if (jni.exceptionPending) ++jni.exceptionsCleared;
        jni.exceptionPending = false;
    }
};
