#pragma once

#include <QObject>
#include <QTest>

// The child of root that carries name as its objectName; fails the test (and
// gives null) when there is none.
template<typename T = QWidget>
T *child(const QObject *root, const QString &name)
{
    T *found = root->findChild<T *>(name);
    if (!found)
        QTest::qFail(qPrintable(QStringLiteral("no child named ") + name), __FILE__, __LINE__);
    return found;
}
