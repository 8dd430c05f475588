// The MCI sender over mciSendStringW and mciGetErrorStringW (winmm from System32).
#include "music/mci_sender_win.h"

#include <algorithm>
#include <vector>

#include "runtime/system_library_win.h"
#include "runtime/wide_text_win.h"

namespace spindle {
namespace {

// A wide buffer of the given capacity that starts with the caller's text, so a reply the
// platform does not write leaves that text in place.
std::vector<wchar_t> FilledBuffer(const std::string& text, std::size_t capacity) {
    std::vector<wchar_t> buffer(capacity, L'\0');
    std::wstring wide = Utf8ToWide(text.substr(0, text.find('\0')));
    std::copy_n(wide.begin(), std::min(wide.size(), capacity - 1), buffer.begin());
    return buffer;
}

std::string BufferText(const std::vector<wchar_t>& buffer) {
    auto end = std::find(buffer.begin(), buffer.end(), L'\0');
    return WideToUtf8(std::wstring_view(buffer.data(), static_cast<std::size_t>(end - buffer.begin())));
}

}  // namespace

std::int32_t WinMciSender::SendString(std::string_view command, std::string* buffer, std::size_t capacity) {
    std::wstring wideCommand = Utf8ToWide(command);
    if (buffer == nullptr || capacity == 0) {
        return static_cast<std::int32_t>(WinmmCalls().mciSendStringW(wideCommand.c_str(), nullptr, 0, nullptr));
    }
    std::vector<wchar_t> reply = FilledBuffer(*buffer, capacity);
    const auto sizedCapacity = static_cast<UINT>(capacity);
    MCIERROR result = WinmmCalls().mciSendStringW(wideCommand.c_str(), reply.data(), sizedCapacity, nullptr);
    *buffer = BufferText(reply);
    return static_cast<std::int32_t>(result);
}

bool WinMciSender::GetErrorString(std::int32_t code, std::string& text, std::size_t capacity) {
    if (capacity == 0) return false;
    std::vector<wchar_t> buffer = FilledBuffer(text, capacity);
    const auto error = static_cast<MCIERROR>(code);
    BOOL found = WinmmCalls().mciGetErrorStringW(error, buffer.data(), static_cast<UINT>(capacity));
    text = BufferText(buffer);
    return found != FALSE;
}

}  // namespace spindle
