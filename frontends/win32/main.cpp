// Obrinex.exe: wires the Win32 services to the program and runs the window thread's message
// loop until the main window has closed.
#include "app/application.h"
#include "frontends/win32/view.h"
#include "platform/win32/win32_executable.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

namespace {

void run(HINSTANCE instance) {
    using namespace obrinex;
    Win32FileSystem files;
    Win32Registry registry;
    Win32MessageBoxes boxes;
    Win32Shell shell;
    Platform platform{files, registry, boxes, shell, win32ExecutablePath()};
    Application app(platform);
    win32::View view(app, instance);

    app.start();
    view.open();
    MSG message;
    while (!app.ended() && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!view.translate(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The handler of a "mailto:" address may be a shell extension that needs COM.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    run(instance);
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
    return 0;
}
