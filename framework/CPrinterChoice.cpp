#include "framework/CPrinterChoice.h"

#include <commdlg.h>

#include <vector>

#include "framework/CPrintInfo.h"

CPrinterDC& CPrinterDC::operator=(CPrinterDC&& other) noexcept
{
    if (this != &other) {
        Reset();
        m_dc = other.m_dc;
        other.m_dc = nullptr;
    }
    return *this;
}

void CPrinterDC::Reset()
{
    if (m_dc)
        DeleteDC(m_dc);
    m_dc = nullptr;
}

namespace {

// A global memory block locked for as long as the object lives.
template <class T>
class Locked {
public:
    explicit Locked(HGLOBAL handle) : m_handle(handle), m_data(handle ? static_cast<T*>(GlobalLock(handle)) : nullptr) {}
    ~Locked()
    {
        if (m_data)
            GlobalUnlock(m_handle);
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    T* get() const { return m_data; }

private:
    HGLOBAL m_handle;
    T* m_data;
};

void FreeHandle(HGLOBAL& handle)
{
    if (handle)
        GlobalFree(handle);
    handle = nullptr;
}

}  // namespace

CPrinterChoice::~CPrinterChoice()
{
    FreeHandle(m_devMode);
    FreeHandle(m_devNames);
}

bool CPrinterChoice::Installed() const
{
    if (m_installedCheck)
        return m_installedCheck();
    DWORD needed = 0;
    DWORD returned = 0;
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    EnumPrintersW(flags, nullptr, 4, nullptr, 0, &needed, &returned);
    if (needed == 0)
        return false;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersW(flags, nullptr, 4, buffer.data(), needed, &needed, &returned))
        return false;
    return returned > 0;
}

void CPrinterChoice::Adopt(HGLOBAL devMode, HGLOBAL devNames)
{
    // The dialogs give back the blocks they were handed, or blocks of their own in their place;
    // whichever came back describes the printer chosen.
    if (devMode != m_devMode && devMode)
        m_devMode = devMode;
    if (devNames != m_devNames && devNames)
        m_devNames = devNames;
}

bool CPrinterChoice::TakeDefault()
{
    if (m_devNames)
        return true;
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT;
    if (!PrintDlgW(&pd))
        return false;
    Adopt(pd.hDevMode, pd.hDevNames);
    return m_devNames != nullptr;
}

CPrinterDC CPrinterChoice::CreateDC()
{
    if (!Installed() || !TakeDefault())
        return CPrinterDC();
    Locked<DEVNAMES> names(m_devNames);
    if (!names.get())
        return CPrinterDC();
    const auto* base = reinterpret_cast<const wchar_t*>(names.get());
    Locked<DEVMODEW> mode(m_devMode);
    return CPrinterDC(::CreateDCW(base + names.get()->wDriverOffset, base + names.get()->wDeviceOffset, nullptr,
                                  mode.get()));
}

std::wstring CPrinterChoice::DeviceName() const
{
    Locked<DEVNAMES> names(m_devNames);
    if (!names.get())
        return std::wstring();
    return reinterpret_cast<const wchar_t*>(names.get()) + names.get()->wDeviceOffset;
}

bool CPrinterChoice::Setup(HWND owner)
{
    if (!Installed())
        return false;
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.hDevMode = m_devMode;
    pd.hDevNames = m_devNames;
    pd.Flags = PD_PRINTSETUP;
    const bool chosen = PrintDlgW(&pd) != 0;
    Adopt(pd.hDevMode, pd.hDevNames);
    return chosen;
}

CPrinterDC CPrinterChoice::Choose(HWND owner, CPrintInfo& info, bool& failed)
{
    failed = false;
    PRINTPAGERANGE range{static_cast<DWORD>(info.minPage), static_cast<DWORD>(info.maxPage)};
    PRINTDLGEXW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.hDevMode = m_devMode;
    pd.hDevNames = m_devNames;
    pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOCURRENTPAGE | PD_USEDEVMODECOPIESANDCOLLATE;
    pd.nMinPage = static_cast<DWORD>(info.minPage);
    pd.nMaxPage = static_cast<DWORD>(info.maxPage);
    pd.nPageRanges = 1;
    pd.nMaxPageRanges = 1;
    pd.lpPageRanges = &range;
    pd.nCopies = 1;
    pd.nStartPage = START_PAGE_GENERAL;
    const HRESULT result = PrintDlgExW(&pd);
    Adopt(pd.hDevMode, pd.hDevNames);
    CPrinterDC dc(pd.hDC);
    if (FAILED(result)) {
        failed = true;
        return CPrinterDC();
    }
    if (pd.dwResultAction != PD_RESULT_PRINT)
        return CPrinterDC();
    info.ranges.clear();
    if (pd.Flags & PD_PAGENUMS) {
        for (DWORD i = 0; i < pd.nPageRanges; ++i)
            info.ranges.emplace_back(static_cast<int>(pd.lpPageRanges[i].nFromPage),
                                     static_cast<int>(pd.lpPageRanges[i].nToPage));
    }
    if (!dc)
        failed = true;
    return dc;
}
