#pragma once
// The framework's print command: the print dialog (or the chosen printer without one), then the
// program's four print steps around StartDoc, StartPage, EndPage and EndDoc for every page asked
// for, with a window that lets the user cancel while the pages go to the printer.
#include <windows.h>

#include <memory>
#include <string>

#include "framework/CPrintInfo.h"

class CPrinterChoice;
class CWnd;

class CPrintJob {
public:
    enum class Result { kPrinted, kStopped, kCancelled, kNoPrinter, kFailed };

    // The document calls of one printer device context; tests put a recording one in its place.
    class Device {
    public:
        virtual ~Device() = default;
        virtual HDC Dc() const = 0;
        virtual int StartDoc(const DOCINFOW& info) = 0;
        virtual int StartPage() = 0;
        virtual int EndPage() = 0;
        virtual int EndDoc() = 0;
        virtual int AbortDoc() = 0;
    };

    explicit CPrintJob(CPrintClient& client);
    ~CPrintJob();
    CPrintJob(const CPrintJob&) = delete;
    CPrintJob& operator=(const CPrintJob&) = delete;

    // The whole command: with the dialog (57607) or straight to the chosen printer (57608). The
    // client's Prepare printing may set the last page for the dialog beforehand.
    Result Run(HWND owner, CPrinterChoice& printer, bool withDialog);
    // Begin printing, the pages, End printing on a device whose info is filled in.
    Result Print(HWND owner, Device& device, CPrintInfo& info);

    // The user's cancel (the window's button); the job stops before its next page.
    void Cancel() { m_cancelled = true; }
    bool Cancelled() const { return m_cancelled; }
    // Lets the messages of the cancel window through; false once cancelled.
    bool Pump();

private:
    void OpenCancelWindow(HWND owner);
    void CloseCancelWindow();

    CPrintClient& m_client;
    bool m_cancelled = false;
    std::unique_ptr<CWnd> m_cancelObject;
    HWND m_cancelWindow = nullptr;
    HWND m_disabledOwner = nullptr;
};
