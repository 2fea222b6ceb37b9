#include "framework/CDataExchange.h"

#include <cwchar>
#include <cwctype>
#include <limits>

#include "framework/CUserMessage.h"

namespace {

constexpr wchar_t kParseIntMessage[] = L"整数を入力してください。";
constexpr wchar_t kRangeMessage[] = L"%d から %d までの整数を入力してください。";

std::wstring ControlText(HWND control)
{
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

// Whole-text integer: optional spaces, an optional sign, digits, optional spaces; no overflow.
bool ParseInt(const std::wstring& text, int& value)
{
    size_t i = 0;
    while (i < text.size() && std::iswspace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) {
        negative = text[i] == L'-';
        ++i;
    }
    const size_t firstDigit = i;
    long long magnitude = 0;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') {
        magnitude = magnitude * 10 + (text[i] - L'0');
        if (magnitude > static_cast<long long>(std::numeric_limits<int>::max()) + 1) {
            return false;
        }
        ++i;
    }
    if (i == firstDigit) {
        return false;
    }
    while (i < text.size() && std::iswspace(text[i])) {
        ++i;
    }
    if (i != text.size()) {
        return false;
    }
    const long long result = negative ? -magnitude : magnitude;
    if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min()) {
        return false;
    }
    value = static_cast<int>(result);
    return true;
}

}  // namespace

std::wstring CDataExchange::RangeMessage(int minimum, int maximum)
{
    wchar_t buffer[128];
    std::swprintf(buffer, std::size(buffer), kRangeMessage, minimum, maximum);
    return buffer;
}

void CDataExchange::Fail(int controlId, const std::wstring& message)
{
    m_failed = true;
    CUserMessage::Show(m_dialog, message);
    HWND control = GetDlgItem(m_dialog, controlId);
    if (control != nullptr) {
        SetFocus(control);
        SendMessageW(control, EM_SETSEL, 0, -1);
    }
}

void CDataExchange::Text(int controlId, int& value)
{
    if (m_failed) {
        return;
    }
    m_lastControl = controlId;
    if (!m_saving) {
        SetDlgItemTextW(m_dialog, controlId, std::to_wstring(value).c_str());
        return;
    }
    int parsed = 0;
    if (!ParseInt(ControlText(GetDlgItem(m_dialog, controlId)), parsed)) {
        Fail(controlId, kParseIntMessage);
        return;
    }
    value = parsed;
}

void CDataExchange::Text(int controlId, std::wstring& value)
{
    if (m_failed) {
        return;
    }
    m_lastControl = controlId;
    if (m_saving) {
        value = ControlText(GetDlgItem(m_dialog, controlId));
    } else {
        SetDlgItemTextW(m_dialog, controlId, value.c_str());
    }
}

void CDataExchange::Check(int controlId, bool& value)
{
    if (m_failed) {
        return;
    }
    m_lastControl = controlId;
    if (m_saving) {
        value = IsDlgButtonChecked(m_dialog, controlId) == BST_CHECKED;
    } else {
        CheckDlgButton(m_dialog, controlId, value ? BST_CHECKED : BST_UNCHECKED);
    }
}

void CDataExchange::Radio(std::initializer_list<int> controlIds, int& index)
{
    if (m_failed) {
        return;
    }
    int position = 0;
    if (m_saving) {
        index = -1;
        for (int id : controlIds) {
            if (IsDlgButtonChecked(m_dialog, id) == BST_CHECKED) {
                index = position;
                break;
            }
            ++position;
        }
        return;
    }
    for (int id : controlIds) {
        CheckDlgButton(m_dialog, id, position == index ? BST_CHECKED : BST_UNCHECKED);
        ++position;
    }
}

void CDataExchange::MinMaxInt(int value, int minimum, int maximum)
{
    if (!m_saving || m_failed) {
        return;
    }
    if (value < minimum || value > maximum) {
        Fail(m_lastControl, RangeMessage(minimum, maximum));
    }
}
