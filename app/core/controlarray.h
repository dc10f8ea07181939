#pragma once

#include <QString>
#include <QVariant>
#include <QWidget>

// Groups of controls that share a name and differ by index (Command1(0), Command1(1), ...):
// every member carries the group's objectName and its index in the "index" property.
inline void setControlIndex(QObject *control, const QString &name, int index)
{
    control->setObjectName(name);
    control->setProperty("index", index);
}

template<class T>
T *controlAt(const QObject *root, const QString &name, int index)
{
    const QList<T *> members = root->findChildren<T *>(name);
    for (T *member : members) {
        if (member->property("index").toInt() == index)
            return member;
    }
    return nullptr;
}
