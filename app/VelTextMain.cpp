// Entry point of VelText: one application object for the whole run.
#include <windows.h>

#include "app/CVelTextApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    CVelTextApp app;
    if (!app.InitInstance()) {
        app.ExitInstance();
        return 0;
    }
    return app.Run();
}
