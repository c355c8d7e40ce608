#pragma once

#include <QLatin1String>
#include <QObject>

// A control by the object name users' documents give it, anywhere below `root`.
template <class T = QObject> T* byName(const QObject* root, const char* name)
{
    return root->findChild<T*>(QLatin1String(name));
}
