// The two JNI entry points of NET.tellandrix.MumbleLink. They only turn JNI
// arguments into a frame and hand it to the link.
#include "NET_tellandrix_MumbleLink.h"

#include "link/frame_publication.h"
#include "link/link_attachment.h"

#include <type_traits>

static_assert(std::is_same_v<jchar, Utf16Unit>, "Java characters are the record's text units");

namespace {

// A Java string's UTF-16 units, borrowed from the virtual machine.
struct BorrowedText {
    jstring string;
    const jchar* chars;
    Utf16Text text;
};

// A null string, or one whose characters the virtual machine cannot provide,
// reads as empty. The error such a failure leaves pending is cleared: the
// library raises nothing in its host.
BorrowedText borrowText(JNIEnv* env, jstring string) {
    BorrowedText borrowed{string, nullptr, {nullptr, 0}};
    if (string == nullptr) return borrowed;
    const jsize length = env->GetStringLength(string);
    borrowed.chars = env->GetStringChars(string, nullptr);
    if (borrowed.chars == nullptr) {
        if (env->ExceptionCheck()) env->ExceptionClear();
        return borrowed;
    }
    borrowed.text = {borrowed.chars, static_cast<std::size_t>(length > 0 ? length : 0)};
    return borrowed;
}

void giveBack(JNIEnv* env, const BorrowedText& borrowed) {
    if (borrowed.chars != nullptr) env->ReleaseStringChars(borrowed.string, borrowed.chars);
}

}  // namespace

extern "C" {

JNIEXPORT void JNICALL Java_NET_tellandrix_MumbleLink_initMumble(JNIEnv*, jclass) { attachLink(); }

JNIEXPORT void JNICALL Java_NET_tellandrix_MumbleLink_updateMumble(
    JNIEnv* env, jclass, jstring identity, jfloat avatarX, jfloat avatarZ, jfloat avatarY,
    jfloat cameraX, jfloat cameraZ, jfloat cameraY, jfloat azimuth, jfloat elevation,
    jstring context) {
    LinkRecord* const record = lm;
    if (record == nullptr) return;

    const BorrowedText identityText = borrowText(env, identity);
    const BorrowedText contextText = borrowText(env, context);
    publishFrame(record, LinkFrame{identityText.text, avatarX, avatarZ, avatarY, cameraX, cameraZ,
                                   cameraY, azimuth, elevation, contextText.text});
    giveBack(env, contextText);
    giveBack(env, identityText);
}

}  // extern "C"
