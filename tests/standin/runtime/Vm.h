// The one VM of this library: its state, and the parts every other file of the runtime shares.
#pragma once
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "tests/standin/runtime/ClassPath.h"
#include "tests/standin/runtime/Model.h"
#include "tests/standin/runtime/Options.h"

namespace tarn::standin {

// Boot classes and the classes of the class path.
class Classes {
public:
    ClassInfo* DefineBoot(const std::string& name, const std::string& super, Kind kind);
    void AddNative(ClassInfo* cls, const std::string& name, const std::string& signature, bool isStatic,
                   NativeMethod native);
    ClassInfo* Boot(const std::string& name);  // null when not part of the class library
    // A boot class or one from the class path; null when there is none. A class file that is not a
    // valid script gives null with the reason in formatError.
    ClassInfo* Load(const std::string& name, std::string& formatError);
    // The class of an exception a script throws: known, or made up as a RuntimeException.
    ClassInfo* ThrowableClass(const std::string& name);
    ClassInfo* ArrayClass(ClassInfo* element);

private:
    ClassInfo* Add(std::unique_ptr<ClassInfo> cls);

    std::map<std::string, std::unique_ptr<ClassInfo>> classes_;
};

class Heap {
public:
    Object* New(ClassInfo* cls);
    Object* NewString(std::u16string text);
    Object* NewCharArray(std::u16string units);
    Object* NewObjectArray(ClassInfo* element, size_t length, Object* initial);
    Object* NewThrowable(ClassInfo* cls, const std::u16string* message);

private:
    std::deque<std::unique_ptr<Object>> objects_;
    int nextId_ = 1;
};

class Threads {
public:
    // Attaches the calling thread with a new JNIEnv.
    ThreadRecord& Attach(const std::string& name, bool daemon);
    ThreadRecord* Current();                   // the calling thread's record while it is attached
    ThreadRecord* FromEnv(const JNIEnv* env);  // null when env was never handed out
    void Detach(ThreadRecord& record);         // its local references end
    std::string NextName();                    // Thread-0, Thread-1, ...
    // A program thread (the script's "thread" and "daemon" commands).
    void Start(bool daemon, std::function<void(ThreadRecord&)> body);
    // Blocks until every attached non-daemon thread other than self has ended or detached.
    void WaitForNonDaemonThreads(const ThreadRecord* self);

private:
    bool OthersAlive(const ThreadRecord* self);
    void ReportEnded(ThreadRecord& record);

    std::deque<std::unique_ptr<ThreadRecord>> records_;
    std::unordered_map<DWORD, ThreadRecord*> current_;
    std::unordered_map<const JNIEnv*, ThreadRecord*> envs_;
    int nextNumber_ = 0;
};

class Refs {
public:
    jobject NewLocal(ThreadRecord& owner, Object* object);  // null for a null object
    // The object behind ref; warns (and answers null) for a reference that has ended, belongs to
    // another thread or is not a reference at all.
    Object* Resolve(jobject ref, std::string_view function);
    RefSlot* Slot(jobject ref);
    void End(std::vector<RefSlot*>& refs, const char* reason);

private:
    std::deque<RefSlot> slots_;
    std::unordered_set<const RefSlot*> known_;
};

class Vm {
public:
    enum class State { None, Running, Destroyed };

    std::recursive_mutex mutex;  // guards the tables; never held while Java code runs
    State state = State::None;
    JavaVM_ javaVm{};
    VmSettings settings;
    std::map<std::string, std::u16string> properties;
    Object* out = nullptr;  // System.out and System.err
    Object* err = nullptr;
    Classes classes;
    Heap heap;
    Threads threads;
    Refs refs;
    ClassPath classPath;
    std::optional<ModuleFolder> mainModule;  // -Djdk.module.main, resolved at creation
    std::unordered_set<const char*> utfChars;         // from GetStringUTFChars, not yet released
    std::unordered_set<const MethodInfo*> methodIds;  // handed out by GetMethodID, GetStaticMethodID
    std::vector<std::u16string> shutdownHooks;        // Runtime.addShutdownHook: each prints its text

    jint Create(const JavaVMInitArgs& arguments, ThreadRecord*& mainThread);
};

Vm& TheVm();
void DefineLangClasses(Classes& classes);
void DefineIoClasses(Classes& classes);
void DefineLauncherHelper(Classes& classes);
const JNINativeInterface_* JniFunctions();
const JNIInvokeInterface_* InvokeFunctions();

// A message of the VM itself, to standard error.
void VmMessage(const std::string& text);
// Waits (at most a minute) until the test sets the named event: lets a test hold a program at a
// point of its choosing, without timing.
void AwaitTestEvent(const std::string& name);
// Runs the shutdown hooks once, as System.exit and the VM's end do.
void RunShutdownHooks();
[[noreturn]] void SystemExit(jint code);
// What a real VM does when it aborts: the "abort" hook, then the end of the process.
[[noreturn]] void VmAbort(const std::string& why);

}  // namespace tarn::standin
