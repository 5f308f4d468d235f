#include "inventory/basProcesses.h"

std::string getExeOfWindow(HWND) {
    return std::string();
}
