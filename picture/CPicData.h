#pragma once
// One picture of the open memo: its pixels, the file its tag names, and how it is framed in the
// memo text. The picture worker replaces the pixels; the editing window changes the framing.
// Another thread may be working on a picture: hold the picture list's Use lock while reading or
// changing one that the list holds.
#include <atomic>
#include <cstdint>
#include <string>

#include "picture/CPicFrame.h"
#include "picture/CTypePicData.h"

class CPicData : public CTypePicData<unsigned char> {
public:
    CPicData(CVMemList& store, int id, std::u16string fileName);
    ~CPicData() override;

    int Id() const { return m_id; }
    const std::u16string& FileName() const { return m_fileName; }
    void SetFileName(std::u16string name) { m_fileName = std::move(name); }

    const CPicFrame& Frame() const { return m_frame; }
    // After the pixels were resampled or rotated (Bytes then filled by the caller); false, with
    // an empty picture, when the store has no room.
    bool ResizeImage(int newWidth, int newHeight);
    // A finished edit: the new pixels and the framing that follows from their size.
    void AdoptResized(std::shared_ptr<CPixelBuffer> pixels, int newWidth, int newHeight);
    void SetFrameSize(int width, int height);
    bool ZoomStep(int step);
    CPicFrame::Clip ImageClip() const { return m_frame.ImageClip(); }
    // Frame, scroll and zoomed size of another picture (or the editing window's copy).
    void CopyFrom(const CPicData& other) { CopyFraming(other.Frame()); }
    void CopyFraming(const CPicFrame& frame);
    void SetFramingFromTag(int frameWidth, int frameHeight, int scrollX, int scrollY, int zoomedWidth, int zoomedHeight);

    // The tag of the memo format: indent TABs, SRC = the file name, the frame, the scroll
    // position and the zoomed size.
    std::u16string WriteTag(int indent) const;

    // The file that holds exactly these pixels, when one is known (the file they were decoded
    // from or last written to); empty once the pixels change.
    const std::u16string& Origin() const { return m_origin; }
    void SetOrigin(std::u16string path) { m_origin = std::move(path); }

    // Raised, to a number no other picture has had, whenever pixels or framing change: what a
    // display bitmap was made from is current while the number is the same.
    std::uint64_t Version() const { return m_version.load(); }

protected:
    void OnPixelsChanged() override;

private:
    void Touch();

    int m_id;
    std::u16string m_fileName;
    CPicFrame m_frame;
    std::u16string m_origin;
    std::atomic<std::uint64_t> m_version{0};
};
