#pragma once
// The requests the window sends its picture worker and the replies it gets back, as CMsg
// records. Layouts: the first parameter is the picture id unless said otherwise.
//   2 synchronise                          —
//   3 load                                 text = file path
//   4 take over for editing                —
//   5 store                                second = quality, text = file path
//   6 release the library copy             —
//   7 stop                                 —
//   8 memo names                           text = memo folder + memo title (working-copy names)
//  16 sharpen                              —
//  17 cut                                  second = new id, rectangle = x, y, width, height
//  18 resize                               rectangle = new width, new height, method
//  19 cut and resize                       second = new id, rectangle = x, y, width, height,
//                                          text = "new width new height method" in decimal
//  24 rotate                               second = angle in degrees
//  25 copy                                 second = new id
// Replies: code 1 is an error (first parameter 0: the text is for the user; otherwise a silent
// failure); any other code is the request's own, first parameter the id: done.
#include <cstdint>
#include <memory>
#include <string>

#include "text/CMsg.h"

class CPicRequest {
public:
    enum Code : std::int32_t {
        kReplyError = 1,
        kSynchronise = 2,
        kLoad = 3,
        kTakeOver = 4,
        kStore = 5,
        kRelease = 6,
        kStop = 7,
        kMemoNames = 8,
        kSharpen = 16,
        kCut = 17,
        kResize = 18,
        kCutResize = 19,
        kRotate = 24,
        kCopy = 25,
    };
    enum Method : std::int32_t { kNearest = 0, kBilinear = 1, kBicubic = 2, kAreaAverage = 3 };

    static constexpr char16_t kOutOfMemory[] = u"メモリ不足のため処理を中断しました";
    static constexpr char16_t kTakeOverFailed[] = u"画像の取り込みに失敗しました";
    static constexpr char16_t kWriteFailed[] = u"画像の書き込みに失敗しました\n%s";

    static std::unique_ptr<CMsg> Synchronise() { return CMsg::Make(kSynchronise); }
    static std::unique_ptr<CMsg> Load(int id, const std::u16string& path);
    static std::unique_ptr<CMsg> TakeOver(int id) { return CMsg::Make(kTakeOver, id); }
    static std::unique_ptr<CMsg> Store(int id, const std::u16string& path, int quality);
    static std::unique_ptr<CMsg> Release(int id) { return CMsg::Make(kRelease, id); }
    static std::unique_ptr<CMsg> Stop() { return CMsg::Make(kStop); }
    static std::unique_ptr<CMsg> MemoNames(const std::u16string& folder, const std::u16string& title);
    static std::unique_ptr<CMsg> Sharpen(int id) { return CMsg::Make(kSharpen, id); }
    static std::unique_ptr<CMsg> Cut(int id, int newId, int x, int y, int width, int height);
    static std::unique_ptr<CMsg> Resize(int id, int width, int height, int method);
    static std::unique_ptr<CMsg> CutResize(int id, int newId, int x, int y, int width, int height, int newWidth,
                                           int newHeight, int method);
    static std::unique_ptr<CMsg> Rotate(int id, int degrees) { return CMsg::Make(kRotate, id, degrees); }
    static std::unique_ptr<CMsg> Copy(int id, int newId) { return CMsg::Make(kCopy, id, newId); }

    static std::unique_ptr<CMsg> Done(const CMsg& request) { return CMsg::Make(request.Code(), request.First()); }
    static std::unique_ptr<CMsg> Error(std::u16string_view text);
    static std::unique_ptr<CMsg> SilentFailure(int id) { return CMsg::Make(kReplyError, id == 0 ? -1 : id); }
    // "画像の書き込みに失敗しました\n" with the path.
    static std::u16string WriteFailedText(const std::u16string& path);
    // The method a resize to width × height uses: area average when both sides shrink, else
    // bicubic.
    static int MethodFor(int fromWidth, int fromHeight, int toWidth, int toHeight);
};

// What the memo reader and writer adapters need of the window's side of the worker link.
class CPicRequester {
public:
    virtual ~CPicRequester() = default;
    // Appends a request; false when no worker runs (the request is dropped).
    virtual bool Send(std::unique_ptr<CMsg> request) = 0;
    // Waits until every request sent so far is done; false when a reply reported an error.
    virtual bool Synchronise() = 0;
};
