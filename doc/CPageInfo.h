#pragma once
// One printed page: the first and last display line on it.
class CPageInfo {
public:
    CPageInfo(int firstLine, int lastLine) : firstLine(firstLine), lastLine(lastLine) {}
    virtual ~CPageInfo() = default;

    int firstLine;
    int lastLine;
};
