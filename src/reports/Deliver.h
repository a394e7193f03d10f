#pragma once
// Hands a result from a worker thread to the thread of context: fn runs there
// later, unless context has been destroyed by then.
#include <QMetaObject>
#include <QObject>
#include <utility>

template <typename Fn>
void Deliver(QObject* context, Fn&& fn)
{
    QMetaObject::invokeMethod(context, std::forward<Fn>(fn), Qt::QueuedConnection);
}
