#include "tests/standin/runtime/JniCall.h"

namespace tarn::standin {

JniCall::JniCall(JNIEnv* env, const char* function, bool exceptionSafe) : function_(function) {
    Vm& vm = TheVm();
    thread_ = vm.threads.FromEnv(env);
    if (thread_ == nullptr) {
        Warn("called with a JNIEnv this VM never handed out");
        VmAbort(std::string("invalid JNIEnv passed to ") + function);
    }
    const DWORD self = GetCurrentThreadId();
    const ThreadRecord* current = vm.threads.Current();
    if (vm.state == Vm::State::Destroyed) {
        Warn("called after DestroyJavaVM");
    } else if (current == nullptr) {
        Warn(thread_->threadId == self ? "JNIEnv used after DetachCurrentThread"
                                       : "thread " + std::to_string(self) + " is not attached to the VM");
    } else if (current != thread_) {
        Warn(thread_->threadId == self
                 ? "JNIEnv of an earlier attachment of this thread used"
                 : "JNIEnv of thread " + std::to_string(thread_->threadId) + " used on thread " + std::to_string(self));
    }
    if (!exceptionSafe && thread_->pending != nullptr) {
        Warn("called with an exception pending (" + thread_->pending->cls->name + ")");
    }
}

ClassInfo* JniCall::ClassOf(jclass cls) const {
    const Object* object = Get(cls);
    if (object == nullptr) {
        Warn("null class");
        return nullptr;
    }
    if (object->kind != Kind::Class) {
        Warn("not a class: " + Describe(object));
        return nullptr;
    }
    return object->represented;
}

std::string JniCall::Outcome() const {
    return thread_->pending != nullptr ? " [" + thread_->pending->cls->name + " pending]" : std::string();
}

jmethodID JniCall::MethodId(const MethodInfo* method) const {
    if (method == nullptr) return nullptr;
    std::lock_guard lock(TheVm().mutex);
    TheVm().methodIds.insert(method);
    return reinterpret_cast<jmethodID>(const_cast<MethodInfo*>(method));
}

const MethodInfo* JniCall::Method(jmethodID id) const {
    const auto* method = reinterpret_cast<const MethodInfo*>(id);
    std::lock_guard lock(TheVm().mutex);
    if (TheVm().methodIds.count(method) != 0) return method;
    Warn(id == nullptr ? "null method ID" : "invalid method ID");
    return nullptr;
}

}  // namespace tarn::standin
