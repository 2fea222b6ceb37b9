#pragma once
// What changed since the last undo copy: the live chapters whose shadow may be missing or out of
// date (made, changed, or left without their shadow) and the shadows whose live chapter went. The
// undo copy and Undo look only at these, so their cost is the cost of what changed.
#include <cstddef>
#include <vector>

class CChapter;

class CChapterChanges {
public:
    // Each chapter is listed once however often it is marked; a destroyed chapter is forgotten.
    void MarkChanged(CChapter& live);
    void MarkOrphan(CChapter& shadow);
    void Forget(CChapter& chapter);

    // Hands the lists over and starts new ones; what is marked meanwhile goes into the new ones.
    std::vector<CChapter*> TakeChanged();
    std::vector<CChapter*> TakeOrphans();
    std::size_t ChangedCount() const { return m_changed.size(); }
    std::size_t OrphanCount() const { return m_orphans.size(); }

    // Drops the listed chapters for which settled(chapter) is true.
    template <class Settled>
    void DropSettled(Settled settled)
    {
        for (std::vector<CChapter*>* list : {&m_changed, &m_orphans}) {
            for (std::size_t i = list->size(); i-- > 0;) {
                if (settled(*(*list)[i]))
                    Remove(*list, i);
            }
        }
    }

private:
    static void Add(std::vector<CChapter*>& list, CChapter& chapter, int& slot);
    static void Remove(std::vector<CChapter*>& list, std::size_t i);
    static std::vector<CChapter*> Take(std::vector<CChapter*>& list);

    std::vector<CChapter*> m_changed;
    std::vector<CChapter*> m_orphans;
};
