// Program entry: one window, and the message loop that runs until it is gone.
#include <windows.h>

#include "main_window/Form1.h"
#include "support/messageStep.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    if (!Form1::registerClass(instance)) {
        return 1;
    }
    Form1 form;
    if (!form.create(instance, showCommand)) {
        return 1;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        dispatchOneMessage(message);
    }
    return static_cast<int>(message.wParam);
}
