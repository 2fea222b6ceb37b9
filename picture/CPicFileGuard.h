#pragma once
// The files that picture tags of the open memo name, so that no working copy or saved picture is
// ever written over a file the memo still needs. A file may be owned by one picture (the one
// that was read from it or written to it): that picture may write it again; no other may, and a
// file whose tag was not read (yet) or whose picture is gone belongs to nobody and stays as it
// is. Paths compare without regard to case. Used from the window and the worker thread.
#include <map>
#include <mutex>
#include <string>
#include <string_view>

class CPicFileGuard {
public:
    static constexpr int kNobody = -1;

    void Clear();
    // Every picture tag of a memo's text, with bare names resolved against the folder of the
    // file the text came from (as the memo reader resolves them).
    void ProtectTagsOf(std::u16string_view memoText, const std::u16string& sourcePath);
    // Keeps a file; an owner already recorded stays.
    void Protect(const std::u16string& path);
    // The picture id may write this file from now on.
    void Own(const std::u16string& path, int id);
    // A picture went: its files stay protected, for nobody.
    void Disown(int id);

    // Whether picture id may write path: no tag names it, or it is that picture's own.
    bool MayWrite(const std::u16string& path, int id) const;
    bool IsProtected(const std::u16string& path) const;
    int Count() const;

    static std::u16string Key(const std::u16string& path);

private:
    mutable std::mutex m_lock;
    std::map<std::u16string, int> m_files;
};
