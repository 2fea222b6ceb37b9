#pragma once
// GDI+ running for as long as the object lives (start-up token in, shut-down out). Each user
// keeps one: the picture worker for its thread's life, each display picture for its own.
#include <windows.h>

#include <cstdint>

class CGdiplusSession {
public:
    CGdiplusSession();
    ~CGdiplusSession();
    CGdiplusSession(const CGdiplusSession&) = delete;
    CGdiplusSession& operator=(const CGdiplusSession&) = delete;

    bool Started() const { return m_token != 0; }

private:
    ULONG_PTR m_token = 0;
};
