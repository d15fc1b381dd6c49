#include <windows.h>

#include "app/bench_app.h"

// The one application object, alive from static initialisation to exit.
CBenchApp theApp;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return theApp.Run();
}
