#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>

// Moves values between a dialog's controls and its fields. When saving, a field that does not
// parse or is out of range shows the framework's message, takes the focus and stops the exchange.
class CDataExchange {
public:
    CDataExchange(HWND dialog, bool saving) : m_dialog(dialog), m_saving(saving) {}

    bool Saving() const { return m_saving; }
    bool Failed() const { return m_failed; }

    void Text(int controlId, int& value);
    void Text(int controlId, std::wstring& value);
    void Check(int controlId, bool& value);
    // A radio group given by its buttons in order; the index of the checked one (-1: none).
    void Radio(std::initializer_list<int> controlIds, int& index);
    // Range check of the value just exchanged through Text.
    void MinMaxInt(int value, int minimum, int maximum);

    static std::wstring RangeMessage(int minimum, int maximum);

private:
    void Fail(int controlId, const std::wstring& message);

    HWND m_dialog;
    bool m_saving;
    bool m_failed = false;
    int m_lastControl = 0;
};
