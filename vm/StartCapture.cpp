#include "vm/StartCapture.h"

#include <string>

#include "base/Conversion.h"

namespace tarn {
namespace {

// Room for what a runtime prints before main; a writer beyond it would wait for a reader.
constexpr DWORD kPipeBytes = 1 << 20;

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
    if (!reporter.ShowsWindows() || Usable(GetStdHandle(STD_ERROR_HANDLE))) return;
    if (!CreatePipe(read_.put(), write_.put(), nullptr, kPipeBytes)) return;
    savedOutput_ = GetStdHandle(STD_OUTPUT_HANDLE);
    savedError_ = GetStdHandle(STD_ERROR_HANDLE);
    if (!Usable(savedOutput_)) SetStdHandle(STD_OUTPUT_HANDLE, write_.get());
    SetStdHandle(STD_ERROR_HANDLE, write_.get());
    starting_ = true;
}

void StartCapture::End() {
    if (!starting_.exchange(false)) return;
    if (GetStdHandle(STD_OUTPUT_HANDLE) == write_.get()) SetStdHandle(STD_OUTPUT_HANDLE, savedOutput_);
    SetStdHandle(STD_ERROR_HANDLE, savedError_);
    // Without a reader, later writes fail at once instead of filling the pipe.
    read_.reset();
}

void StartCapture::ReportIfStarting(const Reporter& reporter) {
    if (!starting_.exchange(false)) return;
    std::string bytes;
    DWORD available = 0;
    while (PeekNamedPipe(read_.get(), nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        std::string chunk(available, '\0');
        DWORD read = 0;
        if (!ReadFile(read_.get(), chunk.data(), available, &read, nullptr) || read == 0) break;
        bytes.append(chunk, 0, read);
    }
    const WString text = DecodeRuntimeText(bytes);
    if (!text.empty()) ShowErrorBox(reporter, text);
}

}  // namespace tarn
