#include "picture/CPicThread.h"

#include <cstdlib>
#include <new>
#include <sstream>

#include "picture/CGdiplusSession.h"
#include "picture/CPicFileIO.h"
#include "picture/CPicList.h"
#include "picture/CPicRequest.h"
#include "platform/FileSystem.h"
#include "rastkit/rastkit.h"

namespace {

constexpr int kMaxId = 0xFFFFF;
constexpr int kLayerBits = ~0xFFFFF;
constexpr int kMaxSide = 32767;
constexpr int kWorkingCopyAttempts = 20;
constexpr int kSharpenKernel[9] = {0, -1, 0, -1, 5, -1, 0, -1, 0};

std::u16string Number(int n)
{
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

bool ValidId(int id)
{
    return id > 0 && id <= kMaxId;
}

bool ValidSize(int width, int height, int bytesPerPixel)
{
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           CTypePicData<unsigned char>::BytesFor(bytesPerPixel, width, height) != 0;
}

std::unique_ptr<CMsg> OutOfMemory()
{
    return CPicRequest::Error(CPicRequest::kOutOfMemory);
}

}  // namespace

CPicThread::CPicThread(CPicList& pictures, CVMemList& store) : m_pictures(pictures), m_store(store) {}

CPicThread::~CPicThread()
{
    Stop();
}

bool CPicThread::Start(CEditWorkerHost* owner)
{
    if (ThreadHandle() != nullptr)
        return false;
    if (!CreateThread(THREAD_PRIORITY_NORMAL, true))
        return false;
    {
        std::lock_guard<std::mutex> guard(m_ownerLock);
        m_owner = owner;
    }
    m_stopping = false;
    return ResumeThread();
}

bool CPicThread::Running() const
{
    return ThreadHandle() != nullptr && !Wait(0);
}

bool CPicThread::Post(std::unique_ptr<CMsg> request)
{
    if (!request || !Running() || m_stopping)
        return false;
    {
        std::lock_guard<std::mutex> guard(m_queueLock);
        if (!m_queue.PushBack(std::move(request)))
            return false;
    }
    return PostThreadMessage(kQueueMessage, 0, 0);
}

void CPicThread::Stop()
{
    if (!Running())
        return;
    Post(CPicRequest::Stop());
    Wait(INFINITE);
}

int CPicThread::LibraryCopies() const
{
    std::lock_guard<std::mutex> guard(m_libraryLock);
    return static_cast<int>(m_inLibrary.size());
}

bool CPicThread::InitInstance()
{
    m_gdiplus = std::make_unique<CGdiplusSession>();
    return true;
}

int CPicThread::ExitInstance()
{
    std::set<int> copies;
    {
        std::lock_guard<std::mutex> guard(m_libraryLock);
        copies.swap(m_inLibrary);
    }
    for (int id : copies)
        DestroyBasePicture(id);
    m_gdiplus.reset();
    return 0;
}

bool CPicThread::OnThreadMessage(const MSG& msg)
{
    if (msg.message != kQueueMessage)
        return false;
    Drain();
    return true;
}

void CPicThread::Drain()
{
    while (!m_stopping) {
        std::unique_ptr<CMsg> request;
        {
            std::lock_guard<std::mutex> guard(m_queueLock);
            request = m_queue.Pop();
        }
        if (!request)
            return;
        Handle(*request);
        request.reset();
        Sleep(10);
    }
}

void CPicThread::SendReply(Reply reply)
{
    if (!reply)
        return;
    std::lock_guard<std::mutex> guard(m_ownerLock);
    if (m_owner)
        m_owner->PostReply(std::move(reply));
}

void CPicThread::Handle(const CMsg& request)
{
    Reply reply;
    try {
        switch (request.Code()) {
        case CPicRequest::kSynchronise: {
            std::lock_guard<std::mutex> guard(m_ownerLock);
            if (m_owner)
                m_owner->SignalSynchronised();
            return;
        }
        case CPicRequest::kStop: {
            std::lock_guard<std::mutex> guard(m_ownerLock);
            m_owner = nullptr;
            m_stopping = true;
            PostQuitMessage(0);
            return;
        }
        case CPicRequest::kMemoNames:
            m_namePrefix = request.Text();
            return;
        case CPicRequest::kLoad: reply = Load(request); break;
        case CPicRequest::kTakeOver: reply = TakeOver(request); break;
        case CPicRequest::kStore: reply = StoreFile(request); break;
        case CPicRequest::kRelease: reply = Release(request); break;
        case CPicRequest::kSharpen: reply = Sharpen(request); break;
        case CPicRequest::kCut: reply = Cut(request, false); break;
        case CPicRequest::kCutResize: reply = Cut(request, true); break;
        case CPicRequest::kResize: reply = Resize(request); break;
        case CPicRequest::kRotate: reply = Rotate(request); break;
        case CPicRequest::kCopy: reply = CopyPicture(request); break;
        default: return;
        }
    } catch (const std::bad_alloc&) {
        reply = OutOfMemory();
    } catch (...) {
        reply = CPicRequest::SilentFailure(request.First());
    }
    SendReply(std::move(reply));
}

// Library copies.

bool CPicThread::HandOver(const CPicData& picture, int id)
{
    DropLibraryCopy(id);
    const int b = picture.BytesPerPixel();
    const int w = picture.Width();
    const int h = picture.Height();
    if (!picture.HasPixels() || CreateBasePicture(id) != 0)
        return false;
    bool done = SetPixcelOffset(id, 0, b, b * w, h, w) == 0;
    for (int i = 0; done && i < b; ++i)
        done = SetColorOffset(id, i, i) == 0;
    done = done && LoadPicImage(id, static_cast<int>(picture.SizeInBytes()), picture.Bytes()) == 0 &&
           GetXPixcels(id) == w && GetYPixcels(id) == h && GetColors(id) == b;
    done = done && CreateLayer(id, 0, 0, 0, h, w) > 0;
    if (!done) {
        DestroyBasePicture(id);
        return false;
    }
    std::lock_guard<std::mutex> guard(m_libraryLock);
    m_inLibrary.insert(id);
    return true;
}

bool CPicThread::EnsureInLibrary(const CPicData& picture)
{
    {
        std::lock_guard<std::mutex> guard(m_libraryLock);
        if (m_inLibrary.count(picture.Id()) && GetXPixcels(picture.Id()) == picture.Width() &&
            GetYPixcels(picture.Id()) == picture.Height())
            return true;
    }
    return HandOver(picture, picture.Id());
}

void CPicThread::DropLibraryCopy(int id)
{
    DestroyBasePicture(id);
    std::lock_guard<std::mutex> guard(m_libraryLock);
    m_inLibrary.erase(id);
}

bool CPicThread::Resample(int id, int width, int height, Fill fill, int degrees)
{
    const int selected = GetSelectLayer(id);
    if (selected <= 0 || (selected & kLayerBits) == 0 || ChangeColor(selected, 0) != 0)
        return false;
    const int layer = AllocateLayer(id, 0, 0, 0, height, width);
    if (layer <= 0)
        return false;
    int result = -1;
    switch (fill) {
    case Fill::kNearest: result = CopyNearest(id, layer, selected); break;
    case Fill::kBilinear: result = CopyByLinear(id, layer, selected); break;
    case Fill::kBicubic: result = CopyBicubic(id, layer, selected); break;
    case Fill::kAverage: result = CopyPixcelAverage(id, layer, selected); break;
    case Fill::kRotate90: result = CopyRotate90(id, layer, selected); break;
    case Fill::kRotate270: result = CopyRotate270(id, layer, selected); break;
    case Fill::kRotate: result = CopyRotate(id, layer, selected, degrees); break;
    }
    if (result != 0) {
        DestroyLayer(layer);
        return false;
    }
    DestroyLayer(selected);
    return ResizeCompositeLayer(id, height, width) == 0;
}

bool CPicThread::TakeBack(CPicData& picture, int id, int width, int height)
{
    const int b = picture.BytesPerPixel();
    if (b <= 0 || GetXPixcels(id) != width || GetYPixcels(id) != height || GetColors(id) != b)
        return false;
    const std::size_t size = CTypePicData<unsigned char>::BytesFor(b, width, height);
    std::shared_ptr<CPixelBuffer> pixels = CPixelBuffer::Make(m_store, size);
    if (!pixels || StorePicImage(id, static_cast<int>(size), pixels->Data()) != 0)
        return false;
    picture.AdoptResized(std::move(pixels), width, height);
    return true;
}

// Files.

std::u16string CPicThread::WorkingCopyName(int id, int attempt) const
{
    std::u16string name = m_namePrefix;
    name += u'_';
    name += Number(id);
    if (attempt > 0) {
        name += u'_';
        name += Number(attempt + 1);
    }
    name += u".tif";
    return name;
}

bool CPicThread::WriteWorkingCopy(CPicData& picture, const std::u16string& source)
{
    // Without a memo folder there is nowhere to put it (a memo not saved yet).
    if (m_namePrefix.find(u'\\') == std::u16string::npos)
        return false;
    for (int attempt = 0; attempt < kWorkingCopyAttempts; ++attempt) {
        const std::u16string name = WorkingCopyName(picture.Id(), attempt);
        if (CPicFileGuard::Key(name) == CPicFileGuard::Key(source)) {
            picture.SetFileName(name);
            return true;
        }
        // Never over a file that a tag of the memo still names for another picture.
        if (!m_pictures.Files().MayWrite(name, picture.Id()))
            continue;
        if (CPicFileIO::Save(name, picture, 100) != CPicFileIO::Result::kDone)
            return false;
        picture.SetFileName(name);
        m_pictures.Files().Own(name, picture.Id());
        return true;
    }
    return false;
}

// Requests.

CPicThread::Reply CPicThread::Load(const CMsg& request)
{
    const int id = request.First();
    const std::u16string& path = request.Text();
    if (!ValidId(id) || path.empty() || m_pictures.HasId(id))
        return CPicRequest::SilentFailure(id);
    CPicFileIO::Decoded decoded;
    switch (CPicFileIO::Decode(path, m_store, decoded)) {
    case CPicFileIO::Result::kDone: break;
    case CPicFileIO::Result::kNoMemory: return OutOfMemory();
    case CPicFileIO::Result::kFailed: return CPicRequest::SilentFailure(id);
    }
    // Until a working copy exists the picture names the file it came from, which holds it.
    auto picture = std::make_unique<CPicData>(m_store, id, path);
    picture->Adopt(std::move(decoded.pixels), decoded.bytesPerPixel, decoded.width, decoded.height);
    picture->SetOrigin(path);
    m_pictures.Files().Own(path, id);
    WriteWorkingCopy(*picture, path);
    // Without memory for the library copy the picture still shows; editing takes it over later.
    HandOver(*picture, id);
    if (!m_pictures.Add(std::move(picture))) {
        DropLibraryCopy(id);
        return OutOfMemory();
    }
    return CPicRequest::Done(request);
}

CPicThread::Reply CPicThread::TakeOver(const CMsg& request)
{
    CPicList::UseLock use = m_pictures.Use();
    const CPicData* picture = m_pictures.FindById(request.First());
    if (!picture || !picture->HasPixels())
        return CPicRequest::Error(CPicRequest::kTakeOverFailed);
    if (!HandOver(*picture, picture->Id()))
        return OutOfMemory();
    return CPicRequest::Done(request);
}

CPicThread::Reply CPicThread::StoreFile(const CMsg& request)
{
    const int id = request.First();
    const std::u16string& path = request.Text();
    CPicList::UseLock use = m_pictures.Use();
    CPicData* picture = m_pictures.FindById(id);
    if (!picture || path.empty() || !m_pictures.Files().MayWrite(path, id))
        return CPicRequest::Error(CPicRequest::WriteFailedText(path));
    // The file already holds exactly these pixels: writing it again would only cost time and,
    // for JPEG, quality.
    if (!picture->Origin().empty() && CPicFileGuard::Key(picture->Origin()) == CPicFileGuard::Key(path) &&
        vel::platform::ReadAttributes(path).exists)
        return CPicRequest::Done(request);
    switch (CPicFileIO::Save(path, *picture, request.Second())) {
    case CPicFileIO::Result::kDone: break;
    case CPicFileIO::Result::kNoMemory: return OutOfMemory();
    case CPicFileIO::Result::kFailed: return CPicRequest::Error(CPicRequest::WriteFailedText(path));
    }
    picture->SetOrigin(path);
    m_pictures.Files().Own(path, id);
    return CPicRequest::Done(request);
}

CPicThread::Reply CPicThread::Release(const CMsg& request)
{
    if (ValidId(request.First()))
        DropLibraryCopy(request.First());
    return CPicRequest::Done(request);
}

CPicThread::Reply CPicThread::Sharpen(const CMsg& request)
{
    CPicList::UseLock use = m_pictures.Use();
    CPicData* picture = m_pictures.FindById(request.First());
    if (!picture || !picture->HasPixels())
        return CPicRequest::SilentFailure(request.First());
    const int id = picture->Id();
    if (!EnsureInLibrary(*picture))
        return OutOfMemory();
    const int selected = GetSelectLayer(id);
    const bool done = (selected & kLayerBits) != 0 && ChangeColor(selected, 1) == 0 &&
                      FilterImage(selected, 0, 3, 3, kSharpenKernel) == 0 && CompositeLayer(selected) == 0 &&
                      TakeBack(*picture, id, picture->Width(), picture->Height());
    if (!done) {
        DropLibraryCopy(id);
        return OutOfMemory();
    }
    return CPicRequest::Done(request);
}

CPicThread::Reply CPicThread::Resize(const CMsg& request)
{
    const CMsg::Rect rect = request.GetRect();
    const int width = rect[0];
    const int height = rect[1];
    const int method = rect[2];
    CPicList::UseLock use = m_pictures.Use();
    CPicData* picture = m_pictures.FindById(request.First());
    if (!picture || !picture->HasPixels() || !ValidSize(width, height, picture->BytesPerPixel()))
        return CPicRequest::SilentFailure(request.First());
    const int id = picture->Id();
    Fill fill = Fill::kBicubic;
    switch (method) {
    case CPicRequest::kNearest: fill = Fill::kNearest; break;
    case CPicRequest::kBilinear: fill = Fill::kBilinear; break;
    case CPicRequest::kAreaAverage:
        // The area average only shrinks; growing by it would fail as if memory had run out.
        fill = width <= picture->Width() && height <= picture->Height() ? Fill::kAverage : Fill::kBicubic;
        break;
    default: break;
    }
    if (!EnsureInLibrary(*picture) || !Resample(id, width, height, fill, 0) ||
        !TakeBack(*picture, id, width, height)) {
        DropLibraryCopy(id);
        return OutOfMemory();
    }
    return CPicRequest::Done(request);
}

CPicThread::Reply CPicThread::Rotate(const CMsg& request)
{
    int degrees = request.Second() % 360;
    if (degrees < 0)
        degrees += 360;
    CPicList::UseLock use = m_pictures.Use();
    CPicData* picture = m_pictures.FindById(request.First());
    if (!picture || !picture->HasPixels())
        return CPicRequest::SilentFailure(request.First());
    // Turning by 0 would only blacken the picture's edge.
    if (degrees == 0)
        return CPicRequest::Done(request);
    const int id = picture->Id();
    if (!EnsureInLibrary(*picture))
        return OutOfMemory();
    int width = picture->Height();
    int height = picture->Width();
    Fill fill = degrees == 90 ? Fill::kRotate90 : Fill::kRotate270;
    if (degrees != 90 && degrees != 270) {
        const long long size = GetRotateSize(id, GetSelectLayer(id), degrees);
        width = static_cast<int>(size & 0xFFFFFFFF);
        height = static_cast<int>(size >> 32);
        fill = Fill::kRotate;
    }
    if (!ValidSize(width, height, picture->BytesPerPixel()) || !Resample(id, width, height, fill, degrees) ||
        !TakeBack(*picture, id, width, height)) {
        DropLibraryCopy(id);
        return OutOfMemory();
    }
    return CPicRequest::Done(request);
}

CPicThread::Reply CPicThread::Cut(const CMsg& request, bool resize)
{
    const int newId = request.Second();
    const CMsg::Rect rect = request.GetRect();
    int finalWidth = 0;
    int finalHeight = 0;
    int method = CPicRequest::kBicubic;
    if (resize) {
        std::istringstream in(std::string(request.Text().begin(), request.Text().end()));
        in >> finalWidth >> finalHeight >> method;
    }
    CPicList::UseLock use = m_pictures.Use();
    const CPicData* source = m_pictures.FindById(request.First());
    if (!source || !source->HasPixels() || !ValidId(newId) || m_pictures.HasId(newId))
        return CPicRequest::SilentFailure(request.First());
    // The rectangle, cut to the picture.
    const int x = std::max(0, rect[0]);
    const int y = std::max(0, rect[1]);
    const int width = std::min(rect[0] + rect[2], source->Width()) - x;
    const int height = std::min(rect[1] + rect[3], source->Height()) - y;
    const int b = source->BytesPerPixel();
    if (!ValidSize(width, height, b) || (resize && !ValidSize(finalWidth, finalHeight, b)))
        return CPicRequest::SilentFailure(request.First());
    if (!resize) {
        finalWidth = width;
        finalHeight = height;
    }

    auto picture = std::make_unique<CPicData>(m_store, newId, u"");
    picture->Adopt(source->Pixels(), b, source->Width(), source->Height());
    picture->CopyFrom(*source);
    bool done = HandOver(*source, newId);
    if (done) {
        const int selected = GetSelectLayer(newId);
        const int layer = AllocateLayer(newId, 0, 0, 0, height, width);
        done = layer > 0 && CutImage(newId, layer, selected, y, x) == 0;
        if (done)
            DestroyLayer(selected);
        if (done && resize) {
            Fill fill = Fill::kBicubic;
            if (method == CPicRequest::kNearest)
                fill = Fill::kNearest;
            else if (method == CPicRequest::kBilinear)
                fill = Fill::kBilinear;
            else if (method == CPicRequest::kAreaAverage && finalWidth <= width && finalHeight <= height)
                fill = Fill::kAverage;
            done = Resample(newId, finalWidth, finalHeight, fill, 0);
        } else if (done) {
            done = ResizeCompositeLayer(newId, height, width) == 0;
        }
        done = done && TakeBack(*picture, newId, finalWidth, finalHeight);
    }
    if (!done) {
        DropLibraryCopy(newId);
        return OutOfMemory();
    }
    WriteWorkingCopy(*picture, u"");
    if (!m_pictures.Add(std::move(picture))) {
        DropLibraryCopy(newId);
        return OutOfMemory();
    }
    return CPicRequest::Done(request);
}

CPicThread::Reply CPicThread::CopyPicture(const CMsg& request)
{
    const int newId = request.Second();
    CPicList::UseLock use = m_pictures.Use();
    const CPicData* source = m_pictures.FindById(request.First());
    if (!source || !ValidId(newId) || m_pictures.HasId(newId))
        return CPicRequest::SilentFailure(request.First());
    auto picture = std::make_unique<CPicData>(m_store, newId, source->FileName());
    picture->Adopt(source->Pixels(), source->BytesPerPixel(), source->Width(), source->Height());
    picture->CopyFrom(*source);
    picture->SetOrigin(source->Origin());
    WriteWorkingCopy(*picture, u"");
    if (!m_pictures.Add(std::move(picture)))
        return OutOfMemory();
    return CPicRequest::Done(request);
}
