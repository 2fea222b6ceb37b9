#pragma once
// What the document list needs of the memo's picture list: sizes, the ids in use, full copies for
// the undo copy, and removal. The picture list implements it; tests use an in-memory store.
#include <functional>
#include <string>

class CDocPictures {
public:
    virtual ~CDocPictures() = default;

    // The picture's own size; false for an unknown id.
    virtual bool Size(int id, int& width, int& height) const = 0;
    virtual void ForEachId(const std::function<void(int)>& visit) const = 0;
    // A full copy of picture sourceId (pixels, frame, scroll, zoom) under newId and fileName.
    // False when the copy could not be made at all; a copy without pixels still counts as made.
    virtual bool Copy(int sourceId, int newId, const std::u16string& fileName) = 0;
    // Removes and deletes every picture with this id.
    virtual void RemoveById(int id) = 0;
    // The picture's tag in the memo format, as copied text carries it.
    virtual std::u16string Tag(int id, int indent) const = 0;
};
