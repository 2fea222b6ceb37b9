// The exported functions of rastkit.dll and the library object's life: made when the DLL is
// loaded, destroyed when it is unloaded. Nothing is thrown across the export boundary.
#define RASTKIT_BUILDING
#include "rastkit/rastkit.h"

#include "rastkit/CrastkitApp.h"

#include <windows.h>

#include <memory>

namespace {

std::unique_ptr<CrastkitApp> g_app;

template <class R, class F>
R Guarded(R failure, F f) noexcept
{
    if (!g_app)
        return failure;
    try {
        return f(*g_app);
    } catch (...) {
        return failure;   // running out of heap for a weight table and the like
    }
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        try {
            g_app = std::make_unique<CrastkitApp>();
        } catch (...) {
            return FALSE;
        }
        return TRUE;
    }
    if (reason == DLL_PROCESS_DETACH) {
        // At process exit other threads are already gone, possibly holding a list lock: the
        // system takes the memory back itself.
        if (reserved)
            (void)g_app.release();
        else
            g_app.reset();
    }
    return TRUE;
}

int RASTKIT_CALL CreateBasePicture(int id)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.CreateBasePicture(id); });
}

int RASTKIT_CALL DestroyBasePicture(int id)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.DestroyBasePicture(id); });
}

int RASTKIT_CALL GetXPixcels(int handle)
{
    return Guarded<int>(0, [&](CrastkitApp& app) { return app.GetXPixcels(handle); });
}

int RASTKIT_CALL GetYPixcels(int handle)
{
    return Guarded<int>(0, [&](CrastkitApp& app) { return app.GetYPixcels(handle); });
}

int RASTKIT_CALL GetColors(int handle)
{
    return Guarded<int>(0, [&](CrastkitApp& app) { return app.GetColors(handle); });
}

int RASTKIT_CALL SetPixcelOffset(int handle, int start, int pixelStride, int lineStride, int height, int width)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.SetPixcelOffset(handle, start, pixelStride, lineStride, height, width); });
}

int RASTKIT_CALL SetColorOffset(int handle, int channel, int offset)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.SetColorOffset(handle, channel, offset); });
}

int RASTKIT_CALL LoadPicImage(int handle, int bytes, const void* data)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.LoadPicImage(handle, bytes, data); });
}

int RASTKIT_CALL AllocateLayer(int handle, int kind, int y, int x, int height, int width)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.AllocateLayer(handle, kind, y, x, height, width); });
}

int RASTKIT_CALL CreateLayer(int handle, int kind, int y, int x, int height, int width)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.CreateLayer(handle, kind, y, x, height, width); });
}

int RASTKIT_CALL CreateCopyLayer(int handle)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.CreateCopyLayer(handle); });
}

int RASTKIT_CALL SetSelectLayer(int handle)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.SetSelectLayer(handle); });
}

int RASTKIT_CALL GetSelectLayer(int handle)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.GetSelectLayer(handle); });
}

int RASTKIT_CALL ReLoadLayer(int handle)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.ReLoadLayer(handle); });
}

int RASTKIT_CALL CompositeLayer(int handle)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.CompositeLayer(handle); });
}

int RASTKIT_CALL ResizeCompositeLayer(int handle, int height, int width)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.ResizeCompositeLayer(handle, height, width); });
}

int RASTKIT_CALL DestroyLayer(int handle)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.DestroyLayer(handle); });
}

int RASTKIT_CALL StorePicImage(int handle, int bytes, void* buffer)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.StorePicImage(handle, bytes, buffer); });
}

int RASTKIT_CALL ChangeColor(int handle, int kind)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.ChangeColor(handle, kind); });
}

int RASTKIT_CALL FilterImage(int handle, int channel, int rows, int columns, const int* kernel)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.FilterImage(handle, channel, rows, columns, kernel); });
}

int RASTKIT_CALL DivImage(int handle, int channel, int divisor)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.DivImage(handle, channel, divisor); });
}

int RASTKIT_CALL HilightShadow(int handle, int channel, int inHigh, int inLow, int outHigh, int outLow)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.HilightShadow(handle, channel, inHigh, inLow, outHigh, outLow); });
}

int RASTKIT_CALL ShiftColor(int handle, int channel, int amount)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.ShiftColor(handle, channel, amount); });
}

int RASTKIT_CALL GetColorProFile(int handle, int channel, int high, int low, int bins, int* out)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.GetColorProFile(handle, channel, high, low, bins, out); });
}

int RASTKIT_CALL GetColorsProFile(int handle, int channel1, int high1, int low1, int channel2, int high2, int low2, int bins1, int bins2, int* out)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.GetColorsProFile(handle, channel1, high1, low1, channel2, high2, low2, bins1, bins2, out); });
}

int RASTKIT_CALL CutImage(int handle, int dest, int source, int top, int left)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.CutImage(handle, dest, source, top, left); });
}

int RASTKIT_CALL CopyNearest(int handle, int dest, int source)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.CopyNearest(handle, dest, source); });
}

int RASTKIT_CALL CopyByLinear(int handle, int dest, int source)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.CopyByLinear(handle, dest, source); });
}

int RASTKIT_CALL CopyBicubic(int handle, int dest, int source)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.CopyBicubic(handle, dest, source); });
}

int RASTKIT_CALL CopyPixcelAverage(int handle, int dest, int source)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.CopyPixcelAverage(handle, dest, source); });
}

int RASTKIT_CALL CopyRotate90(int handle, int dest, int source)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.CopyRotate90(handle, dest, source); });
}

int RASTKIT_CALL CopyRotate270(int handle, int dest, int source)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.CopyRotate270(handle, dest, source); });
}

long long RASTKIT_CALL GetRotateSize(int handle, int layer, int degrees)
{
    return Guarded<long long>(0LL, [&](CrastkitApp& app) { return app.GetRotateSize(handle, layer, degrees); });
}

int RASTKIT_CALL CopyRotate(int handle, int dest, int source, int degrees)
{
    return Guarded<int>(-1, [&](CrastkitApp& app) { return app.CopyRotate(handle, dest, source, degrees); });
}
