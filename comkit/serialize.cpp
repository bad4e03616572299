#include "comkit/serialize.h"

namespace COMMON_EX {

CCMNEXCriticalSection::CCMNEXCriticalSection() : m_pSection(new std::recursive_mutex)
{
}

CCMNEXCriticalSection::~CCMNEXCriticalSection()
{
    delete m_pSection;
}

void CCMNEXCriticalSection::Lock()
{
    m_pSection->lock();
}

void CCMNEXCriticalSection::Unlock()
{
    m_pSection->unlock();
}

} // namespace COMMON_EX
