#pragma once
// The library object: the list of base pictures and the memory store all pixel buffers come from.
// Each method is one exported function with the same arguments and result.
#include "rastkit/CTypeBasePict.h"
#include "vmem/CVMemList.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class CrastkitApp {
public:
    static constexpr std::size_t kBlockSize = 0x8000000;   // 128 MiB

    CrastkitApp();
    virtual ~CrastkitApp();
    CrastkitApp(const CrastkitApp&) = delete;
    CrastkitApp& operator=(const CrastkitApp&) = delete;

    int CreateBasePicture(int id);
    int DestroyBasePicture(int id);
    int GetXPixcels(int handle) const;
    int GetYPixcels(int handle) const;
    int GetColors(int handle) const;
    int SetPixcelOffset(int handle, int start, int pixelStride, int lineStride, int height, int width);
    int SetColorOffset(int handle, int channel, int offset);
    int LoadPicImage(int handle, int bytes, const void* data);
    int AllocateLayer(int handle, int kind, int y, int x, int height, int width);
    int CreateLayer(int handle, int kind, int y, int x, int height, int width);
    int CreateCopyLayer(int handle);
    int SetSelectLayer(int handle);
    int GetSelectLayer(int handle) const;
    int ReLoadLayer(int handle);
    int CompositeLayer(int handle);
    int ResizeCompositeLayer(int handle, int height, int width);
    int DestroyLayer(int handle);
    int StorePicImage(int handle, int bytes, void* buffer) const;

    int ChangeColor(int handle, int kind);
    int FilterImage(int handle, int channel, int rows, int columns, const std::int32_t* kernel);
    int DivImage(int handle, int channel, int divisor);
    int HilightShadow(int handle, int channel, int inHigh, int inLow, int outHigh, int outLow);
    int ShiftColor(int handle, int channel, int amount);
    int GetColorProFile(int handle, int channel, int high, int low, int bins, std::int32_t* out) const;
    int GetColorsProFile(int handle, int channel1, int high1, int low1, int channel2, int high2, int low2, int bins1,
                         int bins2, std::int32_t* out) const;
    int CutImage(int handle, int dest, int source, int top, int left);

    int CopyNearest(int handle, int dest, int source);
    int CopyByLinear(int handle, int dest, int source);
    int CopyBicubic(int handle, int dest, int source);
    int CopyPixcelAverage(int handle, int dest, int source);
    int CopyRotate90(int handle, int dest, int source);
    int CopyRotate270(int handle, int dest, int source);
    // Width in the low 32 bits, height in the high 32 bits.
    std::int64_t GetRotateSize(int handle, int layer, int degrees) const;
    int CopyRotate(int handle, int dest, int source, int degrees);

    std::size_t PictureCount() const;

private:
    using Picture = std::shared_ptr<CBasePict>;
    // Pictures are shared so that one destroyed on another thread outlives the call using it.
    Picture Find(int handle) const;
    // Runs a layer-to-layer operation: -1 when a layer is missing or op refuses, else selects dest.
    template <class Op>
    int TwoLayers(int handle, int dest, int source, Op op);

    CVMemList m_store;   // declared first: destroyed after every picture
    mutable std::mutex m_lock;
    std::vector<Picture> m_pictures;
};
