#pragma once
// A document list with 8-pixel cells and 18-pixel lines showing the given pictures: the layout the
// picture tests and the memory bench measure against.
#include <memory>

#include "doc/CDocList.h"
#include "doc/CDocPictures.h"
#include "text/CFixedCharMeasurer.h"

inline void SetUpDocList(CDocList& doc, CDocPictures& pictures)
{
    CFontMetrics metrics;
    metrics.charWidth = 8;
    metrics.maxCharWidth = 16;
    metrics.textHeight = 16;
    doc.Font(CDocListBase::kScreenFont).Install(std::make_unique<CFixedCharMeasurer>(8), metrics, 2, 1.0);
    doc.SetPictures(&pictures);
    doc.Create(80, 2);
}
