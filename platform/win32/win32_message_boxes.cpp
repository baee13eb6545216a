#include "platform/win32/win32_message_boxes.h"

#include "platform/win32/win32_text.h"

#include <windows.h>

namespace obrinex {

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
    int answer = ::MessageBoxW(owner, toWide(text).c_str(), toWide(title).c_str(), style);
    if (kind != BoxKind::Warning) {
        return BoxAnswer::Ok;
    }
    // A box that could not be shown counts as No, the answer that changes nothing.
    return answer == IDYES ? BoxAnswer::Yes : BoxAnswer::No;
}

} // namespace obrinex
