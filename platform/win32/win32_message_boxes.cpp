#include "platform/win32/win32_message_boxes.h"

#include "platform/win32/win32_text.h"

#include <windows.h>

#include <string>

namespace obrinex {

namespace {

// The system's Yes/No box has no Cancel button and so ignores the Escape key; the wizard's
// warning boxes take Escape for No. While one is open, a filter on its dialog loop turns the
// key into a press of its No button.
thread_local HHOOK escapeFilter = nullptr;

LRESULT CALLBACK escapeAnswersNo(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message != nullptr && message->message == WM_KEYDOWN &&
        message->wParam == VK_ESCAPE) {
        HWND box = ::GetAncestor(message->hwnd, GA_ROOT);
        if (HWND no = box != nullptr ? ::GetDlgItem(box, IDNO) : nullptr) {
            ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(no));
            return TRUE;
        }
    }
    return ::CallNextHookEx(escapeFilter, code, wParam, lParam);
}

int showWarning(HWND owner, const std::wstring& text, const std::wstring& title, UINT style) {
    escapeFilter = ::SetWindowsHookExW(WH_MSGFILTER, escapeAnswersNo, nullptr, ::GetCurrentThreadId());
    const int answer = ::MessageBoxW(owner, text.c_str(), title.c_str(), style);
    if (escapeFilter != nullptr) {
        ::UnhookWindowsHookEx(escapeFilter);
        escapeFilter = nullptr;
    }
    return answer;
}

} // namespace

BoxAnswer Win32MessageBoxes::show(BoxKind kind, const std::string& title, const std::string& text) {
    UINT style = MB_OK;
    switch (kind) {
    case BoxKind::Error:
    case BoxKind::IoError:
        style = MB_ICONERROR | MB_OK;
        break;
    case BoxKind::Ok:
        style = MB_OK;
        break;
    case BoxKind::Warning:
        style = MB_ICONWARNING | MB_YESNO | MB_DEFBUTTON1;
        break;
    }
    HWND owner = ::GetActiveWindow();
    // Without an owner the box must still block every window of the thread.
    if (owner == nullptr) {
        style |= MB_TASKMODAL;
    }
    const int answer = kind == BoxKind::Warning
                           ? showWarning(owner, toWide(text), toWide(title), style)
                           : ::MessageBoxW(owner, toWide(text).c_str(), toWide(title).c_str(), style);
    if (kind != BoxKind::Warning) {
        return BoxAnswer::Ok;
    }
    // A box that could not be shown counts as No, the answer that changes nothing.
    return answer == IDYES ? BoxAnswer::Yes : BoxAnswer::No;
}

} // namespace obrinex
