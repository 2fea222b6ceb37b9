#pragma once
// The printer the program prints on: the system's default printer until the user picks another in
// the printer setup or the print dialog, kept as the device mode and device names that the
// dialogs hand back. Owns both handles.
#include <windows.h>

#include <functional>
#include <string>

struct CPrintInfo;

// A printer device context, deleted with the object.
class CPrinterDC {
public:
    CPrinterDC() = default;
    explicit CPrinterDC(HDC dc) : m_dc(dc) {}
    ~CPrinterDC() { Reset(); }
    CPrinterDC(CPrinterDC&& other) noexcept : m_dc(other.m_dc) { other.m_dc = nullptr; }
    CPrinterDC& operator=(CPrinterDC&& other) noexcept;
    CPrinterDC(const CPrinterDC&) = delete;
    CPrinterDC& operator=(const CPrinterDC&) = delete;

    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }
    void Reset();

private:
    HDC m_dc = nullptr;
};

class CPrinterChoice {
public:
    CPrinterChoice() = default;
    ~CPrinterChoice();
    CPrinterChoice(const CPrinterChoice&) = delete;
    CPrinterChoice& operator=(const CPrinterChoice&) = delete;

    // Whether the system knows any printer. Tests replace the question.
    bool Installed() const;
    void SetInstalledCheck(std::function<bool()> check) { m_installedCheck = std::move(check); }

    // A device context of the chosen printer (the default one until another was chosen).
    CPrinterDC CreateDC();
    // "プリンタの設定": the printer setup dialog; true when the user chose.
    bool Setup(HWND owner);
    // The print dialog with info's pages; the chosen ranges and the device context of the chosen
    // printer come back. An empty context when the user cancelled; failed tells an error apart.
    CPrinterDC Choose(HWND owner, CPrintInfo& info, bool& failed);
    // The chosen printer's name, empty before a choice or a default was taken.
    std::wstring DeviceName() const;

private:
    bool TakeDefault();
    void Adopt(HGLOBAL devMode, HGLOBAL devNames);

    HGLOBAL m_devMode = nullptr;
    HGLOBAL m_devNames = nullptr;
    std::function<bool()> m_installedCheck;
};
