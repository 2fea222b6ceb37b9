#include "rastkit/CrastkitApp.h"

#include "rastkit/CChannelOps.h"
#include "rastkit/CResampler.h"
#include "rastkit/CRotator.h"

#include <algorithm>

namespace {

std::uint32_t U(int handle) { return static_cast<std::uint32_t>(handle); }

} // namespace

CrastkitApp::CrastkitApp() : m_store(kBlockSize) {}

CrastkitApp::~CrastkitApp()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_pictures.clear();
}

CrastkitApp::Picture CrastkitApp::Find(int handle) const
{
    const std::uint32_t id = CLayerHandle::IdOf(U(handle));
    std::lock_guard<std::mutex> guard(m_lock);
    for (const auto& p : m_pictures) {
        if (p->Id() == id)
            return p;
    }
    return nullptr;
}

std::size_t CrastkitApp::PictureCount() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_pictures.size();
}

int CrastkitApp::CreateBasePicture(int id)
{
    // Ids are 1-0xFFFFF with no layer bits; a second picture with one id could never be reached.
    if (id <= 0 || U(id) > CLayerHandle::kIdMask || Find(id))
        return -1;
    auto picture = std::make_shared<CBasePict>(m_store, U(id));
    std::lock_guard<std::mutex> guard(m_lock);
    m_pictures.push_back(std::move(picture));
    return 0;
}

int CrastkitApp::DestroyBasePicture(int id)
{
    if (!Find(id))
        return -1;
    Picture doomed;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        auto it = std::find_if(m_pictures.begin(), m_pictures.end(), [&](const Picture& p) { return p->Id() == U(id); });
        if (it != m_pictures.end()) {
            doomed = std::move(*it);
            m_pictures.erase(it);
        }
    }
    return 0;   // the picture goes with doomed, outside the lock
}

int CrastkitApp::GetXPixcels(int handle) const
{
    const auto p = Find(handle);
    return p ? p->Layout().width : 0;
}

int CrastkitApp::GetYPixcels(int handle) const
{
    const auto p = Find(handle);
    return p ? p->Layout().height : 0;
}

int CrastkitApp::GetColors(int handle) const
{
    const auto p = Find(handle);
    return p ? p->Layout().colours : 0;
}

int CrastkitApp::SetPixcelOffset(int handle, int start, int pixelStride, int lineStride, int height, int width)
{
    const auto p = Find(handle);
    return p ? p->SetPixelOffset(start, pixelStride, lineStride, height, width) : -1;
}

int CrastkitApp::SetColorOffset(int handle, int channel, int offset)
{
    const auto p = Find(handle);
    return p ? p->SetColorOffset(channel, offset) : -1;
}

int CrastkitApp::LoadPicImage(int handle, int bytes, const void* data)
{
    const auto p = Find(handle);
    return p ? p->LoadImage(bytes, data) : -1;
}

int CrastkitApp::AllocateLayer(int handle, int kind, int y, int x, int height, int width)
{
    const auto p = Find(handle);
    return p ? p->AllocateLayer(U(handle), kind, y, x, height, width) : -1;
}

int CrastkitApp::CreateLayer(int handle, int kind, int y, int x, int height, int width)
{
    const auto p = Find(handle);
    return p ? p->CreateLayer(U(handle), kind, y, x, height, width) : -1;
}

int CrastkitApp::CreateCopyLayer(int handle)
{
    const auto p = Find(handle);
    return p ? p->CreateCopyLayer(U(handle)) : -1;
}

int CrastkitApp::SetSelectLayer(int handle)
{
    const auto p = Find(handle);
    return p ? p->SetSelectLayer(U(handle)) : -1;
}

int CrastkitApp::GetSelectLayer(int handle) const
{
    const auto p = Find(handle);
    return p ? p->SelectedLayer() : -1;
}

int CrastkitApp::ReLoadLayer(int handle)
{
    const auto p = Find(handle);
    return p ? p->ReLoadLayer(U(handle)) : -1;
}

int CrastkitApp::CompositeLayer(int handle)
{
    const auto p = Find(handle);
    return p ? p->CompositeLayer(U(handle)) : -1;
}

int CrastkitApp::ResizeCompositeLayer(int handle, int height, int width)
{
    const auto p = Find(handle);
    return p ? p->ResizeCompositeLayer(U(handle), height, width) : -1;
}

int CrastkitApp::DestroyLayer(int handle)
{
    const auto p = Find(handle);
    return p ? p->DestroyLayer(U(handle)) : -1;
}

int CrastkitApp::StorePicImage(int handle, int bytes, void* buffer) const
{
    const auto p = Find(handle);
    return p ? p->StoreImage(bytes, buffer) : -1;
}

int CrastkitApp::ChangeColor(int handle, int kind)
{
    const auto p = Find(handle);
    return p ? p->ChangeColor(U(handle), kind) : -1;
}

int CrastkitApp::FilterImage(int handle, int channel, int rows, int columns, const std::int32_t* kernel)
{
    const auto p = Find(handle);
    if (!p)
        return -1;
    if (CLayerPict* layer = p->Find(U(handle)))
        CChannelOps::Filter(*layer, channel, rows, columns, kernel);
    return 0;
}

int CrastkitApp::DivImage(int handle, int channel, int divisor)
{
    const auto p = Find(handle);
    if (!p)
        return -1;
    CLayerPict* layer = p->Find(U(handle));
    if (!layer)
        return 0;
    if (divisor == 0)
        return -1;   // refused rather than dividing by zero
    CChannelOps::Divide(*layer, channel, divisor);
    return 0;
}

int CrastkitApp::HilightShadow(int handle, int channel, int inHigh, int inLow, int outHigh, int outLow)
{
    const auto p = Find(handle);
    if (!p)
        return -1;
    CLayerPict* layer = p->Find(U(handle));
    if (!layer)
        return 0;
    // Equal highs and lows would divide by zero: refused.
    if (inHigh == inLow || outHigh == outLow)
        return -1;
    CChannelOps::Levels(*layer, channel, inHigh, inLow, outHigh, outLow);
    return 0;
}

int CrastkitApp::ShiftColor(int handle, int channel, int amount)
{
    const auto p = Find(handle);
    if (!p)
        return -1;
    if (CLayerPict* layer = p->Find(U(handle)))
        CChannelOps::Shift(*layer, channel, amount);
    return 0;
}

int CrastkitApp::GetColorProFile(int handle, int channel, int high, int low, int bins, std::int32_t* out) const
{
    const auto p = Find(handle);
    if (!p)
        return -1;
    const CLayerPict* layer = p->Find(U(handle));
    if (!layer || !out || bins <= 0)
        return 0;
    // One bin, or a range narrower than the bins, gives a bin width of 0: refused.
    if (bins == 1 || (std::int64_t(high) - low) / (bins - 1) == 0)
        return -1;
    CChannelOps::Histogram(*layer, channel, high, low, bins, out);
    return 0;
}

int CrastkitApp::GetColorsProFile(int handle, int channel1, int high1, int low1, int channel2, int high2, int low2,
                                  int bins1, int bins2, std::int32_t* out) const
{
    const auto p = Find(handle);
    if (!p)
        return -1;
    const CLayerPict* layer = p->Find(U(handle));
    if (!layer || !out || bins1 <= 0 || bins2 <= 0)
        return 0;
    if ((std::int64_t(high1) - low1) / bins1 == 0 || (std::int64_t(high2) - low2) / bins2 == 0)
        return -1;
    CChannelOps::JointHistogram(*layer, channel1, high1, low1, channel2, high2, low2, bins1, bins2, out);
    return 0;
}

template <class Op>
int CrastkitApp::TwoLayers(int handle, int dest, int source, Op op)
{
    const auto p = Find(handle);
    if (!p || CLayerHandle::IdOf(U(dest)) != p->Id() || CLayerHandle::IdOf(U(source)) != p->Id())
        return -1;
    CLayerPict* to = p->Find(U(dest));
    CLayerPict* from = p->Find(U(source));
    if (!to || !from || to->Colors() != from->Colors())
        return -1;
    bool ok;
    if (to == from) {
        // Reading and writing one buffer would mix old and new values: work from a copy.
        CLayerValues copy(to->Values().Store());
        if (!copy.CopyFrom(from->Values()))
            return -1;
        ok = op(*p, copy, to->Values());
    } else {
        ok = op(*p, from->Values(), to->Values());
    }
    if (!ok)
        return -1;
    p->Select(*to);
    return 0;
}

int CrastkitApp::CutImage(int handle, int dest, int source, int top, int left)
{
    return TwoLayers(handle, dest, source, [&](CBasePict&, const CLayerValues& s, CLayerValues& d) {
        return CChannelOps::Cut(s, d, top, left);
    });
}

namespace {

// Nearest and bilinear scaling cannot fail once there is a source to read.
template <void (*Scale)(const CLayerValues&, CLayerValues&)>
bool ScaleFromSource(CBasePict&, const CLayerValues& s, CLayerValues& d)
{
    if (!s.HasData() && d.HasData())
        return false;
    Scale(s, d);
    return true;
}

} // namespace

int CrastkitApp::CopyNearest(int handle, int dest, int source)
{
    return TwoLayers(handle, dest, source, &ScaleFromSource<&CResampler::Nearest>);
}

int CrastkitApp::CopyByLinear(int handle, int dest, int source)
{
    return TwoLayers(handle, dest, source, &ScaleFromSource<&CResampler::Bilinear>);
}

int CrastkitApp::CopyBicubic(int handle, int dest, int source)
{
    return TwoLayers(handle, dest, source, [](CBasePict&, const CLayerValues& s, CLayerValues& d) {
        return CResampler::Bicubic(s, d);
    });
}

int CrastkitApp::CopyPixcelAverage(int handle, int dest, int source)
{
    return TwoLayers(handle, dest, source, [](CBasePict&, const CLayerValues& s, CLayerValues& d) {
        return CResampler::PixelAverage(s, d);
    });
}

int CrastkitApp::CopyRotate90(int handle, int dest, int source)
{
    return TwoLayers(handle, dest, source, [](CBasePict& p, const CLayerValues& s, CLayerValues& d) {
        if (!CRotator::Rotate90(s, d))
            return false;
        p.AddAngle(90);
        return true;
    });
}

int CrastkitApp::CopyRotate270(int handle, int dest, int source)
{
    return TwoLayers(handle, dest, source, [](CBasePict& p, const CLayerValues& s, CLayerValues& d) {
        if (!CRotator::Rotate270(s, d))
            return false;
        p.AddAngle(270);
        return true;
    });
}

int CrastkitApp::CopyRotate(int handle, int dest, int source, int degrees)
{
    return TwoLayers(handle, dest, source, [degrees](CBasePict& p, const CLayerValues& s, CLayerValues& d) {
        CRotator::Rotate(s, d, degrees);
        p.AddAngle(degrees);
        return true;
    });
}

std::int64_t CrastkitApp::GetRotateSize(int handle, int layer, int degrees) const
{
    const auto p = Find(handle);
    if (!p || CLayerHandle::IdOf(U(layer)) != p->Id() || !p->Find(U(layer)))
        return 0;
    const int total = static_cast<int>((std::int64_t(p->Angle()) + degrees) % 360);
    const auto size = CRotator::RotatedSize(p->InitialWidth(), p->InitialHeight(), total);
    return std::int64_t(std::uint64_t(std::uint32_t(size.height)) << 32 | std::uint32_t(size.width));
}
