// Runs class scripts.
#include "tests/standin/common/Utf.h"
#include "tests/standin/runtime/Lang.h"
#include "tests/standin/runtime/Script.h"
#include "tests/standin/runtime/Vm.h"

namespace tarn::standin {
namespace {

std::u16string Text(const std::string& utf8) { return FromUtf8(utf8); }

std::u16string PropertyLine(const std::string& name) {
    std::lock_guard lock(TheVm().mutex);
    const auto found = TheVm().properties.find(name);
    return Text(name + "=") + (found == TheVm().properties.end() ? u"null" : found->second);
}

std::u16string EnvironmentLine(const std::string& name) {
    const std::wstring wide = ToWide(FromUtf8(name));
    const DWORD size = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
    if (size == 0) return Text(name + "=null");
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(wide.c_str(), value.data(), size));
    return Text(name + "=") + FromWide(value);
}

// A new exception with the one stack frame of the script line that throws it.
Object* ScriptException(const MethodInfo& method, const Command& command) {
    const std::u16string message = Text(command.text);
    Object* exception =
        TheVm().heap.NewThrowable(TheVm().classes.ThrowableClass(command.word), command.hasText ? &message : nullptr);
    const std::string& owner = method.owner->name;
    const std::string simpleName = owner.substr(owner.rfind('/') + 1);
    exception->frames.push_back(method.owner->DottedName() + "." + method.name + "(" + simpleName +
                                ".java:" + std::to_string(command.line) + ")");
    return exception;
}

void PrintArguments(ThreadRecord& thread, const Object* arguments, bool countOnly) {
    if (arguments == nullptr) {
        Throw(thread, "java/lang/NullPointerException", nullptr);
        return;
    }
    if (countOnly) {
        PrintLine(thread, TheVm().out, Text(std::to_string(arguments->elements.size())));
        return;
    }
    for (const Object* argument : arguments->elements) {
        PrintLine(thread, TheVm().out, argument != nullptr ? argument->text : u"null");
        if (thread.pending != nullptr) return;
    }
}

void StartThread(const Command& command) {
    const DWORD delay = static_cast<DWORD>(command.number);
    const std::u16string text = Text(command.text);
    TheVm().threads.Start(command.op == Op::Daemon, [delay, text](ThreadRecord& thread) {
        Sleep(delay);
        PrintLine(thread, TheVm().out, text);
    });
}

// Runs one command; true when the method returns with it.
bool Execute(ThreadRecord& thread, const MethodInfo& method, const Command& command, const Object* arguments,
             Value& result) {
    switch (command.op) {
        case Op::Out:
            PrintLine(thread, TheVm().out, Text(command.text));
            break;
        case Op::Err:
            PrintLine(thread, TheVm().err, Text(command.text));
            break;
        case Op::Args:
            PrintArguments(thread, arguments, false);
            break;
        case Op::Argc:
            PrintArguments(thread, arguments, true);
            break;
        case Op::Prop:
            PrintLine(thread, TheVm().out, PropertyLine(command.word));
            break;
        case Op::Env:
            PrintLine(thread, TheVm().out, EnvironmentLine(command.word));
            break;
        case Op::Exit:
            SystemExit(static_cast<jint>(command.number));
        case Op::Throw:
            thread.pending = ScriptException(method, command);
            break;
        case Op::Sleep:
            Sleep(static_cast<DWORD>(command.number));
            break;
        case Op::Thread:
        case Op::Daemon:
            StartThread(command);
            break;
        case Op::Return:
            result.number = command.number;
            return true;
        case Op::Await:
            AwaitTestEvent(command.word);
            break;
        case Op::In:
            PrintLine(thread, TheVm().out, ReadInputLine());
            break;
        case Op::Hook: {
            std::lock_guard lock(TheVm().mutex);
            TheVm().shutdownHooks.push_back(Text(command.text));
            break;
        }
        case Op::Abort:
            VmAbort(method.Describe() + " line " + std::to_string(command.line));
    }
    return false;
}

Value RunScript(ThreadRecord& thread, const MethodInfo& method, const std::vector<Value>& arguments) {
    const Object* argumentArray = arguments.empty() ? nullptr : arguments[0].object;
    Value result;
    for (const Command& command : method.script->commands) {
        if (Execute(thread, method, command, argumentArray, result) || thread.pending != nullptr) break;
    }
    return thread.pending != nullptr ? Value{} : result;
}

}  // namespace

Value Invoke(ThreadRecord& thread, const MethodInfo& method, Object* self, const std::vector<Value>& arguments) {
    if (method.native != nullptr) return method.native(thread, self, arguments);
    return RunScript(thread, method, arguments);
}

}  // namespace tarn::standin
