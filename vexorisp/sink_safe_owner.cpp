// Ownership of a line's Qt objects across its notifications.
#include "vexorisp/sink_safe_owner.h"

#include <QCoreApplication>
#include <QObject>

CNotifyDepth::CNotifyDepth() : m_pDepth(std::make_shared<int>(0))
{
}

bool CNotifyDepth::IsNotifying() const
{
    return *m_pDepth > 0;
}

CNotifyScope::CNotifyScope(const CNotifyDepth& depth) : m_pDepth(depth.m_pDepth)
{
    ++*m_pDepth;
}

CNotifyScope::~CNotifyScope()
{
    --*m_pDepth;
}

void ReleaseQtObject(QObject* object, bool deferred)
{
    if (!object)
        return;
    if (!deferred) {
        delete object;
        return;
    }
    QList<QObject*> objects = object->findChildren<QObject*>();
    objects.prepend(object);
    for (QObject* each : objects) {
        QObject::disconnect(each, nullptr, nullptr, nullptr);
        QCoreApplication::removePostedEvents(each);
    }
    object->deleteLater();
}
