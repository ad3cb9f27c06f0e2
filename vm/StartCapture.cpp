#include "vm/StartCapture.h"

#include "base/Conversion.h"

namespace tarn {
namespace {

// A runtime told to log its start (-verbose:class, -Xlog) prints far more than a pipe holds: the
// pipe is drained all along, so that no write of the runtime ever waits, and only the end is kept.
constexpr size_t kKeptBytes = 16 * 1024;
constexpr DWORD kDrainIntervalMs = 20;
constexpr unsigned kExplainedInErrorFile = 422;

bool Usable(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN; }

// The runtime writes UTF-8 (or, redirected, the ANSI code page); lines end in CR LF.
WString DecodeRuntimeText(const std::string& bytes) {
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    WString text;
    if (length > 0) {
        text.resize(length);
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    } else {
        text = FromNarrow(bytes);
    }
    WString lines;
    for (const wchar_t ch : text) {
        if (ch != L'\r') lines += ch;
    }
    while (!lines.empty() && lines.back() == L'\n') lines.pop_back();
    return lines;
}

}  // namespace

void StartCapture::Begin(const Reporter& reporter) {
    if (reporter.userInterface == UserInterface::Console || Usable(GetStdHandle(STD_ERROR_HANDLE))) return;
    if (!CreatePipe(read_.put(), write_.put(), nullptr, 0)) return;
    stop_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (stop_) drainer_.reset(CreateThread(nullptr, 0, &StartCapture::Drain, this, 0, nullptr));
    if (!drainer_) {
        read_.reset();
        write_.reset();
        return;
    }
    savedOutput_ = GetStdHandle(STD_OUTPUT_HANDLE);
    savedError_ = GetStdHandle(STD_ERROR_HANDLE);
    if (!Usable(savedOutput_)) SetStdHandle(STD_OUTPUT_HANDLE, write_.get());
    SetStdHandle(STD_ERROR_HANDLE, write_.get());
    starting_ = true;
}

DWORD WINAPI StartCapture::Drain(void* self) {
    auto& capture = *static_cast<StartCapture*>(self);
    do {
        const ExclusiveLock held(capture.lock_);
        capture.TakeAvailable();
    } while (WaitForSingleObject(capture.stop_.get(), kDrainIntervalMs) == WAIT_TIMEOUT);
    return 0;
}

// Reads only what is there, so that the drainer and a report never wait on the pipe or each other.
void StartCapture::TakeAvailable() {
    DWORD available = 0;
    while (PeekNamedPipe(read_.get(), nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        std::string chunk(available, '\0');
        DWORD read = 0;
        if (!ReadFile(read_.get(), chunk.data(), available, &read, nullptr) || read == 0) return;
        kept_.append(chunk, 0, read);
        if (kept_.size() > kKeptBytes) {
            kept_.erase(0, kept_.size() - kKeptBytes);
            cut_ = true;
        }
    }
}

void StartCapture::End() {
    if (!drainer_) return;
    starting_ = false;
    if (GetStdHandle(STD_OUTPUT_HANDLE) == write_.get()) SetStdHandle(STD_OUTPUT_HANDLE, savedOutput_);
    if (GetStdHandle(STD_ERROR_HANDLE) == write_.get()) SetStdHandle(STD_ERROR_HANDLE, savedError_);
    SetEvent(stop_.get());
    WaitForSingleObject(drainer_.get(), INFINITE);
    drainer_.reset();
    // Without a reader, later writes fail at once instead of filling the pipe.
    read_.reset();
}

void StartCapture::ReportIfStarting(const Reporter& reporter) {
    if (!starting_.exchange(false)) return;
    std::string bytes;
    bool cut = false;
    {
        const ExclusiveLock held(lock_);
        TakeAvailable();
        bytes.swap(kept_);
        cut = cut_;
    }
    // A text cut at its front starts at its first whole line.
    if (cut && bytes.find('\n') != std::string::npos) bytes.erase(0, bytes.find('\n') + 1);
    const WString text = DecodeRuntimeText(bytes);
    if (!text.empty()) {
        ShowErrorBox(reporter, text);
    } else if (!errorFile_.empty()) {
        ShowFormattedError(reporter, kExplainedInErrorFile, {errorFile_});
    }
}

}  // namespace tarn
