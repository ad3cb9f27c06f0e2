// JNI: local references and local frames (a launcher needs no global ones).
#include "tests/standin/runtime/JniCall.h"

namespace tarn::standin {
namespace {

constexpr bool kExceptionSafe = true;

// Ends a reference the caller deletes, warning about every way the deletion can be wrong.
void DeleteRef(const JniCall& call, jobject ref) {
    if (ref == nullptr) return;
    RefSlot* slot = TheVm().refs.Slot(ref);
    std::lock_guard lock(TheVm().mutex);
    if (slot == nullptr) {
        call.Warn("invalid reference");
    } else if (slot->ended != nullptr) {
        call.Warn(std::string("local reference deleted again, after ") + slot->ended);
    } else if (slot->owner->threadId != GetCurrentThreadId()) {
        call.Warn("local reference of thread " + std::to_string(slot->owner->threadId) + " deleted on thread " +
                  std::to_string(GetCurrentThreadId()));
    } else {
        slot->ended = "DeleteLocalRef";
    }
}

void JNICALL DeleteLocalRef(JNIEnv* env, jobject ref) {
    JniCall call(env, "DeleteLocalRef", kExceptionSafe);
    const RefSlot* slot = TheVm().refs.Slot(ref);
    call.Trace(slot != nullptr ? Describe(slot->object) : "null");
    DeleteRef(call, ref);
}

jint JNICALL PushLocalFrame(JNIEnv* env, jint capacity) {
    JniCall call(env, "PushLocalFrame", kExceptionSafe);
    call.Trace(std::to_string(capacity));
    std::lock_guard lock(TheVm().mutex);
    call.Thread().frames.emplace_back();
    return JNI_OK;
}

jobject JNICALL PopLocalFrame(JNIEnv* env, jobject result) {
    JniCall call(env, "PopLocalFrame", kExceptionSafe);
    Object* object = call.Get(result);
    call.Trace(Describe(object));
    std::lock_guard lock(TheVm().mutex);
    auto& frames = call.Thread().frames;
    if (frames.size() < 2) {
        call.Warn("no frame pushed by PushLocalFrame");
        return call.Local(object);
    }
    TheVm().refs.End(frames.back(), "PopLocalFrame");
    frames.pop_back();
    return call.Local(object);
}

}  // namespace

void AddReferenceFunctions(JNINativeInterface_& table) {
    table.DeleteLocalRef = DeleteLocalRef;
    table.PushLocalFrame = PushLocalFrame;
    table.PopLocalFrame = PopLocalFrame;
}

}  // namespace tarn::standin
