#include <windows.h>

#include "app/bench_app.h"
#include "framework/failure.h"

// The one application object, alive from static initialisation to exit.
CBenchApp theApp;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        return theApp.Run();
    } catch (...) {
        fw::ReportEscapedException();
        return 1;
    }
}
