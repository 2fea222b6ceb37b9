#pragma once
// Loads the picture of a picture line into the memo at the caret (the picture worker and the
// edit window). On success the loader itself inserts the picture chapter before the caret's
// chapter, with the tag's indent and six numbers (-1 = not given).
#include <string>

#include "text/CPictureTag.h"

class CMemoPictureLoader {
public:
    virtual ~CMemoPictureLoader() = default;
    // path is the picture file with the memo's folder resolved; false when the picture could
    // not be loaded, and the line then stays text.
    virtual bool LoadAtCaret(const std::u16string& path, const CPictureTag& tag) = 0;
};
