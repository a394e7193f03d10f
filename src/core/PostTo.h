#pragma once
// The one way to hand a piece of work to another thread: fn runs later on the
// thread context lives on, from that thread's event loop, in the order posted.
// When context is destroyed before then, fn is dropped and never runs (Qt
// discards the events posted to an object with it). The caller keeps context
// alive while it posts: a worker is stopped before the object it reports to goes.
#include <QMetaObject>
#include <QObject>
#include <utility>

template <typename Fn>
void PostTo(QObject* context, Fn&& fn)
{
    QMetaObject::invokeMethod(context, std::forward<Fn>(fn), Qt::QueuedConnection);
}
