// The java.io streams the launcher uses: files, print streams and byte buffers, with the members it calls.
#include "tests/standin/common/TraceLog.h"
#include "tests/standin/common/Utf.h"
#include "tests/standin/runtime/Lang.h"
#include "tests/standin/runtime/Vm.h"

namespace tarn::standin {
namespace {

using Arguments = const std::vector<Value>&;

// Writes of all threads go out whole, one after another.
std::mutex& OutputLock() {
    static auto* lock = new std::mutex;
    return *lock;
}

// The system's text for an error code, without the final full stop and line end, as Java shows it.
std::string SystemMessage(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length > 0 ? std::wstring(buffer, length) : L"error " + std::to_wstring(error);
    LocalFree(buffer);
    while (!text.empty() &&
           (text.back() == L'\n' || text.back() == L'\r' || text.back() == L'.' || text.back() == L' ')) {
        text.pop_back();
    }
    return ToUtf8(FromWide(text));
}

void Write(Object* stream, const std::string& bytes) {
    while (stream != nullptr && stream->kind == Kind::PrintStream) stream = stream->target;
    if (stream == nullptr) return;
    std::lock_guard lock(OutputLock());
    if (stream->kind == Kind::ByteStream) {
        stream->bytes += bytes;
    } else if (stream->kind == Kind::FileStream) {
        HANDLE handle = stream->standardHandle != 0 ? GetStdHandle(stream->standardHandle) : stream->file;
        DWORD written = 0;
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
            WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        }
    }
}

Value OpenFile(ThreadRecord& thread, Object* self, Arguments arguments) {
    const Object* name = arguments[0].object;
    const bool append = arguments[1].number != 0;
    if (name == nullptr) {
        Throw(thread, "java/lang/NullPointerException", nullptr);
        return {};
    }
    self->path = ToWide(name->text);
    self->file =
        CreateFileW(self->path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (self->file == INVALID_HANDLE_VALUE) {
        self->file = nullptr;
        Throw(thread, "java/io/FileNotFoundException", ToUtf8(name->text) + " (" + SystemMessage(GetLastError()) + ")");
    }
    return {};
}

Value CloseStream(ThreadRecord&, Object* self, Arguments) {
    Object* stream = self;
    while (stream != nullptr && stream->kind == Kind::PrintStream) stream = stream->target;
    std::lock_guard lock(OutputLock());
    if (stream != nullptr && stream->kind == Kind::FileStream && stream->file != nullptr) {
        CloseHandle(stream->file);
        stream->file = nullptr;
    }
    return {};
}

Value WrapStream(ThreadRecord& thread, Object* self, Arguments arguments) {
    if (arguments[0].object == nullptr) Throw(thread, "java/lang/NullPointerException", "Null output stream");
    self->target = arguments[0].object;
    return {};
}

Value BufferText(ThreadRecord&, Object* self, Arguments) {
    std::string bytes;
    {
        std::lock_guard lock(OutputLock());
        bytes = self->bytes;
    }
    Value value;
    value.object = TheVm().heap.NewString(FromUtf8(bytes));
    return value;
}

}  // namespace

Object* NewStandardStream(DWORD which) {
    Vm& vm = TheVm();
    Object* file = vm.heap.New(vm.classes.Boot("java/io/FileOutputStream"));
    file->standardHandle = which;
    Object* print = vm.heap.New(vm.classes.Boot("java/io/PrintStream"));
    print->target = file;
    return print;
}

std::string StreamName(const Object* stream) {
    while (stream != nullptr && stream->kind == Kind::PrintStream) stream = stream->target;
    if (stream == nullptr) return "null";
    if (stream->standardHandle == STD_OUTPUT_HANDLE) return "stdout";
    if (stream->standardHandle == STD_ERROR_HANDLE) return "stderr";
    if (stream->kind == Kind::FileStream) return ToUtf8(FromWide(stream->path));
    return stream->cls->name + "#" + std::to_string(stream->id);
}

void Print(ThreadRecord& thread, Object* printStream, const std::u16string& text) {
    if (printStream == nullptr) {
        Throw(thread, "java/lang/NullPointerException", nullptr);
        return;
    }
    TraceLine("Print", {StreamName(printStream), ToUtf8(text)});
    Write(printStream, ToUtf8(text));
}

void PrintLine(ThreadRecord& thread, Object* printStream, const std::u16string& text) {
    if (printStream == nullptr) {
        Throw(thread, "java/lang/NullPointerException", nullptr);
        return;
    }
    TraceLine("Print", {StreamName(printStream), ToUtf8(text)});
    Write(printStream, ToUtf8(text + u"\r\n"));
}

std::u16string ReadInputLine() {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::string line;
    char byte = 0;
    DWORD read = 0;
    bool any = false;
    while (ReadFile(input, &byte, 1, &read, nullptr) && read == 1) {
        any = true;
        if (byte == '\n') break;
        line += byte;
    }
    if (!any) return u"null";
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return FromUtf8(line);
}

void DefineIoClasses(Classes& classes) {
    const auto nothing = [](ThreadRecord&, Object*, Arguments) { return Value{}; };
    ClassInfo* output = classes.DefineBoot("java/io/OutputStream", "java/lang/Object", Kind::Plain);
    classes.AddNative(output, "<init>", "()V", false, nothing);
    classes.AddNative(output, "close", "()V", false, CloseStream);
    ClassInfo* file = classes.DefineBoot("java/io/FileOutputStream", "java/io/OutputStream", Kind::FileStream);
    classes.AddNative(file, "<init>", "(Ljava/lang/String;Z)V", false, OpenFile);
    ClassInfo* buffer = classes.DefineBoot("java/io/ByteArrayOutputStream", "java/io/OutputStream", Kind::ByteStream);
    classes.AddNative(buffer, "<init>", "()V", false, nothing);
    classes.AddNative(buffer, "toString", "()Ljava/lang/String;", false, BufferText);
    ClassInfo* print = classes.DefineBoot("java/io/PrintStream", "java/io/OutputStream", Kind::PrintStream);
    classes.AddNative(print, "<init>", "(Ljava/io/OutputStream;)V", false, WrapStream);
}

}  // namespace tarn::standin
