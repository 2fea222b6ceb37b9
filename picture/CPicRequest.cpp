#include "picture/CPicRequest.h"

std::unique_ptr<CMsg> CPicRequest::Load(int id, const std::u16string& path)
{
    auto msg = CMsg::Make(kLoad, id);
    msg->SetText(path);
    return msg;
}

std::unique_ptr<CMsg> CPicRequest::Store(int id, const std::u16string& path, int quality)
{
    auto msg = CMsg::Make(kStore, id, quality);
    msg->SetText(path);
    return msg;
}

std::unique_ptr<CMsg> CPicRequest::MemoNames(const std::u16string& folder, const std::u16string& title)
{
    auto msg = CMsg::Make(kMemoNames);
    msg->SetText(folder + title);
    return msg;
}

std::unique_ptr<CMsg> CPicRequest::Cut(int id, int newId, int x, int y, int width, int height)
{
    auto msg = CMsg::Make(kCut, id, newId);
    msg->SetRect(x, y, width, height);
    return msg;
}

std::unique_ptr<CMsg> CPicRequest::Resize(int id, int width, int height, int method)
{
    auto msg = CMsg::Make(kResize, id);
    msg->SetRect(width, height, method);
    return msg;
}

std::unique_ptr<CMsg> CPicRequest::CutResize(int id, int newId, int x, int y, int width, int height, int newWidth,
                                             int newHeight, int method)
{
    auto msg = CMsg::Make(kCutResize, id, newId);
    msg->SetRect(x, y, width, height);
    const std::string text = std::to_string(newWidth) + " " + std::to_string(newHeight) + " " + std::to_string(method);
    msg->SetText(std::u16string(text.begin(), text.end()));
    return msg;
}

std::unique_ptr<CMsg> CPicRequest::Error(std::u16string_view text)
{
    auto msg = CMsg::Make(kReplyError, 0);
    msg->SetText(text);
    return msg;
}

std::u16string CPicRequest::WriteFailedText(const std::u16string& path)
{
    std::u16string text = kWriteFailed;
    const std::size_t at = text.find(u"%s");
    if (at != std::u16string::npos)
        text.replace(at, 2, path);
    return text;
}

int CPicRequest::MethodFor(int fromWidth, int fromHeight, int toWidth, int toHeight)
{
    return toWidth <= fromWidth && toHeight <= fromHeight ? kAreaAverage : kBicubic;
}
