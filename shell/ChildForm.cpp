#include "ChildForm.h"

#include <QMetaMethod>
#include <QMetaObject>

namespace {

QMetaMethod findOperation(const QObject* child, const QByteArray& signature)
{
    if (!child)
        return QMetaMethod();
    const QMetaObject* meta = child->metaObject();
    const int index = meta->indexOfMethod(QMetaObject::normalizedSignature(signature.constData()));
    return index < 0 ? QMetaMethod() : meta->method(index);
}

QByteArray noArguments(const char* operation)
{
    return QByteArray(operation) + "()";
}

}  // namespace

bool OffersChildOperation(const QObject* child, const char* operation)
{
    return findOperation(child, noArguments(operation)).isValid();
}

bool CallChildOperation(QObject* child, const char* operation)
{
    const QMetaMethod method = findOperation(child, noArguments(operation));
    return method.isValid() && method.invoke(child, Qt::DirectConnection);
}

bool CallChildOperation(QObject* child, const char* operation, const QString& argument)
{
    const QMetaMethod method = findOperation(child, QByteArray(operation) + "(QString)");
    return method.isValid() && method.invoke(child, Qt::DirectConnection, Q_ARG(QString, argument));
}
