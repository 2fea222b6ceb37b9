#pragma once
// Common base of display lines and chapters, so that both can be handed around as one kind of area.
class CBaseArea {
public:
    CBaseArea() = default;
    virtual ~CBaseArea() = default;
    CBaseArea(const CBaseArea&) = delete;
    CBaseArea& operator=(const CBaseArea&) = delete;
};
