#pragma once
// The picture worker: one thread per edit window that decodes, encodes, resizes, rotates and cuts
// the memo's pictures through rastkit, one request after the other in posting order, and posts
// a reply for each to its owner. Request layouts are in CPicRequest.h.
//
// A picture's library copy (a rastkit base picture with one full-size layer) exists from a load
// or take-over until its release: a memo of many large pictures keeps none but the one edited.
// Editing requests take the picture over themselves when it has no library copy. A request that
// fails leaves the picture, and every file, as it was.
#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "framework/CWinThread.h"
#include "text/CEditWorker.h"
#include "text/CMsgQueue.h"

class CGdiplusSession;
class CPicData;
class CPicList;
class CVMemList;

class CPicThread : public CWinThread, public CEditWorker {
public:
    static constexpr UINT kQueueMessage = WM_USER + 101;  // 0x465

    CPicThread(CPicList& pictures, CVMemList& store);
    ~CPicThread() override;

    // Creates the thread suspended, gives it its owner and resumes it. False when the thread
    // cannot be made.
    bool Start(CEditWorkerHost* owner);
    // CEditWorker: the edit window's view of the worker.
    bool Start(CEditWorkerHost& owner) override { return Start(&owner); }
    void Send(std::unique_ptr<CMsg> request) override { Post(std::move(request)); }
    void End() override { Stop(); }
    // Appends a request and wakes the thread; false (the request dropped) when it has ended.
    bool Post(std::unique_ptr<CMsg> request);
    // Sends the stop request and waits for the thread to end; earlier requests are done first.
    void Stop();
    bool Running() const;

    // For tests and measurements: the ids that have a library copy now (worker's view).
    int LibraryCopies() const;

protected:
    bool InitInstance() override;
    int ExitInstance() override;
    bool OnThreadMessage(const MSG& msg) override;

private:
    using Reply = std::unique_ptr<CMsg>;

    void Drain();
    void Handle(const CMsg& request);
    void SendReply(Reply reply);

    // Each returns the reply to post (none for no reply), after every lock is let go.
    Reply Load(const CMsg& request);
    Reply TakeOver(const CMsg& request);
    Reply StoreFile(const CMsg& request);
    Reply Release(const CMsg& request);
    Reply Sharpen(const CMsg& request);
    Reply Cut(const CMsg& request, bool resize);
    Reply Resize(const CMsg& request);
    Reply Rotate(const CMsg& request);
    Reply CopyPicture(const CMsg& request);

    // Hands a picture's pixels to the library as base picture id with one full-size layer.
    bool HandOver(const CPicData& picture, int id);
    bool EnsureInLibrary(const CPicData& picture);
    void DropLibraryCopy(int id);
    // Resamples the selected layer into a new one of width × height (method, or a quarter or
    // free rotation) and composites it at that size; false leaves no library copy.
    enum class Fill { kNearest, kBilinear, kBicubic, kAverage, kRotate90, kRotate270, kRotate };
    bool Resample(int id, int width, int height, Fill fill, int degrees);
    // Copies the base image of id into a new buffer and gives it to the picture at the new size.
    bool TakeBack(CPicData& picture, int id, int width, int height);
    // The working copy of a picture beside the memo; false when none can be written (the
    // picture keeps the file it came from).
    bool WriteWorkingCopy(CPicData& picture, const std::u16string& source);
    std::u16string WorkingCopyName(int id, int attempt) const;

    CPicList& m_pictures;
    CVMemList& m_store;
    CMsgQueue m_queue;
    std::mutex m_queueLock;  // held while a request is appended or taken
    std::mutex m_ownerLock;
    CEditWorkerHost* m_owner = nullptr;
    std::atomic<bool> m_stopping{false};
    std::unique_ptr<CGdiplusSession> m_gdiplus;
    std::set<int> m_inLibrary;
    mutable std::mutex m_libraryLock;
    std::u16string m_namePrefix;  // memo folder + title
};
