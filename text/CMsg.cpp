#include "text/CMsg.h"

const std::u16string& CMsg::Text() const
{
    static const std::u16string empty;
    return m_text ? *m_text : empty;
}
