// The stand-in VM's objects, classes, methods and threads.
#pragma once
#include <windows.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "tests/standin/runtime/StandinJni.h"

namespace tarn::standin {

struct ClassInfo;
struct ThreadRecord;
struct ScriptMethod;
struct ClassScript;
struct RefSlot;

enum class Kind { Plain, Class, String, CharArray, ObjectArray, FileStream, PrintStream, ByteStream, Throwable };

// One Java object. Objects are never collected: a test run is short, and a stale reference can
// then always be diagnosed instead of crashing.
struct Object {
    Kind kind = Kind::Plain;
    ClassInfo* cls = nullptr;
    int id = 0;
    std::u16string text;               // String, char[], a throwable's message
    bool hasMessage = false;           // a throwable's message may be null
    std::vector<Object*> elements;     // Object[]
    ClassInfo* represented = nullptr;  // Class: the class it stands for; Object[]: the element class
    Object* target = nullptr;          // PrintStream: the stream it writes to
    HANDLE file = nullptr;             // FileStream on a file
    DWORD standardHandle = 0;          // FileStream on a standard handle: STD_OUTPUT_HANDLE, STD_ERROR_HANDLE
    std::wstring path;                 // FileStream: the file name
    std::string bytes;                 // ByteStream: what was written
    std::vector<std::string> frames;   // Throwable: "com.example.App.main(App.java:3)"
};

// A Java value; which member counts follows the type in the method signature.
struct Value {
    jlong number = 0;
    Object* object = nullptr;
};

using NativeMethod = Value (*)(ThreadRecord& thread, Object* self, const std::vector<Value>& arguments);

struct MethodInfo {
    ClassInfo* owner = nullptr;
    std::string name;
    std::string signature;
    bool isStatic = false;
    NativeMethod native = nullptr;
    const ScriptMethod* script = nullptr;
    char ReturnType() const { return signature[signature.find(')') + 1]; }
    std::string Describe() const;  // com/example/App.main([Ljava/lang/String;)V
};

struct ClassInfo {
    std::string name;  // a/b/C
    ClassInfo* super = nullptr;
    bool boot = false;  // part of the runtime's own class library
    Kind instanceKind = Kind::Plain;
    std::deque<MethodInfo> methods;
    Object* mirror = nullptr;  // its java/lang/Class object
    std::shared_ptr<const ClassScript> script;

    // Instance lookups search the superclasses; "<init>" and static methods only this class.
    const MethodInfo* FindMethod(const std::string& name, const std::string& signature, bool isStatic) const;
    bool IsSubclassOf(const ClassInfo* other) const;
    std::string DottedName() const;
};

// A thread the VM knows: the creating thread, attached native threads and the program's own threads.
struct ThreadRecord {
    JNIEnv_ env{};  // the JNIEnv handed out for this attachment
    DWORD threadId = 0;
    std::string name;
    bool attached = true;
    bool daemon = false;
    bool endReported = false;   // ended without detaching: reported once
    HANDLE osThread = nullptr;  // to notice a thread that ended while attached
    Object* pending = nullptr;  // the pending exception
    std::vector<std::vector<RefSlot*>> frames = std::vector<std::vector<RefSlot*>>(1);
};

// What a jobject points to. Slots are never freed, so a deleted reference can be recognised.
struct RefSlot {
    Object* object = nullptr;
    ThreadRecord* owner = nullptr;
    const char* ended = nullptr;    // why the reference is no longer valid, or null
};

}  // namespace tarn::standin
