#include <cstdio>

#include "tests/standin/common/TraceLog.h"
#include "tests/standin/runtime/Vm.h"

namespace tarn::standin {
namespace {

std::string Address(const void* pointer) {
    char text[32];
    std::snprintf(text, sizeof text, "%p", pointer);
    return text;
}

}  // namespace

jobject Refs::NewLocal(ThreadRecord& owner, Object* object) {
    if (object == nullptr) return nullptr;
    std::lock_guard lock(TheVm().mutex);
    RefSlot& slot = slots_.emplace_back();
    slot.object = object;
    slot.owner = &owner;
    known_.insert(&slot);
    owner.frames.back().push_back(&slot);
    return reinterpret_cast<jobject>(&slot);
}

RefSlot* Refs::Slot(jobject ref) {
    std::lock_guard lock(TheVm().mutex);
    auto* slot = reinterpret_cast<RefSlot*>(ref);
    return known_.count(slot) != 0 ? slot : nullptr;
}

Object* Refs::Resolve(jobject ref, std::string_view function) {
    if (ref == nullptr) return nullptr;
    const RefSlot* slot = Slot(ref);
    const std::string prefix = std::string(function) + ": ";
    if (slot == nullptr) {
        TraceWarning(prefix + "invalid reference " + Address(ref));
        return nullptr;
    }
    // The object itself is never freed, so going on after the warning cannot crash.
    if (slot->ended != nullptr) {
        TraceWarning(prefix + "local reference used after " + slot->ended);
    } else if (slot->owner->threadId != GetCurrentThreadId()) {
        TraceWarning(prefix + "local reference of thread " + std::to_string(slot->owner->threadId) +
                     " used on thread " + std::to_string(GetCurrentThreadId()));
    }
    return slot->object;
}

void Refs::End(std::vector<RefSlot*>& refs, const char* reason) {
    std::lock_guard lock(TheVm().mutex);
    for (RefSlot* slot : refs) {
        if (slot->ended == nullptr) slot->ended = reason;
    }
    refs.clear();
}

}  // namespace tarn::standin
