#pragma once
// A document list for tests and benchmarks: 8-pixel cells (full-width characters two), 16-pixel
// text with 2 pixels of line spacing, pictures from the given store.
#include "doc/CDocList.h"
#include "doc/tests/CMemoryPictures.h"
#include "text/CFixedCharMeasurer.h"

#include <memory>

inline std::unique_ptr<CDocList> MakeTestDocList(CMemoryPictures& pictures, int columns = 80, int tabWidth = 2)
{
    auto doc = std::make_unique<CDocList>();
    CFontMetrics metrics;
    metrics.charWidth = 8;
    metrics.maxCharWidth = 16;
    metrics.textHeight = 16;
    doc->Font(CDocListBase::kScreenFont).Install(std::make_unique<CFixedCharMeasurer>(8), metrics, 2, 1.0);
    doc->SetPictures(&pictures);
    doc->Create(columns, tabWidth);
    return doc;
}
