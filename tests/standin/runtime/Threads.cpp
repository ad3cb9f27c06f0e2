#include "tests/standin/common/TraceLog.h"
#include "tests/standin/runtime/Lang.h"
#include "tests/standin/runtime/Vm.h"

namespace tarn::standin {
namespace {

struct StartRecord {
    std::function<void(ThreadRecord&)> body;
    ThreadRecord* record;
};

// Each thread's own record, so that a JNI call learns without asking the system whether the record
// found for its thread id is its own or that of an earlier thread with the same id.
DWORD OwnRecordSlot() {
    static const DWORD slot = TlsAlloc();
    return slot;
}

DWORD WINAPI ProgramThread(void* parameter) {
    std::unique_ptr<StartRecord> start(static_cast<StartRecord*>(parameter));
    TlsSetValue(OwnRecordSlot(), start->record);
    start->body(*start->record);
    // Like a Java thread whose run method throws: the default handler prints it.
    if (start->record->pending != nullptr) PrintUncaught(*start->record);
    TheVm().threads.Detach(*start->record);
    return 0;
}

}  // namespace

ThreadRecord& Threads::Attach(const std::string& name, bool daemon) {
    std::lock_guard lock(TheVm().mutex);
    auto record = std::make_unique<ThreadRecord>();
    record->env.functions = JniFunctions();
    record->threadId = GetCurrentThreadId();
    record->name = name;
    record->daemon = daemon;
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &record->osThread, SYNCHRONIZE, FALSE,
                    0);
    current_[record->threadId] = record.get();
    envs_[&record->env] = record.get();
    TlsSetValue(OwnRecordSlot(), record.get());
    records_.push_back(std::move(record));
    return *records_.back();
}

ThreadRecord* Threads::Current() {
    const void* own = TlsGetValue(OwnRecordSlot());
    std::lock_guard lock(TheVm().mutex);
    const auto found = current_.find(GetCurrentThreadId());
    if (found == current_.end()) return nullptr;
    // Thread ids are reused: a record that is not this thread's own belongs to an earlier thread,
    // which ended while attached.
    ThreadRecord* record = found->second;
    if (record != own) {
        ReportEnded(*record);
        current_.erase(found);
        return nullptr;
    }
    return record;
}

void Threads::ReportEnded(ThreadRecord& record) {
    // A real VM would keep such a thread for ever (and DestroyJavaVM would wait for it).
    if (!record.endReported) {
        TraceWarning("thread " + std::to_string(record.threadId) + " (" + record.name +
                     ") ended while attached to the VM: DetachCurrentThread was never called");
        record.endReported = true;
    }
    record.attached = false;
}

ThreadRecord* Threads::FromEnv(const JNIEnv* env) {
    std::lock_guard lock(TheVm().mutex);
    const auto found = envs_.find(env);
    return found == envs_.end() ? nullptr : found->second;
}

void Threads::Detach(ThreadRecord& record) {
    std::lock_guard lock(TheVm().mutex);
    record.attached = false;
    for (std::vector<RefSlot*>& frame : record.frames) TheVm().refs.End(frame, "its thread detached");
    record.frames.assign(1, {});
    if (const auto found = current_.find(record.threadId); found != current_.end() && found->second == &record) {
        current_.erase(found);
    }
}

std::string Threads::NextName() {
    std::lock_guard lock(TheVm().mutex);
    return "Thread-" + std::to_string(nextNumber_++);
}

void Threads::Start(bool daemon, std::function<void(ThreadRecord&)> body) {
    std::lock_guard lock(TheVm().mutex);
    auto record = std::make_unique<ThreadRecord>();
    record->env.functions = JniFunctions();
    record->name = NextName();
    record->daemon = daemon;
    auto* start = new StartRecord{std::move(body), record.get()};
    record->osThread = CreateThread(nullptr, 0, ProgramThread, start, CREATE_SUSPENDED, &record->threadId);
    if (record->osThread == nullptr) {
        delete start;
        return;
    }
    current_[record->threadId] = record.get();
    envs_[&record->env] = record.get();
    TraceLine("Thread.start",
              record->name + (daemon ? " (daemon)" : "") + " thread " + std::to_string(record->threadId));
    ResumeThread(record->osThread);
    records_.push_back(std::move(record));
}

bool Threads::OthersAlive(const ThreadRecord* self) {
    std::lock_guard lock(TheVm().mutex);
    for (const auto& record : records_) {
        if (record.get() == self || !record->attached || record->daemon) continue;
        if (record->osThread != nullptr && WaitForSingleObject(record->osThread, 0) == WAIT_OBJECT_0) {
            ReportEnded(*record);
            continue;
        }
        return true;
    }
    return false;
}

void Threads::WaitForNonDaemonThreads(const ThreadRecord* self) {
    while (OthersAlive(self)) Sleep(10);
}

}  // namespace tarn::standin
