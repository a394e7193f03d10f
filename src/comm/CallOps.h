#pragma once
// Operations on the live calls that the frame handlers perform.
#include <QString>
#include <QTime>
#include <cstdint>

class ICallOps {
public:
    virtual ~ICallOps() = default;
    // substitute: the position text to use when the address is on no layout.
    virtual void OpenCall(uint16_t address, uint8_t key, const QTime& callTime, const QString& substitute) = 0;
    // cancelUnit 0: no cancel unit named; the waiter recorded with the call served it.
    virtual void CloseCallsAt(uint16_t address, uint8_t cancelUnit, const QTime& cancelTime) = 0;
};
