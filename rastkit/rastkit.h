#pragma once
// The functions of rastkit.dll. Handles name a base picture (low 20 bits) or one of its layers;
// results are 0 for done and -1 for failure unless noted. 32-bit x86 decorates the __stdcall
// names itself; the 64-bit build names the same exports through assembler labels.

#if defined(_WIN32) && !defined(_WIN64)
#define RASTKIT_CALL __stdcall
#define RASTKIT_NAME(decorated)
#elif defined(_WIN64) && !defined(RASTKIT_BUILDING)
#define RASTKIT_CALL
#define RASTKIT_NAME(decorated) __asm__(#decorated)
#else
#define RASTKIT_CALL
#define RASTKIT_NAME(decorated)
#endif

extern "C" {

int RASTKIT_CALL CreateBasePicture(int id) RASTKIT_NAME(_CreateBasePicture@4);
int RASTKIT_CALL DestroyBasePicture(int id) RASTKIT_NAME(_DestroyBasePicture@4);
int RASTKIT_CALL GetXPixcels(int handle) RASTKIT_NAME(_GetXPixcels@4);
int RASTKIT_CALL GetYPixcels(int handle) RASTKIT_NAME(_GetYPixcels@4);
int RASTKIT_CALL GetColors(int handle) RASTKIT_NAME(_GetColors@4);
int RASTKIT_CALL SetPixcelOffset(int handle, int start, int pixelStride, int lineStride, int height, int width) RASTKIT_NAME(_SetPixcelOffset@24);
int RASTKIT_CALL SetColorOffset(int handle, int channel, int offset) RASTKIT_NAME(_SetColorOffset@12);
int RASTKIT_CALL LoadPicImage(int handle, int bytes, const void* data) RASTKIT_NAME(_LoadPicImage@12);
int RASTKIT_CALL AllocateLayer(int handle, int kind, int y, int x, int height, int width) RASTKIT_NAME(_AllocateLayer@24);
int RASTKIT_CALL CreateLayer(int handle, int kind, int y, int x, int height, int width) RASTKIT_NAME(_CreateLayer@24);
int RASTKIT_CALL CreateCopyLayer(int handle) RASTKIT_NAME(_CreateCopyLayer@4);
int RASTKIT_CALL SetSelectLayer(int handle) RASTKIT_NAME(_SetSelectLayer@4);
int RASTKIT_CALL GetSelectLayer(int handle) RASTKIT_NAME(_GetSelectLayer@4);
int RASTKIT_CALL ReLoadLayer(int handle) RASTKIT_NAME(_ReLoadLayer@4);
int RASTKIT_CALL CompositeLayer(int handle) RASTKIT_NAME(_CompositeLayer@4);
int RASTKIT_CALL ResizeCompositeLayer(int handle, int height, int width) RASTKIT_NAME(_ResizeCompositeLayer@12);
int RASTKIT_CALL DestroyLayer(int handle) RASTKIT_NAME(_DestroyLayer@4);
int RASTKIT_CALL StorePicImage(int handle, int bytes, void* buffer) RASTKIT_NAME(_StorePicImage@12);
int RASTKIT_CALL ChangeColor(int handle, int kind) RASTKIT_NAME(_ChangeColor@8);
int RASTKIT_CALL FilterImage(int handle, int channel, int rows, int columns, const int* kernel) RASTKIT_NAME(_FilterImage@20);
int RASTKIT_CALL DivImage(int handle, int channel, int divisor) RASTKIT_NAME(_DivImage@12);
int RASTKIT_CALL HilightShadow(int handle, int channel, int inHigh, int inLow, int outHigh, int outLow) RASTKIT_NAME(_HilightShadow@24);
int RASTKIT_CALL ShiftColor(int handle, int channel, int amount) RASTKIT_NAME(_ShiftColor@12);
int RASTKIT_CALL GetColorProFile(int handle, int channel, int high, int low, int bins, int* out) RASTKIT_NAME(_GetColorProFile@24);
int RASTKIT_CALL GetColorsProFile(int handle, int channel1, int high1, int low1, int channel2, int high2, int low2, int bins1, int bins2, int* out) RASTKIT_NAME(_GetColorsProFile@40);
int RASTKIT_CALL CutImage(int handle, int dest, int source, int top, int left) RASTKIT_NAME(_CutImage@20);
int RASTKIT_CALL CopyNearest(int handle, int dest, int source) RASTKIT_NAME(_CopyNearest@12);
int RASTKIT_CALL CopyByLinear(int handle, int dest, int source) RASTKIT_NAME(_CopyByLinear@12);
int RASTKIT_CALL CopyBicubic(int handle, int dest, int source) RASTKIT_NAME(_CopyBicubic@12);
int RASTKIT_CALL CopyPixcelAverage(int handle, int dest, int source) RASTKIT_NAME(_CopyPixcelAverage@12);
int RASTKIT_CALL CopyRotate90(int handle, int dest, int source) RASTKIT_NAME(_CopyRotate90@12);
int RASTKIT_CALL CopyRotate270(int handle, int dest, int source) RASTKIT_NAME(_CopyRotate270@12);
long long RASTKIT_CALL GetRotateSize(int handle, int layer, int degrees) RASTKIT_NAME(_GetRotateSize@12);
int RASTKIT_CALL CopyRotate(int handle, int dest, int source, int degrees) RASTKIT_NAME(_CopyRotate@16);

} // extern "C"
