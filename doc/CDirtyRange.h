#pragma once
// The line indices that must be repainted: (-1, -1) when nothing is dirty, and -1 as the last
// index for "to the end of the document".
class CDirtyRange {
public:
    int First() const { return m_first; }
    int Last() const { return m_last; }
    bool IsEmpty() const { return m_first < 0; }
    void Reset()
    {
        m_first = -1;
        m_last = -1;
    }
    // Widens the range to cover first..last; -1 as a last index wins over any number.
    void Mark(int first, int last)
    {
        if (IsEmpty()) {
            m_first = first;
            m_last = last;
            return;
        }
        if (first < m_first)
            m_first = first;
        m_last = (m_last == -1 || last == -1) ? -1 : (last > m_last ? last : m_last);
    }
    // One index alone on a clean range means from there to the end.
    void Mark(int index)
    {
        if (IsEmpty())
            Mark(index, -1);
        else
            Mark(index, index);
    }
    // One changed line.
    void MarkLine(int index) { Mark(index, index); }

private:
    int m_first = -1;
    int m_last = -1;
};
