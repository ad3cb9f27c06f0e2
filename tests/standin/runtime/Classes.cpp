#include "tests/standin/common/TraceLog.h"
#include "tests/standin/runtime/Script.h"
#include "tests/standin/runtime/Vm.h"

namespace tarn::standin {
namespace {

Value NoOperation(ThreadRecord&, Object*, const std::vector<Value>&) { return {}; }

// JNI class names use slashes; dots, array descriptors and empty parts never name a loadable class.
bool IsBinaryName(const std::string& name) {
    if (name.empty() || name.front() == '/' || name.back() == '/') return false;
    return name.find_first_of(".;[") == std::string::npos && name.find("//") == std::string::npos;
}

}  // namespace

std::string MethodInfo::Describe() const { return owner->name + "." + name + signature; }

const MethodInfo* ClassInfo::FindMethod(const std::string& name, const std::string& signature, bool isStatic) const {
    for (const ClassInfo* cls = this; cls != nullptr; cls = cls->super) {
        for (const MethodInfo& method : cls->methods) {
            if (method.name == name && method.signature == signature)
                return method.isStatic == isStatic ? &method : nullptr;
        }
        if (name == "<init>") break;
    }
    return nullptr;
}

bool ClassInfo::IsSubclassOf(const ClassInfo* other) const {
    for (const ClassInfo* cls = this; cls != nullptr; cls = cls->super) {
        if (cls == other) return true;
    }
    return false;
}

std::string ClassInfo::DottedName() const {
    std::string dotted = name;
    for (char& c : dotted) {
        if (c == '/') c = '.';
    }
    return dotted;
}

ClassInfo* Classes::Add(std::unique_ptr<ClassInfo> cls) {
    std::lock_guard lock(TheVm().mutex);
    ClassInfo* added = cls.get();
    const std::string name = cls->name;
    classes_[name] = std::move(cls);
    added->mirror = TheVm().heap.New(Boot("java/lang/Class"));
    added->mirror->represented = added;
    return added;
}

ClassInfo* Classes::DefineBoot(const std::string& name, const std::string& super, Kind kind) {
    auto cls = std::make_unique<ClassInfo>();
    cls->name = name;
    cls->super = super.empty() ? nullptr : Boot(super);
    cls->boot = true;
    cls->instanceKind = kind == Kind::Plain && cls->super != nullptr ? cls->super->instanceKind : kind;
    return Add(std::move(cls));
}

void Classes::AddNative(ClassInfo* cls, const std::string& name, const std::string& signature, bool isStatic,
                        NativeMethod native) {
    MethodInfo& method = cls->methods.emplace_back();
    method.owner = cls;
    method.name = name;
    method.signature = signature;
    method.isStatic = isStatic;
    method.native = native;
}

ClassInfo* Classes::Boot(const std::string& name) {
    std::lock_guard lock(TheVm().mutex);
    const auto found = classes_.find(name);
    return found != classes_.end() && found->second->boot ? found->second.get() : nullptr;
}

ClassInfo* Classes::Load(const std::string& name, std::string& formatError) {
    std::lock_guard lock(TheVm().mutex);
    if (const auto found = classes_.find(name); found != classes_.end()) return found->second.get();
    if (!IsBinaryName(name)) return nullptr;
    const std::optional<std::string> bytes = TheVm().classPath.Read(name + ".class");
    if (!bytes) return nullptr;
    std::string error;
    std::shared_ptr<const ClassScript> script = ParseClassScript(*bytes, error);
    if (!script) {
        formatError = name + ".class, " + error;
        TraceLine("LoadClass", "rejected " + formatError);
        return nullptr;
    }
    auto cls = std::make_unique<ClassInfo>();
    cls->name = name;
    cls->super = Boot("java/lang/Object");
    cls->script = script;
    for (const ScriptMethod& scriptMethod : script->methods) {
        MethodInfo& method = cls->methods.emplace_back();
        method.owner = cls.get();
        method.name = scriptMethod.name;
        method.signature = scriptMethod.Signature();
        method.isStatic = true;
        method.script = &scriptMethod;
    }
    AddNative(cls.get(), "<init>", "()V", false, NoOperation);
    TraceLine("LoadClass", name);
    return Add(std::move(cls));
}

ClassInfo* Classes::ThrowableClass(const std::string& name) {
    std::lock_guard lock(TheVm().mutex);
    std::string slashed = name;
    for (char& c : slashed) {
        if (c == '.') c = '/';
    }
    if (const auto found = classes_.find(slashed); found != classes_.end()) return found->second.get();
    const bool isError = slashed.size() > 5 && slashed.compare(slashed.size() - 5, 5, "Error") == 0;
    ClassInfo* super = Boot(isError ? "java/lang/Error" : "java/lang/RuntimeException");
    auto cls = std::make_unique<ClassInfo>();
    cls->name = slashed;
    cls->super = super;
    cls->instanceKind = Kind::Throwable;
    for (const MethodInfo& constructor : super->methods) {
        if (constructor.name == "<init>")
            AddNative(cls.get(), "<init>", constructor.signature, false, constructor.native);
    }
    return Add(std::move(cls));
}

ClassInfo* Classes::ArrayClass(ClassInfo* element) {
    std::lock_guard lock(TheVm().mutex);
    const std::string name = element->name[0] == '[' ? "[" + element->name : "[L" + element->name + ";";
    if (const auto found = classes_.find(name); found != classes_.end()) return found->second.get();
    auto cls = std::make_unique<ClassInfo>();
    cls->name = name;
    cls->super = Boot("java/lang/Object");
    cls->boot = element->boot;
    cls->instanceKind = Kind::ObjectArray;
    return Add(std::move(cls));
}

}  // namespace tarn::standin
