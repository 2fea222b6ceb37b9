#pragma once
// Lays a chapter out again from a text offset: reuses the chapter's display lines, adds or drops
// lines as the text needs, and marks what changed in the document's dirty range.
class CChapter;

class CChapterLayout {
public:
    static void Run(CChapter& chapter, int position);

private:
    static void RunText(CChapter& chapter, int position);
    static void RunPicture(CChapter& chapter);
};
